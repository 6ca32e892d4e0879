// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"

#include <gtest/gtest.h>

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;

TEST(Fills, FillRectPaintsRightAndBottomExclusiveWithinTheBuffer) {
    struct Case {
        const char* name;
        RECT rect;
        RECT painted; // all zero: nothing
    } cases[] = {
        {"inside", {2, 1, 5, 4}, {2, 1, 5, 4}},
        {"one pixel", {3, 3, 4, 4}, {3, 3, 4, 4}},
        {"over the top-left", {-3, -3, 2, 2}, {0, 0, 2, 2}},
        {"over the bottom-right", {8, 5, 20, 20}, {8, 5, 10, 8}},
        {"whole buffer and more", {-1, -1, 11, 9}, {0, 0, 10, 8}},
        {"no width", {3, 3, 3, 6}, {}},
        {"turned inside out", {5, 5, 2, 2}, {}},
        {"beyond the buffer", {20, 20, 30, 30}, {}},
        {"extreme coordinates", {INT32_MIN, INT32_MIN, INT32_MAX, 1}, {0, 0, 10, 1}},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(10, 8);
        HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
        EXPECT_EQ(FillRect(canvas.dc(), &c.rect, brush), 1) << c.name;
        EXPECT_EQ(canvas.inkBounds(), c.painted) << c.name;
        if (c.painted.right > 0) {
            EXPECT_EQ(canvas.inked().size(),
                      static_cast<std::size_t>((c.painted.right - c.painted.left) *
                                               (c.painted.bottom - c.painted.top)))
                << c.name << ": solid";
            EXPECT_EQ(canvas.pixel(c.painted.left, c.painted.top), RGB(0, 0, 255)) << c.name;
        }
        DeleteObject(brush);
    }
}

TEST(Fills, FillRectWithoutAUsableBrushPaintsNothing) {
    MemoryCanvas canvas(4, 4);
    RECT all{0, 0, 4, 4};
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    DeleteObject(brush);
    EXPECT_EQ(FillRect(canvas.dc(), &all, brush), 0) << "deleted brush";
    EXPECT_EQ(FillRect(canvas.dc(), &all, 0), 0) << "no brush";
    EXPECT_EQ(FillRect(canvas.dc(), &all, GetStockObject(BLACK_PEN)), 0) << "a pen";
    EXPECT_EQ(FillRect(canvas.dc(), &all, GetStockObject(NULL_BRUSH)), 1) << "hollow brush";
    EXPECT_EQ(FillRect(canvas.dc(), nullptr, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_TRUE(canvas.inked().empty());
}

TEST(Fills, FocusRectInvertsEveryOtherOutlinePixel) {
    MemoryCanvas canvas(6, 5);
    RECT r{0, 0, 4, 3};
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &r));
    std::vector<std::pair<int, int>> expected = {{0, 0}, {2, 0}, {3, 1}, {0, 2}, {2, 2}};
    EXPECT_EQ(canvas.inked(), expected);
    for (auto [x, y] : expected)
        EXPECT_EQ(canvas.pixel(x, y), RGB(0, 0, 0)) << "white inverted";
}

TEST(Fills, FocusRectDrawnTwiceRestoresTheBuffer) {
    struct Case {
        RECT rect;
        bool visible;
    } cases[] = {
        {{1, 1, 9, 7}, true},  {{2, 2, 3, 3}, true},   {{0, 3, 10, 4}, true},
        {{4, 0, 5, 8}, true},  {{-3, -2, 5, 4}, true}, {{6, 5, 20, 20}, true},
        {{0, 0, 10, 8}, true}, {{2, 2, 2, 6}, false},  {{11, 0, 20, 8}, false},
    };
    for (const Case& c : cases) {
        const RECT& r = c.rect;
        MemoryCanvas canvas(10, 8);
        canvas.fillDistinct(); // a missed or doubled pixel shows
        const std::vector<std::uint32_t> before = canvas.buffer().pixels;
        EXPECT_TRUE(DrawFocusRect(canvas.dc(), &r));
        EXPECT_EQ(canvas.buffer().pixels != before, c.visible) << r.left << "," << r.top;
        EXPECT_TRUE(DrawFocusRect(canvas.dc(), &r));
        EXPECT_EQ(canvas.buffer().pixels, before)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(Fills, FocusRectLeavesInsideAndOutsideAlone) {
    MemoryCanvas canvas(12, 10);
    RECT r{2, 2, 10, 8};
    DrawFocusRect(canvas.dc(), &r);
    for (auto [x, y] : canvas.inked()) {
        bool onOutline =
            (x == 2 || x == 9 || y == 2 || y == 7) && x >= 2 && x <= 9 && y >= 2 && y <= 7;
        EXPECT_TRUE(onOutline) << x << "," << y;
    }
    EXPECT_EQ(canvas.inked().size(), 12u) << "half of the 24 outline pixels";
}

} // namespace
} // namespace lumarin::platform
