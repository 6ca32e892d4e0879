// SPDX-License-Identifier: MIT
#include "engine/output/FilterText.h"

namespace lumarin::engine {

std::vector<std::u16string> SplitFilterText(std::u16string_view text) {
    std::vector<std::u16string> filters;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find(u"\r\n", pos);
        if (end == std::u16string_view::npos) end = text.size();
        if (end > pos) filters.emplace_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return filters;
}

} // namespace lumarin::engine
