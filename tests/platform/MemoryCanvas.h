// SPDX-License-Identifier: MIT
#pragma once
// A memory DC with its own bitmap, for pixel tests: filled with one colour,
// read back pixel by pixel, released at the end of the test.

#include "platform/Gdi.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumarin::platform::testing {

// Selects an object it owns into a DC; at the end selects back what it
// replaced and deletes the object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_object(object), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_object);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_previous;
};

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
        : m_dc(CreateCompatibleDC(0)), m_bitmap(CreateCompatibleBitmap(m_dc, width, height)) {
        m_previous = SelectObject(m_dc, m_bitmap);
        this->fill(fill);
    }
    ~MemoryCanvas() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    const PixelBuffer& buffer() const { return *GetBitmapPixels(m_bitmap); }
    int width() const { return buffer().width; }
    int height() const { return buffer().height; }
    COLORREF pixel(int x, int y) const { return FromPixel(buffer().at(x, y)); }

    void fill(COLORREF color) {
        HBRUSH brush = CreateSolidBrush(color);
        RECT all{0, 0, width(), height()};
        FillRect(m_dc, &all, brush);
        DeleteObject(brush);
    }

    // Gives every pixel a colour of its own.
    void fillDistinct() {
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) {
                HBRUSH brush = CreateSolidBrush(RGB(x * 17, y * 23, (x + y) * 5 + 1));
                RECT one{x, y, x + 1, y + 1};
                FillRect(m_dc, &one, brush);
                DeleteObject(brush);
            }
    }

    // Every pixel whose colour is not `background`, in row order.
    std::vector<std::pair<int, int>> inked(COLORREF background = RGB(255, 255, 255)) const {
        std::vector<std::pair<int, int>> points;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (pixel(x, y) != background) points.emplace_back(x, y);
        return points;
    }

    // The smallest rectangle holding every pixel that is not `background`;
    // empty (all zero) when there is none.
    RECT inkBounds(COLORREF background = RGB(255, 255, 255)) const {
        auto points = inked(background);
        if (points.empty()) return RECT{};
        RECT r{points[0].first, points[0].second, points[0].first + 1, points[0].second + 1};
        for (auto [x, y] : points) {
            r.left = std::min<LONG>(r.left, x);
            r.top = std::min<LONG>(r.top, y);
            r.right = std::max<LONG>(r.right, x + 1);
            r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
        return r;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous = 0;
};

} // namespace lumarin::platform::testing
