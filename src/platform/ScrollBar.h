// SPDX-License-Identifier: MIT
#pragma once
// Per-window scroll information: the single source of truth for a window's two
// bars. The host only draws what is stored here and reports a user's actions
// as WM_HSCROLL / WM_VSCROLL; the bar never moves by itself.

#include "platform/WinTypes.h"

namespace lumarin::platform {

// The page is kept within 0 ... nMax - nMin + 1 and the position within
// nMin ... nMax - nPage + 1 (nMax when the page is 0). Returns the new position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
int GetScrollPos(HWND hwnd, int bar);
// Showing or hiding a bar changes the client area (WM_SIZE follows).
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows);
BOOL IsScrollBarVisible(HWND hwnd, int bar);
BOOL IsScrollBarEnabled(HWND hwnd, int bar);

} // namespace lumarin::platform
