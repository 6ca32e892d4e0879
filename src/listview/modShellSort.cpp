// SPDX-License-Identifier: MIT
#include "listview/modShellSort.h"

#include <cstring>
#include <vector>

namespace lumarin::listview {

void ShellSort(void* first, std::int32_t count, std::int16_t size, ShellSortCompare compare) {
    if (count < 1 || size < 1) return;
    auto* base = static_cast<unsigned char*>(first);
    const auto elementSize = static_cast<std::size_t>(size);
    std::vector<unsigned char> buffer(elementSize);
    auto at = [&](std::int64_t index) { return base + index * static_cast<std::int64_t>(size); };

    // The first gap of 1, 4, 13, 40 ... that exceeds count; each pass divides it by 3 first.
    std::int64_t h = 0;
    while (count >= h)
        h = 3 * h + 1;

    do {
        h /= 3;
        for (std::int64_t i = h; i < count; ++i) {
            std::int64_t j = i - h;
            if (compare(at(j), at(i)) != 1) continue;
            std::memcpy(buffer.data(), at(i), elementSize);
            do {
                std::memcpy(at(j + h), at(j), elementSize);
                j -= h;
            } while (j >= 0 && compare(at(j), buffer.data()) == 1);
            std::memcpy(at(j + h), buffer.data(), elementSize);
        }
    } while (h > 1);
}

} // namespace lumarin::listview
