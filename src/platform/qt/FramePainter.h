// SPDX-License-Identifier: MIT
#pragma once
// Draws a window's non-client frame in the classic look: the edges its style
// bits ask for, from the outside in, in the system colours of the core.

#include "platform/WinTypes.h"

class QColor;
class QPainter;
class QRect;

namespace lumarin::platform::qt {

// windowRect: the whole window in widget coordinates. Also fills the corner
// square between two visible scroll bars.
void PaintWindowFrame(QPainter& painter, HWND hwnd, const QRect& windowRect);

// The frame's outer ring in `colour`, over what PaintWindowFrame drew: the
// keyboard focus shows on the window even when it has no current item to outline.
void PaintFocusRing(QPainter& painter, HWND hwnd, const QRect& windowRect, const QColor& colour);

} // namespace lumarin::platform::qt
