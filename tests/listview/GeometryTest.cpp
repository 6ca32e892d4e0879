// SPDX-License-Identifier: MIT
// What the window shows against what the mouse hits: the rows shown when
// scrolled to the end, the check box and the column divider while the
// content is scrolled sideways. Pixels are read from the window's surface,
// where the back buffer lands at the horizontal scroll offset.

#include "ListViewFixture.h"

#include <optional>

namespace lumarin::listview {
namespace {

using namespace platform;

class GeometryTest : public ListViewFixture {
protected:
    COLORREF Shown(int x, int y) const {
        const PixelBuffer* surface = GetWindowSurface(hwnd());
        EXPECT_NE(surface, nullptr);
        if (surface == nullptr || !surface->contains(x, y)) return 0xFFFFFFFFu;
        return FromPixel(surface->at(x, y));
    }
    void ScrollSideways(int value) {
        ASSERT_TRUE(ListViewTestAccess::ScrollVisible(*lv, SB_HORZ));
        ListViewTestAccess::ScrollTo(*lv, SB_HORZ, value);
        ASSERT_EQ(HScroll(), value);
    }
};

TEST_F(GeometryTest, ScrolledToTheEndTheRowsFillTheWindowToLessThanOneRow) {
    constexpr int kRows = 60;
    Fill({200}, kRows);
    for (int r = 0; r < kRows; ++r)
        lv->ItemSelected(r, true);
    // Row heights of 10 to 33 pixels: every remainder of the window's height.
    for (int text = 6; text < 30; ++text) {
        SCOPED_TRACE("text height " + std::to_string(text));
        ListViewTestAccess::ForceTextHeight(*lv, text);
        Wheel(kRows); // far past the end
        const int h = lv->ItemHeight();
        int lastPainted = -1;
        for (int y = 0; y < Client().bottom; ++y)
            if (Shown(50, y) == kSelBack) lastPainted = y;
        ASSERT_GE(lastPainted, 0);
        EXPECT_EQ(lv->RowFromPoint(50, lastPainted), kRows - 1);
        EXPECT_LT(Client().bottom - (lastPainted + 1), h) << "a blank row is left at the end";
    }
}

TEST_F(GeometryTest, CheckBoxIsHitExactlyInsideThePaintedSquareWhileScrolledSideways) {
    lv->ColumnsVisible(false);
    lv->Checkboxes(true);
    Fill({300, 300}, 3);
    const int y = lv->ItemHeight() + lv->ItemHeight() / 2; // the middle of row 1
    for (const int scroll : {1, 2, 3}) {
        SCOPED_TRACE("scrolled by " + std::to_string(scroll));
        ScrollSideways(scroll);
        // The inner square's left and right edge as painted on this line (the
        // pen changes with the row's selection).
        const auto pen = [&](int x) {
            const COLORREF c = Shown(x, y);
            return c == kCheck || c == kCheckSel;
        };
        std::vector<int> edges;
        for (int x = 0; x < 30; ++x)
            if (pen(x)) edges.push_back(x);
        ASSERT_GE(edges.size(), 3u);
        const int innerLeft = pen(edges[0] + 1) ? edges[0] + 1 : edges[0];
        const int innerRight = edges[edges.size() - 2];
        for (int x = 0; x < 30; ++x) {
            SCOPED_TRACE("x = " + std::to_string(x));
            lv->ItemChecked(1, false);
            Click(x, y);
            EXPECT_EQ(lv->ItemChecked(1), x > innerLeft && x < innerRight);
        }
    }
}

class DividerTest : public GeometryTest {
protected:
    void SetUp() override {
        GeometryTest::SetUp();
        Fill({200, 300}, 3);
        lv->ColumnCaption(0, u"");
        lv->ColumnCaption(1, u"");
    }
    // The shape last asked for; the arrow until the first request.
    static HCURSOR Pointer(const ShapeAndTimerHost& host) {
        return host.cursors.empty() ? IDC_ARROW : host.cursors.back();
    }
    int HeaderY() const { return ListViewTestAccess::HeaderBottom(*lv) / 2; }

    // Where the window shows a divider: a raised cell's right border ends in
    // its dark outer pixel, and the next cell's border begins one pixel on
    // with its outer pixel, then its highlight.
    std::optional<int> PaintedDivider() const {
        const int y = HeaderY();
        const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
        const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
        std::optional<int> found;
        for (int x = 1; x + 1 < Client().right; ++x) {
            if (Shown(x - 1, y) != dark || Shown(x + 1, y) != light) continue;
            EXPECT_FALSE(found.has_value()) << "two dividers at " << *found << " and " << x;
            found = x;
        }
        return found;
    }
};

TEST_F(DividerTest, PaintedDividerGrabZoneAndPointerAgreeToThePixel) {
    ShapeAndTimerHost host;
    AttachWindowHost(hwnd(), &host);
    ScrollSideways(50);
    struct Case {
        int grabOffset; // from the painted divider
        int dragBy;
    };
    for (const Case c : {Case{0, 30}, Case{-4, -20}, Case{4, 7}, Case{-3, 1}}) {
        SCOPED_TRACE("grab at " + std::to_string(c.grabOffset) + ", drag by " +
                     std::to_string(c.dragBy));
        const std::optional<int> divider = PaintedDivider();
        ASSERT_TRUE(divider.has_value());
        EXPECT_EQ(lv->ColumnFromPoint(*divider - 1, 0), 0);
        EXPECT_EQ(lv->ColumnFromPoint(*divider, 0), 1);
        // The sizing arrow shows exactly within four pixels of the painted divider.
        for (int x = *divider - 6; x <= *divider + 6; ++x) {
            Hover(x, HeaderY());
            EXPECT_EQ(Pointer(host) == IDC_SIZEWE, std::abs(x - *divider) < 5) << x;
        }
        // A press where the arrow shows takes the divider along.
        const int from = *divider + c.grabOffset;
        const int to = from + c.dragBy;
        Press(from, HeaderY());
        Drag(to, HeaderY());
        Release(to, HeaderY());
        EXPECT_EQ(PaintedDivider(), std::optional<int>(to))
            << "the divider lands under the pointer";
    }
    // Five pixels off the painted divider the arrow goes and a press takes nothing along.
    const int divider = *PaintedDivider();
    Hover(divider + 5, HeaderY());
    EXPECT_EQ(Pointer(host), IDC_ARROW);
    Press(divider + 5, HeaderY());
    Drag(divider + 40, HeaderY());
    Release(divider + 40, HeaderY());
    EXPECT_EQ(PaintedDivider(), std::optional<int>(divider));
    AttachWindowHost(hwnd(), nullptr);
}

} // namespace
} // namespace lumarin::listview
