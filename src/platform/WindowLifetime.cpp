// SPDX-License-Identifier: MIT
// Creation and destruction of windows. Destruction runs in a fixed order:
// focus and capture are given up, WM_DESTROY, the children go, timers stop,
// WM_NCDESTROY as the very last message, then the handle leaves the table for
// good and the host hears that its window is gone.

#include "platform/InputState.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowLayout.h"
#include "platform/WindowTable.h"

#include <algorithm>
#include <memory>
#include <unistd.h>

namespace lumarin::platform {

namespace {

std::unique_ptr<WindowRecord> NewRecord(const WNDCLASS& wc, DWORD exStyle, LONG style,
                                        const std::u16string& windowName, int x, int y, int width,
                                        int height, HWND parent) {
    auto record = std::make_unique<WindowRecord>();
    record->className = wc.lpszClassName;
    record->text = windowName;
    record->parent = parent;
    record->proc = wc.lpfnWndProc;
    record->classCursor = wc.hCursor;
    record->style = style;
    record->exStyle = exStyle;
    record->threadId = static_cast<DWORD>(gettid());
    record->rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    record->frame = FrameInsetsFor(style, exStyle);
    record->bars[SB_HORZ].visible = (style & WS_HSCROLL) != 0;
    record->bars[SB_VERT].visible = (style & WS_VSCROLL) != 0;
    FitSurfaceToClient(*record);
    return record;
}

// The window never finished creation: it hears WM_NCDESTROY and is gone.
void AbandonCreation(HWND hwnd) {
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    WindowTable::instance().remove(hwnd);
}

void GiveUpFocusAndCapture(HWND hwnd) {
    if (GetFocus() == hwnd) SetFocus(0);
    if (GetCapture() == hwnd) ReleaseCapture();
}

void StopTimers(HWND hwnd) {
    WindowRecord* window = FindWindowRecord(hwnd);
    if (window == nullptr) return;
    const auto timers = std::move(window->timers);
    window->timers.clear();
    IWindowHost* host = window->host;
    if (host == nullptr) return;
    for (const auto& [id, elapse] : timers)
        host->timerStopped(id);
}

} // namespace

ATOM RegisterClass(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty() || wc.lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const ATOM atom = WindowTable::instance().registerClass(wc);
    if (atom == 0) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return atom;
}

HWND CreateWindowEx(DWORD dwExStyle, const std::u16string& className,
                    const std::u16string& windowName, LONG style, int x, int y, int width,
                    int height, HWND parent, LONG_PTR createParam) {
    const auto wc = WindowTable::instance().findClass(className);
    if (!wc) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return 0;
    }
    if (parent != 0 && LookupWindow(parent) == nullptr) return 0;

    const HWND hwnd = WindowTable::instance().add(
        NewRecord(*wc, dwExStyle, style, windowName, x, y, width, height, parent));
    if (hwnd == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = createParam;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = style;
    cs.lpszName = windowName;
    cs.lpszClass = wc->lpszClassName;
    cs.dwExStyle = dwExStyle;

    if (SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == 0) {
        if (IsWindow(hwnd)) AbandonCreation(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!IsWindow(hwnd)) return 0;
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RECT client;
    if (!GetClientRect(hwnd, &client)) return 0;
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
    return IsWindow(hwnd) ? hwnd : 0;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (window->destroying) return true; // a nested call while the first one runs
    window->destroying = true;

    GiveUpFocusAndCapture(hwnd);
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : WindowTable::instance().children(hwnd))
        DestroyWindow(child);
    StopTimers(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);

    // Whatever the last messages did to focus, capture or timers dies with the
    // window, without another message.
    ForgetInputOf(hwnd);
    StopTimers(hwnd);
    window = FindWindowRecord(hwnd);
    IWindowHost* host = window != nullptr ? window->host : nullptr;
    WindowTable::instance().remove(hwnd);
    if (host != nullptr) host->windowDestroyed();
    return true;
}

BOOL IsWindow(HWND hwnd) {
    return FindWindowRecord(hwnd) != nullptr;
}

std::u16string GetClassName(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr ? window->className : std::u16string();
}

HWND GetParent(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr ? window->parent : 0;
}

} // namespace lumarin::platform
