// SPDX-License-Identifier: MIT
#pragma once
// A 32-bit pixel buffer, 0xFFRRGGBB per pixel (the layout of QImage::Format_RGB32),
// rows top to bottom. Bitmaps and window surfaces are pixel buffers.

#include <cstdint>
#include <vector>

namespace lumarin::platform {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height

    PixelBuffer() = default;
    PixelBuffer(int w, int h, std::uint32_t fill = 0xFF000000u)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

} // namespace lumarin::platform
