// SPDX-License-Identifier: MIT
#pragma once
// Shell sort over a contiguous array of fixed-size elements that are moved as
// bytes, never as objects: an array of references is reordered without
// touching what they refer to. Not stable.

#include <cstdint>

namespace lumarin::listview {

// Returns 1 when `first` must come after `second`; anything else keeps the order.
using ShellSortCompare = int (*)(const void* first, const void* second);

// count >= 1 and size >= 1. Gaps 1, 4, 13, 40, ...
void ShellSort(void* first, std::int32_t count, std::int16_t size, ShellSortCompare compare);

} // namespace lumarin::listview
