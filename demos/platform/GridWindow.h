// SPDX-License-Identifier: MIT
#pragma once
// A window procedure that shows a large grid of cells and scrolls it with its
// own two scroll bars, painting through a memory back buffer. Written only
// against the window layer, the way the list control is.

#include "platform/WinTypes.h"

namespace lumarin::demo {

inline constexpr char16_t kGridClassName[] = u"Lumarin.GridDemo";

// Registers the class; create windows of it with CreateWindowEx.
void RegisterGridClass();

} // namespace lumarin::demo
