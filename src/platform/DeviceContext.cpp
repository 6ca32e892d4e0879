// SPDX-License-Identifier: MIT
// Device contexts and their drawing state: colours, background mode, pen position.
#include "platform/Gdi.h"
#include "platform/GdiObjectTable.h"
#include "platform/Window.h"

namespace lumarin::platform {

namespace {

HDC AddDC(HWND window) {
    GdiObjectTable& table = GdiObjectTable::instance();
    DeviceContext dc;
    dc.window = window;
    table.selectDefaults(dc);
    return table.add(dc);
}

DeviceContext* FindDC(HDC hdc) {
    return GdiObjectTable::instance().find<DeviceContext>(hdc);
}

// Sets one of the DC's colours; a bad DC or colour changes nothing.
COLORREF SwapColor(HDC hdc, COLORREF DeviceContext::*slot, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || (color >> 24) != 0) return CLR_INVALID;
    COLORREF previous = dc->*slot;
    dc->*slot = color;
    return previous;
}

} // namespace

HDC GetDC(HWND hwnd) {
    return IsWindow(hwnd) ? AddDC(hwnd) : 0;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || dc->window == 0 || dc->window != hwnd) return 0;
    return GdiObjectTable::instance().removeDC(hdc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != 0 && !FindDC(hdc)) return 0;
    return AddDC(0);
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || dc->window != 0) return false; // a window's DC goes back with ReleaseDC
    return GdiObjectTable::instance().removeDC(hdc);
}

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    return SwapColor(hdc, &DeviceContext::textColor, color);
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    return SwapColor(hdc, &DeviceContext::bkColor, color);
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous) {
    DeviceContext* dc = FindDC(hdc);
    if (!dc) return false;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return true;
}

} // namespace lumarin::platform
