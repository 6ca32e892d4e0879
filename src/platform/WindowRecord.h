// SPDX-License-Identifier: MIT
#pragma once
// Internal to the platform layer: what the table holds for one window.
// Callers get a WindowRecord* from the table and must not keep it across a
// call of a window procedure or of a host: either may destroy the window.

#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

#include <map>
#include <string>

namespace lumarin::platform {

class IWindowHost;

struct ScrollBarState {
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool visible = false;
    UINT disabledArrows = ESB_ENABLE_BOTH;
};

struct WindowRecord {
    HWND handle = 0;
    std::u16string className;
    std::u16string text;
    HWND parent = 0;
    WNDPROC proc = nullptr;
    HCURSOR classCursor = 0;
    LONG style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    DWORD threadId = 0;

    RECT rect;  // in the coordinates of the window's host
    RECT frame; // thickness of the frame on each side, fixed at creation and SWP_FRAMECHANGED
    ScrollBarState bars[2]; // SB_HORZ, SB_VERT

    PixelBuffer surface; // client-sized
    IWindowHost* host = nullptr;

    bool hasUpdate = false;
    RECT update; // bounding box of what needs painting, client coordinates
    bool erasePending = false;

    bool destroying = false;
    std::map<UINT_PTR, UINT> timers; // id -> interval in ms
};

} // namespace lumarin::platform
