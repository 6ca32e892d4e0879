// SPDX-License-Identifier: MIT
#pragma once
// Small pixel rules shared by the drawing calls: clipping a rectangle to a
// buffer, filling it, inverting one pixel. No Qt here.

#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

#include <algorithm>
#include <cstdint>

namespace lumarin::platform {

// The part of (left, top, right, bottom) - right and bottom exclusive - that
// lies inside the buffer; empty (right <= left or bottom <= top) when none does.
inline RECT ClipToBuffer(const RECT& r, const PixelBuffer& buffer) {
    return RECT{std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0),
                std::min<LONG>(r.right, buffer.width), std::min<LONG>(r.bottom, buffer.height)};
}

inline bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Returns whether any pixel was painted.
inline bool FillPixels(PixelBuffer& buffer, const RECT& r, std::uint32_t pixel) {
    RECT clip = ClipToBuffer(r, buffer);
    if (IsEmptyRect(clip)) return false;
    for (LONG y = clip.top; y < clip.bottom; ++y) {
        auto row = buffer.pixels.begin() + static_cast<std::ptrdiff_t>(y) * buffer.width;
        std::fill(row + clip.left, row + clip.right, pixel);
    }
    return true;
}

// Inverts the colour and keeps the opaque alpha, so inverting twice restores it.
inline void InvertPixel(PixelBuffer& buffer, int x, int y) {
    if (buffer.contains(x, y)) buffer.at(x, y) ^= 0x00FFFFFFu;
}

} // namespace lumarin::platform
