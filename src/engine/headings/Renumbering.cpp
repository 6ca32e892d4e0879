// SPDX-License-Identifier: MIT
#include "engine/headings/Renumbering.h"

#include "engine/base/TextUtil.h"

namespace lumarin::engine {

std::vector<std::u16string> RenumberLabels(const std::vector<bool>& checked) {
    std::vector<std::u16string> labels;
    labels.reserve(checked.size());
    long long counter = 0;
    for (const bool isChecked : checked)
        labels.push_back(isChecked ? std::u16string(u".") : ToU16Decimal(++counter));
    return labels;
}

CheckCount CountUnchecked(const std::vector<bool>& checked) {
    CheckCount count;
    count.total = static_cast<std::int32_t>(checked.size());
    for (const bool isChecked : checked)
        count.unchecked += isChecked ? 0 : 1;
    return count;
}

} // namespace lumarin::engine
