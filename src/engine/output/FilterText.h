// SPDX-License-Identifier: MIT
#pragma once
// The filters' text as the user writes it: one filter a line.

#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// The filter box's text split at every CR LF; empty pieces dropped.
std::vector<std::u16string> SplitFilterText(std::u16string_view text);

} // namespace lumarin::engine
