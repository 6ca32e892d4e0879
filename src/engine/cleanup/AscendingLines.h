// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/LineReader.h"

#include <cstddef>

namespace lumarin::engine {

// Whether `items`, ascending by line, hold `line`, for questions asked in
// ascending order of line: `next` keeps where the last one stopped, so a walk
// over a book costs one step per item. `lineOf` reads an item's line.
template <typename Items, typename LineOf>
bool HoldsAscending(const Items& items, std::size_t& next, LineNumber line, LineOf lineOf) {
    while (next < items.size() && lineOf(items[next]) < line)
        ++next;
    return next < items.size() && lineOf(items[next]) == line;
}

} // namespace lumarin::engine
