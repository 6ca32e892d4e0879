// SPDX-License-Identifier: MIT
// Lines with the current pen. A line paints its start point and not its end
// point, so a closed figure of LineTo calls paints every corner exactly once.
// The pixels are those of Bresenham's rule: one per step along the longer
// axis, the other coordinate rounded to the nearest pixel; an exact half goes
// to the smaller coordinate, so a line covers the same pixels whichever way it
// is drawn.
#include "platform/Canvas.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <cstdlib>

namespace lumarin::platform {

namespace {

// Coordinates beyond 27 bits are refused, as the classic library does; within
// them every product below fits in 64 bits.
constexpr long long kMaxCoordinate = 1LL << 27;

bool InRange(long long v) {
    return v >= -kMaxCoordinate && v <= kMaxCoordinate;
}

long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// round(delta * step / steps), an exact half rounded down.
long long MinorOffset(long long delta, long long step, long long steps) {
    long long twice = 2 * delta * step - steps; // ceil(twice / (2 * steps))
    return FloorDiv(twice + 2 * steps - 1, 2 * steps);
}

struct LineSpan {
    long long first = 0; // steps to paint: [first, last)
    long long last = 0;
};

// Only the steps whose major coordinate can reach the buffer, so a line from
// far outside costs no more than one across the buffer.
LineSpan VisibleSteps(long long start, int direction, long long steps, long long size,
                      long long margin) {
    LineSpan span{0, steps};
    long long low = -margin - start;        // direction * step >= low
    long long high = size + margin - start; // direction * step < high
    if (direction > 0) {
        span.first = std::max(span.first, low);
        span.last = std::min(span.last, high);
    } else {
        span.first = std::max(span.first, -high + 1);
        span.last = std::min(span.last, -low + 1);
    }
    return span;
}

class PenStamp {
public:
    PenStamp(PixelBuffer& buffer, const GdiPen& pen)
        : m_buffer(buffer), m_pixel(ToPixel(pen.color)), m_width(pen.width),
          m_dotted(pen.style == PS_DOT) {}

    void operator()(long long step, long long x, long long y) {
        if (m_dotted && step % 2 != 0) return;
        long long from = -(m_width / 2);
        for (long long dy = from; dy < from + m_width; ++dy)
            for (long long dx = from; dx < from + m_width; ++dx)
                if (m_buffer.contains(static_cast<int>(x + dx), static_cast<int>(y + dy)))
                    m_buffer.at(static_cast<int>(x + dx), static_cast<int>(y + dy)) = m_pixel;
    }

    int width() const { return m_width; }
    int extent(bool alongX) const { return alongX ? m_buffer.width : m_buffer.height; }

private:
    PixelBuffer& m_buffer;
    std::uint32_t m_pixel;
    int m_width;
    bool m_dotted;
};

void RasterizeLine(POINT from, POINT to, PenStamp& stamp) {
    long long dx = static_cast<long long>(to.x) - from.x;
    long long dy = static_cast<long long>(to.y) - from.y;
    bool xMajor = std::llabs(dx) >= std::llabs(dy);
    long long steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;
    long long majorStart = xMajor ? from.x : from.y;
    long long minorStart = xMajor ? from.y : from.x;
    long long minorDelta = xMajor ? dy : dx;
    int direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
    LineSpan span = VisibleSteps(majorStart, direction, steps, stamp.extent(xMajor), stamp.width());
    for (long long step = span.first; step < span.last; ++step) {
        long long major = majorStart + direction * step;
        long long minor = minorStart + MinorOffset(minorDelta, step, steps);
        stamp(step, xMajor ? major : minor, xMajor ? minor : major);
    }
}

} // namespace

BOOL LineTo(HDC hdc, int x, int y) {
    Canvas canvas(hdc);
    if (!canvas.valid() || !InRange(x) || !InRange(y)) return false;
    DeviceContext& dc = canvas.dc();
    POINT from = dc.position;
    POINT to{x, y};
    dc.position = to;
    GdiPen* pen = GdiObjectTable::instance().find<GdiPen>(dc.pen);
    if (!pen || pen->style == PS_NULL || !InRange(from.x) || !InRange(from.y)) return true;
    PenStamp stamp(canvas.pixels(), *pen);
    RasterizeLine(from, to, stamp);
    canvas.markChanged();
    return true;
}

} // namespace lumarin::platform
