// SPDX-License-Identifier: MIT
// Filled rectangles and the inverted, dotted focus rectangle.
#include "platform/Canvas.h"
#include "platform/Gdi.h"
#include "platform/PixelOps.h"

namespace lumarin::platform {

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    Canvas canvas(hdc);
    GdiBrush* found = GdiObjectTable::instance().find<GdiBrush>(brush);
    if (!canvas.valid() || !rect || !found) return 0;
    if (!found->hollow && FillPixels(canvas.pixels(), *rect, ToPixel(found->color)))
        canvas.markChanged();
    return 1;
}

// Every other pixel of the outline is inverted, on a checkerboard fixed to the
// surface, and each outline pixel is visited once even where the sides meet:
// drawing the same rectangle again puts back exactly what was there.
BOOL DrawFocusRect(HDC hdc, const RECT* rect) {
    Canvas canvas(hdc);
    if (!canvas.valid() || !rect) return false;
    if (IsEmptyRect(*rect)) return true;
    PixelBuffer& buffer = canvas.pixels();
    RECT clip = ClipToBuffer(*rect, buffer);
    auto dot = [&](LONG x, LONG y) {
        if (((static_cast<long long>(x) + y) & 1) == 0) InvertPixel(buffer, x, y);
    };
    const RECT& r = *rect;
    for (LONG x = clip.left; x < clip.right; ++x) {
        dot(x, r.top);
        if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
    }
    for (LONG y = std::max(clip.top, r.top + 1); y < std::min(clip.bottom, r.bottom - 1); ++y) {
        dot(r.left, y);
        if (r.right - 1 > r.left) dot(r.right - 1, y);
    }
    canvas.markChanged();
    return true;
}

} // namespace lumarin::platform
