// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;

constexpr COLORREF kBackground = RGB(1, 2, 3);

// Which colour of an edge a pixel should show.
enum class Role { OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight, Untouched };

struct EdgeColors {
    const char* name;
    UINT edge;
    int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

const EdgeColors kEdges[] = {
    {"raised", EDGE_RAISED, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
    {"sunken", EDGE_SUNKEN, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    {"etched", EDGE_ETCHED, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW},
    {"bump", EDGE_BUMP, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
};

COLORREF Expected(const EdgeColors& e, Role role) {
    switch (role) {
    case Role::OuterTopLeft:
        return GetSysColor(e.outerTopLeft);
    case Role::OuterBottomRight:
        return GetSysColor(e.outerBottomRight);
    case Role::InnerTopLeft:
        return GetSysColor(e.innerTopLeft);
    case Role::InnerBottomRight:
        return GetSysColor(e.innerBottomRight);
    case Role::Untouched:
        break;
    }
    return kBackground;
}

struct Probe {
    int x, y;
    Role role;
};

// Four distinct edge colours, so that a pixel in the wrong border shows.
class Edges : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemColor(COLOR_3DHIGHLIGHT, RGB(250, 250, 250));
        SetSystemColor(COLOR_3DLIGHT, RGB(200, 200, 200));
        SetSystemColor(COLOR_3DSHADOW, RGB(120, 120, 120));
        SetSystemColor(COLOR_3DDKSHADOW, RGB(40, 40, 40));
    }
    void TearDown() override { ResetSystemSettings(); }
};

void CheckEdge(const EdgeColors& e, UINT flags, const std::vector<Probe>& probes) {
    MemoryCanvas canvas(10, 8, kBackground);
    RECT r{1, 1, 9, 7};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &r, e.edge, flags));
    EXPECT_EQ(r, (RECT{1, 1, 9, 7})) << "the rectangle is not adjusted";
    for (const Probe& p : probes)
        EXPECT_EQ(canvas.pixel(p.x, p.y), Expected(e, p.role))
            << e.name << " at " << p.x << "," << p.y;
}

// Rectangle (1, 1, 9, 7): outer border on x 1 and 8, y 1 and 6; inner on x 2
// and 7, y 2 and 5. The bottom and right sides own the far corners.
TEST_F(Edges, FullRectangleInEveryStyle) {
    using enum Role;
    const std::vector<Probe> probes = {
        {1, 1, OuterTopLeft},     {4, 1, OuterTopLeft},     {8, 1, OuterBottomRight},
        {1, 4, OuterTopLeft},     {1, 6, OuterBottomRight}, {4, 6, OuterBottomRight},
        {8, 6, OuterBottomRight}, {8, 4, OuterBottomRight}, {2, 2, InnerTopLeft},
        {5, 2, InnerTopLeft},     {7, 2, InnerBottomRight}, {2, 4, InnerTopLeft},
        {2, 5, InnerBottomRight}, {5, 5, InnerBottomRight}, {7, 4, InnerBottomRight},
        {3, 3, Untouched},        {6, 4, Untouched},        {0, 0, Untouched},
        {9, 7, Untouched},        {9, 3, Untouched},        {4, 7, Untouched},
        {0, 4, Untouched},
    };
    for (const EdgeColors& e : kEdges)
        CheckEdge(e, BF_RECT, probes);
}

// A strip without a right border, as at the end of a list header: the top and
// bottom lines of both borders run to the right edge.
TEST_F(Edges, LeftTopBottomOnly) {
    using enum Role;
    const std::vector<Probe> probes = {
        {1, 1, OuterTopLeft},     {8, 1, OuterTopLeft},     {1, 6, OuterBottomRight},
        {8, 6, OuterBottomRight}, {2, 2, InnerTopLeft},     {8, 2, InnerTopLeft},
        {2, 5, InnerBottomRight}, {8, 5, InnerBottomRight}, {8, 3, Untouched},
        {7, 4, Untouched},        {5, 3, Untouched},        {9, 2, Untouched},
    };
    for (const EdgeColors& e : kEdges)
        CheckEdge(e, BF_LEFT | BF_TOP | BF_BOTTOM, probes);
}

TEST_F(Edges, RaisedAndEtchedDifferWhereTheirColoursDo) {
    MemoryCanvas raised(10, 8, kBackground), etched(10, 8, kBackground);
    RECT r{1, 1, 9, 7};
    DrawEdge(raised.dc(), &r, EDGE_RAISED, BF_RECT);
    DrawEdge(etched.dc(), &r, EDGE_ETCHED, BF_RECT);
    // The outer top-left border of a raised edge is light, of an etched one shadow.
    EXPECT_EQ(raised.pixel(3, 1), RGB(200, 200, 200));
    EXPECT_EQ(etched.pixel(3, 1), RGB(120, 120, 120));
    // Both share the inner top-left highlight.
    EXPECT_EQ(raised.pixel(3, 2), etched.pixel(3, 2));
}

TEST_F(Edges, TinyAndEmptyRectanglesStayInside) {
    const RECT rects[] = {{3, 3, 4, 4}, {3, 3, 5, 4}, {3, 3, 6, 6}, {3, 3, 3, 6}, {5, 5, 2, 2}};
    for (const RECT& rect : rects) {
        MemoryCanvas canvas(10, 8, kBackground);
        RECT r = rect;
        EXPECT_TRUE(DrawEdge(canvas.dc(), &r, EDGE_RAISED, BF_RECT));
        for (auto [x, y] : canvas.inked(kBackground))
            EXPECT_TRUE(x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom)
                << x << "," << y << " outside " << rect.left << "," << rect.top;
    }
}

TEST_F(Edges, RefuseBadArguments) {
    MemoryCanvas canvas(4, 4);
    EXPECT_FALSE(DrawEdge(canvas.dc(), nullptr, EDGE_RAISED, BF_RECT));
    RECT r{0, 0, 4, 4};
    EXPECT_FALSE(DrawEdge(987654u, &r, EDGE_RAISED, BF_RECT));
}

} // namespace
} // namespace lumarin::platform
