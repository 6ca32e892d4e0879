// SPDX-License-Identifier: MIT
// BeginPaint / EndPaint. The update region is taken (validated) when painting
// begins, so whatever is invalidated while the procedure paints is painted
// again on the next WM_PAINT instead of being lost.

#include "platform/Gdi.h"
#include "platform/PaintRegion.h"
#include "platform/Window.h"
#include "platform/WindowTable.h"

namespace lumarin::platform {

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    if (LookupWindow(hwnd) == nullptr) return 0;
    if (ps == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const PendingPaint pending = TakeUpdateRegion(hwnd);
    const HDC hdc = GetDC(hwnd);
    ps->hdc = hdc;
    ps->rcPaint = pending.area;
    ps->fErase = pending.erase;
    if (pending.erase && hdc != 0) {
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, hdc, 0) == 0;
    }
    return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (ps == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (ps->hdc != 0) ReleaseDC(hwnd, ps->hdc);
    return true;
}

} // namespace lumarin::platform
