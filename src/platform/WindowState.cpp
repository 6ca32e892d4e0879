// SPDX-License-Identifier: MIT
// Enabled and visible state: the WS_DISABLED and WS_VISIBLE style bits.

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowTable.h"

namespace lumarin::platform {

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    const bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled != enable) return wasDisabled;
    if (enable) {
        window->style &= ~WS_DISABLED;
    } else {
        window->style |= WS_DISABLED;
    }
    if (IWindowHost* host = window->host) host->frameChanged();
    if (!enable && GetCapture() == hwnd) ReleaseCapture();
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0;
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    const bool wasVisible = (window->style & WS_VISIBLE) != 0;
    const bool show = cmdShow != SW_HIDE;
    if (wasVisible == show) return wasVisible;
    if (show) {
        window->style |= WS_VISIBLE;
    } else {
        window->style &= ~WS_VISIBLE;
    }
    if (IWindowHost* host = window->host) host->frameChanged();
    SendMessage(hwnd, WM_SHOWWINDOW, show ? 1 : 0, 0);
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr && (window->style & WS_VISIBLE) != 0;
}

} // namespace lumarin::platform
