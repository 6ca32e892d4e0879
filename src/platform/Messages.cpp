// SPDX-License-Identifier: MIT
// Procedures, long values and message delivery. SendMessage looks the
// procedure up on every call and keeps nothing from the table while the
// procedure runs, so a procedure may swap itself out or destroy its window.

#include "platform/Window.h"
#include "platform/WindowLayout.h"
#include "platform/WindowTable.h"

#include <unistd.h>

namespace lumarin::platform {

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

LRESULT HitTest(HWND hwnd, LPARAM screenPoint) {
    POINT pt{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (!ScreenToClient(hwnd, &pt)) return HTNOWHERE;
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (window == nullptr) return HTNOWHERE;
    const POINT inWindow{pt.x + window->frame.left, pt.y + window->frame.top};
    const RECT whole{0, 0, RectWidth(window->rect), RectHeight(window->rect)};
    if (!PointInRect(whole, inWindow)) return HTNOWHERE;
    if (PointInRect(ClientRectInWindow(*window), inWindow)) return HTCLIENT;
    if (PointInRect(ScrollBarRectOf(*window, SB_VERT), inWindow)) return HTVSCROLL;
    if (PointInRect(ScrollBarRectOf(*window, SB_HORZ), inWindow)) return HTHSCROLL;
    const RECT& f = window->frame;
    const RECT inside{f.left, f.top, whole.right - f.right, whole.bottom - f.bottom};
    // What is left inside the frame is the corner between two bars.
    return PointInRect(inside, inWindow) ? HTNOWHERE : HTBORDER;
}

LRESULT DefaultSetCursor(HWND hwnd, LPARAM lParam) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (window == nullptr) return false;
    const bool client =
        static_cast<LRESULT>(LOWORD(static_cast<std::uintptr_t>(lParam))) == HTCLIENT;
    const HCURSOR shape = client && window->classCursor != 0 ? window->classCursor : IDC_ARROW;
    SetCursor(shape);
    return true;
}

} // namespace

DWORD GetLastError() {
    return t_lastError;
}
void SetLastError(DWORD code) {
    t_lastError = code;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return FromWndProc(window->proc);
    case GWL_STYLE:
        return window->style;
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(window->exStyle);
    case GWLP_USERDATA:
        return window->userData;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return 0;
    LONG_PTR previous = 0;
    switch (index) {
    case GWLP_WNDPROC:
        // A window without a procedure could not receive its next message.
        if (value == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        previous = FromWndProc(window->proc);
        window->proc = ToWndProc(value);
        return previous;
    case GWL_STYLE:
        previous = window->style;
        window->style = static_cast<LONG>(value);
        return previous;
    case GWL_EXSTYLE:
        previous = static_cast<LONG_PTR>(window->exStyle);
        window->exStyle = static_cast<DWORD>(value);
        return previous;
    case GWLP_USERDATA:
        previous = window->userData;
        window->userData = value;
        return previous;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (proc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return 0;
    const WNDPROC proc = window->proc;
    return proc(hwnd, msg, wParam, lParam);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (msg) {
    case WM_NCCREATE:
        return true;
    case WM_NCHITTEST:
        return HitTest(hwnd, lParam);
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_PAINT:
        ValidateRect(hwnd, nullptr);
        return 0;
    case WM_SETCURSOR:
        return DefaultSetCursor(hwnd, lParam);
    case WM_MOUSEWHEEL: {
        // An unhandled wheel turn goes on to the parent, as users expect.
        const HWND parent = GetParent(hwnd);
        return parent != 0 ? SendMessage(parent, msg, wParam, lParam) : 0;
    }
    default:
        return 0;
    }
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return 0;
    if (processId != nullptr) *processId = GetCurrentProcessId();
    return window->threadId;
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

} // namespace lumarin::platform
