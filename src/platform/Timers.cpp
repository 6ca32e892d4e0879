// SPDX-License-Identifier: MIT
// Timers belong to their window. The host runs them on its event loop and
// calls FireTimer when one is due; without a host, tests call FireTimer.

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowTable.h"

#include <algorithm>

namespace lumarin::platform {

namespace {

constexpr UINT kMinimumElapse = 10;
constexpr UINT kMaximumElapse = 0x7FFFFFFF;

} // namespace

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return 0;
    // Id 0 could not be told apart from the failure result.
    if (id == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT elapse = std::clamp(elapseMs, kMinimumElapse, kMaximumElapse);
    window->timers[id] = elapse;
    if (IWindowHost* host = window->host) host->timerStarted(id, elapse);
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (window->timers.erase(id) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (IWindowHost* host = window->host) host->timerStopped(id);
    return true;
}

void FireTimer(HWND hwnd, UINT_PTR id) {
    if (IsTimerRunning(hwnd, id)) SendMessage(hwnd, WM_TIMER, id, 0);
}

bool IsTimerRunning(HWND hwnd, UINT_PTR id) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    return window != nullptr && window->timers.contains(id);
}

} // namespace lumarin::platform
