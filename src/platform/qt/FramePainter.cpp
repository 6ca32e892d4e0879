// SPDX-License-Identifier: MIT
#include "platform/qt/FramePainter.h"

#include "platform/ScrollBar.h"
#include "platform/Window.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <algorithm>

namespace lumarin::platform::qt {

namespace {

QColor SysColor(int index) {
    const COLORREF c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// One ring of an edge, t device pixels wide: topLeft colour on the left and
// top, bottomRight colour on the right and bottom.
void Ring(QPainter& painter, const QRect& r, int t, const QColor& topLeft,
          const QColor& bottomRight) {
    if (r.width() <= 0 || r.height() <= 0) return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), t), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), t, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom() - t + 1, r.width(), t), bottomRight);
    painter.fillRect(QRect(r.right() - t + 1, r.top(), t, r.height()), bottomRight);
}

// A ring of the frame, outside in; a negative colour leaves the face showing.
struct EdgeRing {
    int topLeft;
    int bottomRight;
};

constexpr EdgeRing kFaceRing{-1, -1};

} // namespace

void PaintWindowFrame(QPainter& painter, HWND hwnd, const QRect& windowRect) {
    const RECT insets = GetFrameInsets(hwnd);
    const LONG style = static_cast<LONG>(GetWindowLongPtr(hwnd, GWL_STYLE));
    const LONG exStyle = static_cast<LONG>(GetWindowLongPtr(hwnd, GWL_EXSTYLE));

    // The frame band first, so that any thickness the rings below do not cover
    // (a thick frame) shows as button face.
    const QRect client =
        windowRect.adjusted(insets.left, insets.top, -insets.right, -insets.bottom);
    const QColor face = SysColor(COLOR_BTNFACE);
    painter.fillRect(QRect(windowRect.left(), windowRect.top(), windowRect.width(), insets.top),
                     face);
    painter.fillRect(
        QRect(windowRect.left(), client.bottom() + 1, windowRect.width(), insets.bottom), face);
    painter.fillRect(QRect(windowRect.left(), client.top(), insets.left, client.height()), face);
    painter.fillRect(QRect(client.right() + 1, client.top(), insets.right, client.height()), face);

    EdgeRing rings[9];
    int count = 0;
    if (style & WS_THICKFRAME) {
        rings[count++] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        rings[count++] = {COLOR_3DHIGHLIGHT, COLOR_3DSHADOW};
        rings[count++] = kFaceRing;
        rings[count++] = kFaceRing;
    } else if (style & WS_BORDER) {
        rings[count++] = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    }
    if (exStyle & WS_EX_WINDOWEDGE) {
        rings[count++] = {COLOR_3DLIGHT, COLOR_3DDKSHADOW};
        rings[count++] = {COLOR_3DHIGHLIGHT, COLOR_3DSHADOW};
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        rings[count++] = {COLOR_3DSHADOW, COLOR_3DHIGHLIGHT};
        rings[count++] = {COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    }
    if (exStyle & WS_EX_STATICEDGE) rings[count++] = {COLOR_3DSHADOW, COLOR_3DHIGHLIGHT};

    // Each ring is one pixel at 96 dpi: whole device pixels, so it stays sharp.
    const int t = std::max(1, static_cast<int>(GetDeviceScale()));
    const int room = std::min({insets.left, insets.top, insets.right, insets.bottom}) / t;
    QRect r = windowRect;
    for (int i = 0; i < std::min(count, room); ++i) {
        if (rings[i].topLeft >= 0)
            Ring(painter, r, t, SysColor(rings[i].topLeft), SysColor(rings[i].bottomRight));
        r.adjust(t, t, -t, -t);
    }

    if (IsScrollBarVisible(hwnd, SB_HORZ) && IsScrollBarVisible(hwnd, SB_VERT)) {
        const RECT h = GetScrollBarRect(hwnd, SB_HORZ);
        const RECT v = GetScrollBarRect(hwnd, SB_VERT);
        painter.fillRect(QRect(QPoint(v.left, h.top), QPoint(v.right - 1, h.bottom - 1)), face);
    }
}

void PaintFocusRing(QPainter& painter, HWND hwnd, const QRect& windowRect, const QColor& colour) {
    const RECT insets = GetFrameInsets(hwnd);
    const int t = std::max(1, static_cast<int>(GetDeviceScale()));
    if (std::min({insets.left, insets.top, insets.right, insets.bottom}) < t) return;
    Ring(painter, windowRect, t, colour, colour);
}

} // namespace lumarin::platform::qt
