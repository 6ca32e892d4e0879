// SPDX-License-Identifier: MIT
// Window and client rectangles, moving and sizing, the frame and the top-most band.

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowLayout.h"
#include "platform/WindowTable.h"

#include <algorithm>

namespace lumarin::platform {

namespace {

bool ValidPointer(const void* p) {
    if (p != nullptr) return true;
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
}

POINT ClientOriginOnScreen(HWND hwnd) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    IWindowHost* host = window != nullptr ? window->host : nullptr;
    return host != nullptr ? host->screenOrigin() : POINT{};
}

// Joins or leaves the top-most band; true when that changed anything.
bool ApplyZOrder(WindowRecord& window, HWND insertAfter) {
    bool topMost = (window.exStyle & WS_EX_TOPMOST) != 0;
    if (insertAfter == HWND_TOPMOST) {
        if (topMost) return false;
        window.exStyle |= WS_EX_TOPMOST;
        return true;
    }
    if (insertAfter == HWND_NOTOPMOST) {
        if (!topMost) return false;
        window.exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
        return true;
    }
    return false;
}

void ApplyVisibility(WindowRecord& window, UINT flags) {
    if (flags & SWP_SHOWWINDOW) window.style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) window.style &= ~WS_VISIBLE;
}

} // namespace

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr || !ValidPointer(rect)) return false;
    *rect = window->rect;
    return true;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr || !ValidPointer(rect)) return false;
    const SIZE size = ClientSizeOf(*window);
    *rect = RECT{0, 0, size.cx, size.cy};
    return true;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    const SIZE clientBefore = ClientSizeOf(*window);

    RECT rect = window->rect;
    if (!(flags & SWP_NOMOVE)) {
        rect = RECT{x, y, x + RectWidth(rect), y + RectHeight(rect)};
    }
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + std::max(cx, 0);
        rect.bottom = rect.top + std::max(cy, 0);
    }
    const bool geometryChanged = !(rect == window->rect);
    window->rect = rect;

    const bool frameChanged = (flags & SWP_FRAMECHANGED) != 0;
    if (frameChanged) {
        window->frame = FrameInsetsFor(window->style, window->exStyle);
        window->bars[SB_HORZ].visible = (window->style & WS_HSCROLL) != 0;
        window->bars[SB_VERT].visible = (window->style & WS_VSCROLL) != 0;
    }
    const bool topMostChanged = !(flags & SWP_NOZORDER) && ApplyZOrder(*window, insertAfter);
    const bool topMost = (window->exStyle & WS_EX_TOPMOST) != 0;
    const LONG styleBefore = window->style;
    ApplyVisibility(*window, flags);
    const bool visibilityChanged = styleBefore != window->style;

    if (topMostChanged) {
        if (IWindowHost* host = window->host) host->topMostChanged(topMost);
    }
    if (geometryChanged || frameChanged || visibilityChanged) {
        FinishLayoutChange(hwnd, clientBefore, !(flags & SWP_NOREDRAW));
    }
    return true;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW);
    return SetWindowPos(hwnd, HWND_TOP, x, y, width, height, flags);
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
    if (LookupWindow(hwnd) == nullptr || !ValidPointer(pt)) return false;
    const POINT origin = ClientOriginOnScreen(hwnd);
    pt->x += origin.x;
    pt->y += origin.y;
    return true;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
    if (LookupWindow(hwnd) == nullptr || !ValidPointer(pt)) return false;
    const POINT origin = ClientOriginOnScreen(hwnd);
    pt->x -= origin.x;
    pt->y -= origin.y;
    return true;
}

RECT GetFrameInsets(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr ? window->frame : RECT{};
}

RECT GetScrollBarRect(HWND hwnd, int bar) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr ? ScrollBarRectOf(*window, bar) : RECT{};
}

} // namespace lumarin::platform
