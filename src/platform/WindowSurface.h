// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: the drawing code's access to a window's
// client surface. GetDC draws straight into these pixels; after drawing into a
// window DC (a BitBlt, a FillRect ...) the drawing code calls SurfaceUpdated so
// that the host puts the new pixels on screen.

#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

namespace lumarin::platform {

// The surface of a live window, sized to its client area; nullptr for a bad
// handle. The pointer stays valid only until the window is resized, loses or
// gains a scroll bar, or is destroyed: fetch it again for each drawing call.
PixelBuffer* MutableWindowSurface(HWND hwnd);

// Tells the window's host (if any) that the surface received pixels.
void SurfaceUpdated(HWND hwnd);

} // namespace lumarin::platform
