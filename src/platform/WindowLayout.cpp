// SPDX-License-Identifier: MIT
#include "platform/WindowLayout.h"

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowTable.h"

#include <algorithm>

namespace lumarin::platform {

namespace {

constexpr std::uint32_t kFreshSurfacePixel = 0xFFFFFFFFu;

} // namespace

RECT FrameInsetsFor(LONG style, DWORD exStyle) {
    LONG inset = 0;
    if (style & WS_THICKFRAME) {
        inset = 4;
    } else if (style & WS_BORDER) {
        inset = 1;
    }
    if (exStyle & WS_EX_WINDOWEDGE) inset += 2;
    if (exStyle & WS_EX_CLIENTEDGE) inset += 2;
    if (exStyle & WS_EX_STATICEDGE) inset += 1;
    inset = ScaleToDevice(inset);
    return RECT{inset, inset, inset, inset};
}

LONG RectWidth(const RECT& rect) {
    return rect.right - rect.left;
}
LONG RectHeight(const RECT& rect) {
    return rect.bottom - rect.top;
}

bool PointInRect(const RECT& rect, POINT pt) {
    return pt.x >= rect.left && pt.x < rect.right && pt.y >= rect.top && pt.y < rect.bottom;
}

SIZE ClientSizeOf(const WindowRecord& window) {
    LONG cx = RectWidth(window.rect) - window.frame.left - window.frame.right;
    LONG cy = RectHeight(window.rect) - window.frame.top - window.frame.bottom;
    if (window.bars[SB_VERT].visible) cx -= GetSystemMetrics(SM_CXVSCROLL);
    if (window.bars[SB_HORZ].visible) cy -= GetSystemMetrics(SM_CYHSCROLL);
    return SIZE{std::max<LONG>(cx, 0), std::max<LONG>(cy, 0)};
}

RECT ClientRectInWindow(const WindowRecord& window) {
    const SIZE size = ClientSizeOf(window);
    return RECT{window.frame.left, window.frame.top, window.frame.left + size.cx,
                window.frame.top + size.cy};
}

RECT ScrollBarRectOf(const WindowRecord& window, int bar) {
    if (bar != SB_HORZ && bar != SB_VERT) return RECT{};
    if (!window.bars[bar].visible) return RECT{};
    const RECT client = ClientRectInWindow(window);
    const LONG width = RectWidth(window.rect);
    const LONG height = RectHeight(window.rect);
    if (bar == SB_VERT) {
        const LONG right = std::max(width - window.frame.right, client.right);
        const LONG left = std::max(right - GetSystemMetrics(SM_CXVSCROLL), client.right);
        return RECT{left, client.top, right, client.bottom};
    }
    const LONG bottom = std::max(height - window.frame.bottom, client.bottom);
    const LONG top = std::max(bottom - GetSystemMetrics(SM_CYHSCROLL), client.bottom);
    return RECT{client.left, top, client.right, bottom};
}

void FitSurfaceToClient(WindowRecord& window) {
    const SIZE size = ClientSizeOf(window);
    PixelBuffer& old = window.surface;
    if (old.width == size.cx && old.height == size.cy) return;
    PixelBuffer fresh(size.cx, size.cy, kFreshSurfacePixel);
    const int keepW = std::min(old.width, fresh.width);
    const int keepH = std::min(old.height, fresh.height);
    for (int y = 0; y < keepH; ++y) {
        std::copy_n(&old.at(0, y), keepW, &fresh.at(0, y));
    }
    window.surface = std::move(fresh);
}

void FinishLayoutChange(HWND hwnd, SIZE clientBefore, bool redraw) {
    WindowRecord* window = FindWindowRecord(hwnd);
    if (window == nullptr) return;
    FitSurfaceToClient(*window);
    const SIZE after = ClientSizeOf(*window);
    if (IWindowHost* host = window->host) host->frameChanged();
    if (after == clientBefore) return;
    if (redraw) InvalidateRect(hwnd, nullptr, true);
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(after.cx), static_cast<WORD>(after.cy)));
}

} // namespace lumarin::platform
