// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"

#include <gtest/gtest.h>

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;

// The colour fillDistinct gives a pixel, to tell where a copied pixel came from.
COLORREF Distinct(int x, int y) {
    return RGB(x * 17, y * 23, (x + y) * 5 + 1);
}

TEST(Blit, CopiesExactlyAndClipsAtBothEnds) {
    struct Case {
        const char* name;
        int x, y, width, height, sx, sy;
    } cases[] = {
        {"whole", 0, 0, 8, 6, 0, 0},
        {"inner block", 2, 1, 3, 2, 4, 3},
        {"source beyond its right and bottom", 1, 1, 8, 8, 5, 3},
        {"source before its left and top", 3, 2, 4, 4, -2, -1},
        {"destination beyond its right and bottom", 6, 4, 5, 5, 0, 0},
        {"destination before its left and top", -2, -3, 6, 6, 1, 1},
        {"nothing overlaps", 20, 20, 4, 4, 0, 0},
        {"empty", 1, 1, 0, 3, 0, 0},
    };
    for (const Case& c : cases) {
        MemoryCanvas source(8, 6);
        source.fillDistinct();
        MemoryCanvas target(9, 7, RGB(1, 1, 1));
        EXPECT_TRUE(
            BitBlt(target.dc(), c.x, c.y, c.width, c.height, source.dc(), c.sx, c.sy, SRCCOPY))
            << c.name;
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                int fx = x - c.x + c.sx, fy = y - c.y + c.sy;
                bool copied = x >= c.x && x < c.x + c.width && y >= c.y && y < c.y + c.height &&
                              fx >= 0 && fx < 8 && fy >= 0 && fy < 6;
                COLORREF expected = copied ? Distinct(fx, fy) : RGB(1, 1, 1);
                ASSERT_EQ(target.pixel(x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(Blit, OverlappingCopyWithinOneBitmap) {
    struct Case {
        int x, y, sx, sy;
    } cases[] = {{2, 1, 0, 0}, {0, 0, 2, 1}, {1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 0, 1}};
    for (const Case& c : cases) {
        MemoryCanvas canvas(8, 6);
        canvas.fillDistinct();
        EXPECT_TRUE(BitBlt(canvas.dc(), c.x, c.y, 5, 4, canvas.dc(), c.sx, c.sy, SRCCOPY));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(canvas.pixel(c.x + x, c.y + y), Distinct(c.sx + x, c.sy + y))
                    << c.x << "," << c.y << " from " << c.sx << "," << c.sy;
    }
}

TEST(Blit, RefusesOtherOperationsAndBadArguments) {
    MemoryCanvas source(4, 4, RGB(9, 9, 9)), target(4, 4);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 0x00EE0086));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, -4, 4, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 4, 4, 987654u, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(987654u, 0, 0, 4, 4, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(target.inked().empty()) << "nothing changed";
}

} // namespace
} // namespace lumarin::platform
