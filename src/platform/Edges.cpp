// SPDX-License-Identifier: MIT
// Classic 3-D edges: two one-pixel borders, outer then inner. In each border the
// top and left sides are drawn first over the full length, then the bottom and
// right sides, which therefore own the top-right and bottom-left corners.
#include "platform/Canvas.h"
#include "platform/Gdi.h"
#include "platform/PixelOps.h"
#include "platform/Window.h"

#include <optional>

namespace lumarin::platform {

namespace {

struct BorderColors {
    int topLeft; // system colour index
    int bottomRight;
};

// A border is raised or sunken; with neither bit, or both, it is not drawn.
std::optional<BorderColors> ColorsOf(UINT edge, UINT raisedBit, UINT sunkenBit, BorderColors raised,
                                     BorderColors sunken) {
    bool isRaised = edge & raisedBit, isSunken = edge & sunkenBit;
    if (isRaised == isSunken) return std::nullopt;
    return isRaised ? raised : sunken;
}

std::optional<BorderColors> OuterColors(UINT edge) {
    return ColorsOf(edge, BDR_RAISEDOUTER, BDR_SUNKENOUTER, {COLOR_3DLIGHT, COLOR_3DDKSHADOW},
                    {COLOR_3DSHADOW, COLOR_3DHIGHLIGHT});
}

std::optional<BorderColors> InnerColors(UINT edge) {
    return ColorsOf(edge, BDR_RAISEDINNER, BDR_SUNKENINNER, {COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
                    {COLOR_3DDKSHADOW, COLOR_3DLIGHT});
}

// Draws one border on the sides named by flags; returns whether a pixel changed.
bool DrawBorder(PixelBuffer& buffer, const RECT& r, UINT flags, const BorderColors& colors) {
    bool painted = false;
    std::uint32_t light = ToPixel(GetSysColor(colors.topLeft));
    std::uint32_t dark = ToPixel(GetSysColor(colors.bottomRight));
    if (flags & BF_TOP)
        painted |= FillPixels(buffer, RECT{r.left, r.top, r.right, r.top + 1}, light);
    if (flags & BF_LEFT)
        painted |= FillPixels(buffer, RECT{r.left, r.top, r.left + 1, r.bottom}, light);
    if (flags & BF_BOTTOM)
        painted |= FillPixels(buffer, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
    if (flags & BF_RIGHT)
        painted |= FillPixels(buffer, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
    return painted;
}

RECT Deflate(RECT r, UINT flags) {
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
    return r;
}

} // namespace

BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) {
    Canvas canvas(hdc);
    if (!canvas.valid() || !rect) return false;
    RECT r = *rect;
    if (IsEmptyRect(r)) return true;
    bool painted = false;
    if (auto outer = OuterColors(edge)) {
        painted |= DrawBorder(canvas.pixels(), r, flags, *outer);
        r = Deflate(r, flags);
    }
    if (auto inner = InnerColors(edge); inner && !IsEmptyRect(r))
        painted |= DrawBorder(canvas.pixels(), r, flags, *inner);
    if (painted) canvas.markChanged();
    return true;
}

} // namespace lumarin::platform
