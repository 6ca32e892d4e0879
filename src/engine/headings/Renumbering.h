// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumarin::engine {

// Column-0 labels: unchecked rows are numbered 1, 2, 3 ..., checked rows get ".".
std::vector<std::u16string> RenumberLabels(const std::vector<bool>& checked);

// The caption's count: unchecked rows out of all headings.
struct CheckCount {
    std::int32_t unchecked = 0;
    std::int32_t total = 0;
};

CheckCount CountUnchecked(const std::vector<bool>& checked);

} // namespace lumarin::engine
