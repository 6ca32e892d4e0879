// SPDX-License-Identifier: MIT
// Attaching hosts and the window surface they show.

#include "platform/WindowHost.h"

#include "platform/Window.h"
#include "platform/WindowSurface.h"
#include "platform/WindowTable.h"

#include <vector>

namespace lumarin::platform {

void AttachWindowHost(HWND hwnd, IWindowHost* host) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return;
    window->host = host;
    if (host == nullptr) return;
    // Timers set before the host came must run on its loop too.
    std::vector<std::pair<UINT_PTR, UINT>> timers(window->timers.begin(), window->timers.end());
    for (const auto& [id, elapse] : timers)
        host->timerStarted(id, elapse);
}

IWindowHost* GetWindowHost(HWND hwnd) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    return window != nullptr ? window->host : nullptr;
}

const PixelBuffer* GetWindowSurface(HWND hwnd) {
    return MutableWindowSurface(hwnd);
}

PixelBuffer* MutableWindowSurface(HWND hwnd) {
    WindowRecord* window = LookupWindow(hwnd);
    return window != nullptr ? &window->surface : nullptr;
}

void SurfaceUpdated(HWND hwnd) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (window != nullptr && window->host != nullptr) window->host->surfaceChanged();
}

} // namespace lumarin::platform
