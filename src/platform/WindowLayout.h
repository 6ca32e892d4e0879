// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: how a window's rectangle splits into frame,
// scroll bars and client area. One function per part, shared by GetClientRect,
// hit testing and the host, so that they can never disagree.

#include "platform/WindowRecord.h"

namespace lumarin::platform {

// Frame thickness from the border bits: WS_THICKFRAME 4 (it includes the plain
// border), otherwise WS_BORDER 1; then WS_EX_WINDOWEDGE 2, WS_EX_CLIENTEDGE 2
// and WS_EX_STATICEDGE 1 on top.
RECT FrameInsetsFor(LONG style, DWORD exStyle);

SIZE ClientSizeOf(const WindowRecord& window);
RECT ClientRectInWindow(const WindowRecord& window);       // window coordinates
RECT ScrollBarRectOf(const WindowRecord& window, int bar); // window coordinates; empty when hidden
// The client surface follows the client size; pixels that stay inside are kept.
void FitSurfaceToClient(WindowRecord& window);

// After the frame, the size or a bar changed: resizes the surface, tells the
// host, and when the client size differs from clientBefore repaints (if asked)
// and sends WM_SIZE.
void FinishLayoutChange(HWND hwnd, SIZE clientBefore, bool redraw);

bool PointInRect(const RECT& rect, POINT pt);
LONG RectWidth(const RECT& rect);
LONG RectHeight(const RECT& rect);

} // namespace lumarin::platform
