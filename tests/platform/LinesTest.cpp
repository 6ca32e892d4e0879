// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;
using testing::SelectedObject;
using Points = std::vector<std::pair<int, int>>;

constexpr COLORREF kInk = RGB(200, 0, 0);

Points Sorted(Points points) {
    std::sort(points.begin(), points.end(), [](auto a, auto b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return points;
}

// Draws one line with a one-pixel pen of kInk on a white canvas.
Points DrawLine(MemoryCanvas& canvas, POINT from, POINT to) {
    SelectedObject pen(canvas.dc(), CreatePen(PS_SOLID, 1, kInk));
    MoveToEx(canvas.dc(), from.x, from.y, nullptr);
    EXPECT_TRUE(LineTo(canvas.dc(), to.x, to.y));
    return canvas.inked();
}

TEST(Lines, PaintTheStartAndNotTheEnd) {
    struct Case {
        const char* name;
        POINT from, to;
        Points painted;
    } cases[] = {
        {"right", {2, 3}, {6, 3}, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"left", {6, 3}, {2, 3}, {{3, 3}, {4, 3}, {5, 3}, {6, 3}}},
        {"down", {4, 1}, {4, 5}, {{4, 1}, {4, 2}, {4, 3}, {4, 4}}},
        {"up", {4, 5}, {4, 1}, {{4, 2}, {4, 3}, {4, 4}, {4, 5}}},
        {"diagonal down-right", {1, 1}, {4, 4}, {{1, 1}, {2, 2}, {3, 3}}},
        {"diagonal up-left", {4, 4}, {1, 1}, {{2, 2}, {3, 3}, {4, 4}}},
        {"diagonal down-left", {5, 1}, {2, 4}, {{5, 1}, {4, 2}, {3, 3}}},
        {"one pixel", {3, 3}, {4, 3}, {{3, 3}}},
        {"no length", {3, 3}, {3, 3}, {}},
        // Exact halves fall to the smaller coordinate, in both directions.
        {"shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {"shallow reversed", {4, 2}, {0, 0}, {{1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {"steep", {0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}}},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(8, 8);
        EXPECT_EQ(DrawLine(canvas, c.from, c.to), Sorted(c.painted)) << c.name;
        if (c.from.x != c.to.x || c.from.y != c.to.y) {
            EXPECT_EQ(canvas.pixel(c.to.x, c.to.y), RGB(255, 255, 255)) << c.name << ": end pixel";
        }
    }
}

// Four lines back to the start: each line's missing end is the next one's
// start, so the outline closes without a gap.
TEST(Lines, ClosedOutlineHasNoGapAndLeavesTheInside) {
    MemoryCanvas canvas(12, 8);
    SelectedObject pen(canvas.dc(), CreatePen(PS_SOLID, 1, kInk));
    MoveToEx(canvas.dc(), 1, 1, nullptr);
    for (POINT p : {POINT{9, 1}, POINT{9, 5}, POINT{1, 5}, POINT{1, 1}})
        LineTo(canvas.dc(), p.x, p.y);
    Points outline;
    for (int y = 1; y <= 5; ++y)
        for (int x = 1; x <= 9; ++x)
            if (y == 1 || y == 5 || x == 1 || x == 9) outline.emplace_back(x, y);
    EXPECT_EQ(canvas.inked(), outline);
}

TEST(Lines, LineToMovesThePenPosition) {
    MemoryCanvas canvas(4, 4);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc(), 1, 2, &previous);
    EXPECT_EQ(previous, (POINT{0, 0}));
    LineTo(canvas.dc(), 3, 3);
    MoveToEx(canvas.dc(), 0, 0, &previous);
    EXPECT_EQ(previous, (POINT{3, 3}));
}

TEST(Lines, AreClippedToTheBuffer) {
    MemoryCanvas canvas(10, 6);
    DrawLine(canvas, {-100, 2}, {100, 2});
    DrawLine(canvas, {-100000000, -100000000}, {100000000, 100000000});
    Points expected;
    for (int x = 0; x < 10; ++x)
        expected.emplace_back(x, 2);
    for (int i = 0; i < 6; ++i)
        if (i != 2) expected.emplace_back(i, i);
    EXPECT_EQ(canvas.inked(), Sorted(expected));
}

TEST(Lines, RefuseCoordinatesBeyondTheDrawingRange) {
    MemoryCanvas canvas(4, 4);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    EXPECT_FALSE(LineTo(canvas.dc(), 1 << 30, 2));
    EXPECT_TRUE(canvas.inked().empty());
    EXPECT_FALSE(LineTo(987654u, 1, 1));
}

TEST(Lines, FollowThePenStyleAndWidth) {
    struct Case {
        const char* name;
        int style, width;
        Points painted;
    } cases[] = {
        {"null", PS_NULL, 1, {}},
        {"dotted", PS_DOT, 1, {{1, 2}, {3, 2}, {5, 2}}},
        {"width 0 is one pixel", PS_SOLID, 0, {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}}},
        {"width 3", PS_SOLID, 3, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1},
                                  {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2},
                                  {0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}},
    };
    for (const Case& c : cases) {
        MemoryCanvas canvas(8, 5);
        SelectedObject pen(canvas.dc(), CreatePen(c.style, c.width, kInk));
        MoveToEx(canvas.dc(), 1, 2, nullptr);
        EXPECT_TRUE(LineTo(canvas.dc(), 6, 2));
        EXPECT_EQ(canvas.inked(), c.painted) << c.name;
    }
}

} // namespace
} // namespace lumarin::platform
