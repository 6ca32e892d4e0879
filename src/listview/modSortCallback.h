// SPDX-License-Identifier: MIT
#pragma once
// Row comparison for sorting: the text of one column, compared in the user's
// locale without regard to letter case. The sort column and order are module
// state, set before every sort.

#include <cstdint>
#include <string>

namespace lumarin::listview {

void SetSortColumn(std::int32_t column);
void SetSortOrder(std::int32_t order); // 1 descending, anything else ascending

// first and second are addresses of row slots (ListItem* each). -1, 0 or 1,
// negated for descending order.
int CompareListItems(const void* first, const void* second);

// The locale-aware case-insensitive comparison itself: -1, 0 or 1.
int CompareText(const std::u16string& a, const std::u16string& b);

} // namespace lumarin::listview
