// SPDX-License-Identifier: MIT
#pragma once
// Pure translations between Qt's input vocabulary and the window layer's:
// key codes, key-state flags, drop buttons and cursor shapes. Kept apart from
// the widget so that every table can be tested on its own.

#include "platform/WinTypes.h"

#include <Qt>

namespace lumarin::platform::qt {

// The virtual-key code of a Qt key, 0 for keys that have none.
UINT VirtualKeyFromQtKey(int qtKey);

// MK_* flags of a mouse message's wParam.
WPARAM MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// A point packed into lParam the way mouse messages carry it (signed 16-bit halves).
LPARAM PointLParam(int x, int y);

// Button and shift codes of a drop notification: 1 left, 2 right, 4 middle;
// 1 Shift, 2 Ctrl, 4 Alt.
int DropButton(Qt::MouseButtons buttons);
int DropShift(Qt::KeyboardModifiers modifiers);

Qt::CursorShape CursorShapeFor(HCURSOR cursor);

} // namespace lumarin::platform::qt
