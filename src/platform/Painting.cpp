// SPDX-License-Identifier: MIT
// The update region: kept as the bounding box of everything invalidated since
// the last paint. Painting a little more than needed is harmless; missing a
// part is not.

#include "platform/PaintRegion.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowLayout.h"
#include "platform/WindowTable.h"

#include <algorithm>

namespace lumarin::platform {

namespace {

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.right <= r.left || r.bottom <= r.top) return RECT{};
    return r;
}

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

} // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    const SIZE size = ClientSizeOf(*window);
    const RECT client{0, 0, size.cx, size.cy};
    const RECT area = rect != nullptr ? Intersect(*rect, client) : client;
    if (IsEmpty(area)) return true;
    window->update = window->hasUpdate ? Union(window->update, area) : area;
    window->hasUpdate = true;
    window->erasePending = window->erasePending || erase;
    if (IWindowHost* host = window->host) host->invalidated();
    return true;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (rect == nullptr || Contains(*rect, window->update)) {
        window->hasUpdate = false;
        window->update = RECT{};
        window->erasePending = false;
    }
    return true;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL /*erase*/) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (rect != nullptr) *rect = window->hasUpdate ? window->update : RECT{};
    return window->hasUpdate;
}

BOOL UpdateWindow(HWND hwnd) {
    const WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (window->hasUpdate) SendMessage(hwnd, WM_PAINT, 0, 0);
    return true;
}

PendingPaint TakeUpdateRegion(HWND hwnd) {
    WindowRecord* window = FindWindowRecord(hwnd);
    if (window == nullptr) return {};
    PendingPaint pending{window->hasUpdate ? window->update : RECT{}, window->erasePending};
    window->hasUpdate = false;
    window->update = RECT{};
    window->erasePending = false;
    return pending;
}

} // namespace lumarin::platform
