// SPDX-License-Identifier: MIT
// Colour conversion and direct access to the pixels behind DCs and bitmaps.
#include "platform/Canvas.h"
#include "platform/Gdi.h"

namespace lumarin::platform {

std::uint32_t ToPixel(COLORREF c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           static_cast<std::uint32_t>(GetBValue(c));
}

COLORREF FromPixel(std::uint32_t px) {
    return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

const PixelBuffer* GetDCPixels(HDC hdc) {
    Canvas canvas(hdc);
    return canvas.valid() ? &canvas.pixels() : nullptr;
}

const PixelBuffer* GetBitmapPixels(HBITMAP bitmap) {
    GdiBitmap* found = GdiObjectTable::instance().find<GdiBitmap>(bitmap);
    return found ? &found->pixels : nullptr;
}

} // namespace lumarin::platform
