// SPDX-License-Identifier: MIT
// Creating, selecting and deleting drawing objects.
#include "platform/Gdi.h"
#include "platform/GdiObjectTable.h"

#include <new>

namespace lumarin::platform {

namespace {

// Larger requests are taken for mistakes (a negative size cast to unsigned, a
// runaway layout) rather than met with gigabytes of memory.
constexpr int kMaxBitmapSide = 32767;
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;

// Palette-relative forms and CLR_INVALID carry a high byte; plain RGB does not.
bool IsPlainColor(COLORREF color) {
    return (color >> 24) == 0;
}

bool IsDCOrScreen(HDC hdc) {
    return hdc == 0 || GdiObjectTable::instance().find<DeviceContext>(hdc) != nullptr;
}

} // namespace

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    if (!IsDCOrScreen(hdc) || width <= 0 || height <= 0 || width > kMaxBitmapSide ||
        height > kMaxBitmapSide || static_cast<long long>(width) * height > kMaxBitmapPixels)
        return 0;
    try {
        return GdiObjectTable::instance().add(GdiBitmap{PixelBuffer(width, height)});
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return IsPlainColor(color) ? GdiObjectTable::instance().add(GdiBrush{color}) : 0;
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_DOT && style != PS_NULL) return 0;
    if (!IsPlainColor(color)) return 0;
    // Width 0 (and anything below) is the one-pixel pen.
    return GdiObjectTable::instance().add(GdiPen{style, width < 1 ? 1 : width, color});
}

HFONT CreateFontIndirect(const LOGFONT* lf) {
    if (!lf) return 0;
    GdiFont font{*lf};
    if (font.logFont.lfFaceName.size() > LF_FACESIZE - 1)
        font.logFont.lfFaceName.resize(LF_FACESIZE - 1);
    return GdiObjectTable::instance().add(std::move(font));
}

HGDIOBJ GetStockObject(int index) {
    return GdiObjectTable::instance().stockObject(index);
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) {
    return GdiObjectTable::instance().select(hdc, obj);
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = GdiObjectTable::instance().find<DeviceContext>(hdc);
    if (!dc) return 0;
    switch (type) {
    case OBJ_PEN:
        return dc->pen;
    case OBJ_BRUSH:
        return dc->brush;
    case OBJ_FONT:
        return dc->font;
    case OBJ_BITMAP:
        return dc->bitmap;
    default:
        return 0;
    }
}

BOOL DeleteObject(HGDIOBJ obj) {
    return GdiObjectTable::instance().removeObject(obj);
}

DWORD GetObjectType(HGDIOBJ obj) {
    return GdiObjectTable::instance().typeOf(obj);
}

} // namespace lumarin::platform
