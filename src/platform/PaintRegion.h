// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: BeginPaint takes the update region in one step.

#include "platform/WinTypes.h"

namespace lumarin::platform {

struct PendingPaint {
    RECT area;
    bool erase = false;
};

// Returns and clears the window's update region.
PendingPaint TakeUpdateRegion(HWND hwnd);

} // namespace lumarin::platform
