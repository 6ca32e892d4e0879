// SPDX-License-Identifier: MIT
// Block copies between DCs. The copied block is clipped against both the source
// and the destination; source and destination may be the same buffer, even
// with overlapping blocks.
#include "platform/Canvas.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstring>

namespace lumarin::platform {

namespace {

struct Span {
    long long first = 0; // offsets [first, last) inside the block
    long long last = 0;
};

Span ClipSpan(long long length, long long dest, long long destSize, long long src,
              long long srcSize) {
    Span span{0, length};
    span.first = std::max({span.first, -dest, -src});
    span.last = std::min({span.last, destSize - dest, srcSize - src});
    return span;
}

} // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop) {
    if (rop != SRCCOPY || width < 0 || height < 0) return false;
    Canvas to(dest);
    Canvas from(src);
    if (!to.valid() || !from.valid()) return false;
    PixelBuffer& target = to.pixels();
    const PixelBuffer& source = from.pixels();
    Span cols = ClipSpan(width, x, target.width, sx, source.width);
    Span rows = ClipSpan(height, y, target.height, sy, source.height);
    if (cols.first >= cols.last || rows.first >= rows.last) return true;

    // Within one buffer a block moving down is copied bottom row first, and
    // memmove handles the overlap inside a row, so no source pixel is
    // overwritten before it is read.
    const auto rowBytes = static_cast<std::size_t>(cols.last - cols.first) * sizeof(std::uint32_t);
    const bool bottomUp = y > sy;
    for (long long i = 0; i < rows.last - rows.first; ++i) {
        long long row = bottomUp ? rows.last - 1 - i : rows.first + i;
        const std::uint32_t* in =
            &source.pixels[static_cast<std::size_t>((sy + row) * source.width + sx + cols.first)];
        std::uint32_t* out =
            &target.pixels[static_cast<std::size_t>((y + row) * target.width + x + cols.first)];
        std::memmove(out, in, rowBytes);
    }
    to.markChanged();
    return true;
}

} // namespace lumarin::platform
