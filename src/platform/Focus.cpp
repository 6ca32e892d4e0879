// SPDX-License-Identifier: MIT
// Keyboard focus and pointer capture: one window each at a time. The messages
// go out after the state has changed, and each step checks again that the
// windows still exist, since a procedure may destroy one or move the focus on.

#include "platform/InputState.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowTable.h"

namespace lumarin::platform {

namespace {

HWND g_focus = 0;
HWND g_capture = 0;

void TellCapture(HWND hwnd, bool captured) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (window != nullptr && window->host != nullptr) window->host->captureChanged(captured);
}

} // namespace

HWND SetFocus(HWND hwnd) {
    if (hwnd != 0 && LookupWindow(hwnd) == nullptr) return 0;
    const HWND previous = g_focus;
    if (previous == hwnd) return previous;
    // Nobody holds the focus while the old window hears it is gone; if its
    // procedure hands the focus on, that choice stands.
    g_focus = 0;
    if (previous != 0 && IsWindow(previous)) {
        SendMessage(previous, WM_KILLFOCUS, static_cast<WPARAM>(hwnd), 0);
    }
    if (g_focus != 0 || hwnd == 0 || !IsWindow(hwnd)) return previous;
    g_focus = hwnd;
    SendMessage(hwnd, WM_SETFOCUS, static_cast<WPARAM>(previous), 0);
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (g_focus == hwnd && window != nullptr && window->host != nullptr) {
        window->host->focusRequested();
    }
    return previous;
}

HWND GetFocus() {
    return g_focus;
}

HWND SetCapture(HWND hwnd) {
    if (LookupWindow(hwnd) == nullptr) return 0;
    const HWND previous = g_capture;
    if (previous == hwnd) return previous;
    g_capture = hwnd;
    if (previous != 0 && IsWindow(previous)) {
        TellCapture(previous, false);
        SendMessage(previous, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(hwnd));
    }
    if (g_capture == hwnd) TellCapture(hwnd, true);
    return previous;
}

BOOL ReleaseCapture() {
    const HWND previous = g_capture;
    if (previous == 0) return true;
    g_capture = 0;
    if (IsWindow(previous)) {
        TellCapture(previous, false);
        SendMessage(previous, WM_CAPTURECHANGED, 0, 0);
    }
    return true;
}

HWND GetCapture() {
    return g_capture;
}

void ForgetInputOf(HWND hwnd) {
    if (g_focus == hwnd) g_focus = 0;
    if (g_capture == hwnd) {
        g_capture = 0;
        TellCapture(hwnd, false);
    }
}

} // namespace lumarin::platform
