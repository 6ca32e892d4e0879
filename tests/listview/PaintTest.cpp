// SPDX-License-Identifier: MIT
// Pixels of the back buffer: check boxes, focus rectangle, selection and the
// strip right of the columns, text alignment, row heights and auto-sized columns.

#include "ListViewFixture.h"

#include <cmath>

namespace lumarin::listview {
namespace {

using namespace platform;

class PaintTest : public ListViewFixture {};

// Top-left corner of the check box in a row: 3 pixels in, centred on the row.
POINT CheckboxOrigin(int rowTop, int rowHeight) {
    const double y = (rowTop + (rowTop + rowHeight)) / 2.0 - 6 - 0.5;
    return POINT{3, static_cast<int>(std::nearbyint(y))};
}

TEST_F(PaintTest, CheckboxSquaresAndTickPaintTheirPixels) {
    lv->ColumnsVisible(false);
    lv->Checkboxes(true);
    Fill({120, 80}, 3);
    lv->ItemChecked(0, true);
    lv->ItemChecked(1, true);
    lv->ItemSelected(1, true);

    const int h = lv->ItemHeight();
    struct Case {
        int row;
        COLORREF pen;
        COLORREF inside;
        bool checked;
    };
    const Case cases[] = {
        {0, kCheck, kBack, true},
        {1, kCheckSel, kSelBack, true},
        {2, kCheck, kBack, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        const POINT o = CheckboxOrigin(c.row * h, h);
        // Both squares: corners and edges of the inner (12) and outer (14) one.
        for (const POINT p :
             {POINT{0, 0}, POINT{12, 0}, POINT{12, 12}, POINT{0, 12}, POINT{6, 0}, POINT{-1, -1},
              POINT{13, -1}, POINT{13, 13}, POINT{-1, 13}, POINT{-1, 6}})
            EXPECT_EQ(Pixel(o.x + p.x, o.y + p.y), c.pen) << p.x << "," << p.y;
        // Outside the outer square and just inside the inner one: background.
        EXPECT_EQ(Pixel(o.x + 14, o.y + 6), c.inside);
        EXPECT_EQ(Pixel(o.x + 1, o.y + 1), c.inside);
        // The tick's strokes paint their first pixels; stroke 3 ends at (3, 9) and
        // stroke 6 at (6, 10), pixels no other stroke paints: the end point
        // of a line stays unpainted.
        const COLORREF tick = c.checked ? c.pen : c.inside;
        for (const POINT p : {POINT{9, 5}, POINT{9, 4}, POINT{9, 3}, POINT{3, 5}, POINT{3, 6},
                              POINT{3, 7}, POINT{7, 7}, POINT{4, 8}, POINT{4, 7}, POINT{5, 9}})
            EXPECT_EQ(Pixel(o.x + p.x, o.y + p.y), tick) << p.x << "," << p.y;
        EXPECT_EQ(Pixel(o.x + 3, o.y + 9), c.inside);
        EXPECT_EQ(Pixel(o.x + 6, o.y + 10), c.inside);
    }
}

TEST_F(PaintTest, FocusRectangleOnlyOnCurrentRowWithFocusAndEnabled) {
    lv->ColumnsVisible(false);
    Fill({120, 80}, 4);
    lv->SelectedItem(1);
    const int h = lv->ItemHeight();
    const int right = 200; // the columns end here; the window is wider

    struct Case {
        const char* name;
        bool focus;
        bool enabled;
        bool expectOutline;
    };
    const Case cases[] = {
        {"focused, enabled", true, true, true},
        {"no focus", false, true, false},
        {"disabled", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        lv->Enabled(c.enabled);
        SetFocus(c.focus ? hwnd() : 0);
        lv->Refresh();
        const COLORREF edge = c.expectOutline ? kFocus : kBack;
        EXPECT_EQ(Pixel(0, h), edge);
        EXPECT_EQ(Pixel(right - 1, h), edge);
        EXPECT_EQ(Pixel(right - 1, 2 * h - 1), edge);
        EXPECT_EQ(Pixel(0, 2 * h - 1), edge);
        EXPECT_EQ(Pixel(100, h), edge);
        // Not on the strip right of the columns, not on other rows.
        EXPECT_EQ(Pixel(right, h), kBack);
        EXPECT_EQ(Pixel(0, 0), kBack);
        EXPECT_EQ(Pixel(0, 2 * h), kBack);
    }
}

TEST_F(PaintTest, DottedFocusRectangleInvertsAlongTheColumnsOnly) {
    lv->ColumnsVisible(false);
    lv->SolidFocusRect(false);
    Fill({120, 80}, 3);
    lv->SelectedItem(1);
    SetFocus(hwnd());
    const int h = lv->ItemHeight();
    int inverted = 0;
    for (int x = 0; x < 200; ++x) {
        const COLORREF px = Pixel(x, h);
        EXPECT_TRUE(px == kBack || px == RGB(0, 0, 0)) << x;
        if (px != kBack) ++inverted;
        EXPECT_NE(Pixel(x, h), kFocus);
    }
    EXPECT_GT(inverted, 50); // dotted: about every second pixel
    EXPECT_LT(inverted, 150);
    for (int x = 200; x < Client().right; ++x)
        EXPECT_EQ(Pixel(x, h), kBack) << x;
}

TEST_F(PaintTest, SelectedRowFillsItsCellsButNotTheStripRightOfTheColumns) {
    lv->ColumnsVisible(false);
    Fill({120, 80}, 3);
    lv->ItemSelected(1, true);
    const int y = lv->ItemHeight() + 1;
    EXPECT_EQ(Pixel(1, y), kSelBack);
    EXPECT_EQ(Pixel(199, y), kSelBack);
    EXPECT_EQ(Pixel(200, y), kBack);
    EXPECT_EQ(Pixel(Client().right - 1, y), kBack);
    EXPECT_EQ(Pixel(1, 1), kBack);
    // Below the last row: BackColor.
    EXPECT_EQ(Pixel(1, 3 * lv->ItemHeight() + 2), kBack);
}

TEST_F(PaintTest, TextIsDrawnForAlignments0To2AndNotOtherwise) {
    Fill({150, 100}, 1);
    lv->ItemText(0, 1, u"WWWW");
    lv->ColumnCaption(1, u"HEAD");
    const int header = ListViewTestAccess::HeaderBottom(*lv);
    const RECT headerText{150 + 4, 2, 250 - 5, header - 2};
    const RECT cellText{150 + 4, header + 1, 250 - 5, header + lv->ItemHeight() - 1};
    const COLORREF face = [] {
        COLORREF c = 0;
        OleTranslateColor(OleSystemColor(COLOR_BTNFACE), &c);
        return c;
    }();
    for (int align : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE("align " + std::to_string(align));
        lv->ColumnTextAlign(1, align);
        const bool drawn = align >= 0 && align <= 2;
        EXPECT_EQ(AnyPixelOtherThan(cellText, kBack), drawn);
        EXPECT_EQ(AnyPixelOtherThan(headerText, face), drawn);
    }
}

TEST_F(PaintTest, RowHeightFollowsFontCheckBoxesAndPaddings) {
    struct Case {
        bool autoSize;
        bool checkboxes;
        int expected;
    };
    // A 10-pixel font: 10 + 4 = 14, raised to 19 by check boxes; without
    // automatic sizing the paddings 4 + 4 count instead.
    const Case cases[] = {
        {true, true, 19}, {true, false, 14}, {false, true, 18}, {false, false, 18}};
    for (const Case& c : cases) {
        lv->ItemsAutoSize(c.autoSize);
        lv->Checkboxes(c.checkboxes);
        ListViewTestAccess::ForceTextHeight(*lv, 10);
        EXPECT_EQ(lv->ItemHeight(), c.expected) << c.autoSize << c.checkboxes;
    }
}

TEST_F(PaintTest, PaddingsThatLeaveNoRowHeightStillPaintAndHitTest) {
    lv->ColumnsVisible(false);
    Fill({200}, 30);
    lv->ItemsAutoSize(false);
    lv->ItemPaddingTop(-40);
    lv->ItemSelected(2, true);
    ASSERT_LE(lv->ItemHeight(), 0);
    // Rows are one pixel high: row 2 is the third pixel row.
    EXPECT_EQ(Pixel(50, 2), kSelBack);
    EXPECT_EQ(Pixel(50, 3), kBack);
    EXPECT_EQ(lv->RowFromPoint(50, 5, true), 5);
    Click(50, 7);
    EXPECT_EQ(lv->SelectedItem(), 7);
}

TEST_F(PaintTest, RowsArePaintedAtTheRowHeight) {
    lv->ColumnsVisible(false);
    lv->Checkboxes(true);
    Fill({200}, 3);
    ListViewTestAccess::ForceTextHeight(*lv, 10);
    lv->ItemSelected(1, true);
    lv->Refresh();
    EXPECT_EQ(Pixel(100, 18), kBack);
    EXPECT_EQ(Pixel(100, 19), kSelBack);
    EXPECT_EQ(Pixel(100, 37), kSelBack);
    EXPECT_EQ(Pixel(100, 38), kBack);
}

TEST_F(PaintTest, FontHeightComesFromRoundedPointsAtTheScreenResolution) {
    auto font = std::make_shared<StdFont>(u"Tahoma", 8.25);
    lv->Font(font);
    const HDC hdc = GetDC(hwnd());
    const int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(hwnd(), hdc);
    EXPECT_EQ(ListViewTestAccess::TextHeight(*lv), MulDiv(8, dpi, 72));
    // A change of the font object itself is followed.
    font->Size(12.5); // rounds to 12
    EXPECT_EQ(ListViewTestAccess::TextHeight(*lv), MulDiv(12, dpi, 72));
}

TEST_F(PaintTest, ColumnsAutoSizeSharesTheClientWidthWithHalvesToEven) {
    // Size the window so that its client is exactly 200 pixels wide.
    const RECT before = Client();
    SetWindowPos(hwnd(), 0, 0, 0, kWindowWidth - (before.right - 200), kWindowHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(Client().right, 200);
    Fill({100, 300}, 2);
    lv->ColumnsAutoSize(true);
    // 100 / 400 * 200 + 0.5 = 50.5 -> 50; 300 / 400 * 200 + 0.5 = 150.5 -> 150.
    lv->ColumnWidth(0, 100);
    EXPECT_EQ(ListViewTestAccess::TotalWidth(*lv), 200);
    EXPECT_FALSE(ListViewTestAccess::ScrollVisible(*lv, 0));
    // The boundary between the two columns lies at 50: the header edges meet there.
    EXPECT_EQ(lv->ColumnFromPoint(49, 30), 0);
    EXPECT_EQ(lv->ColumnFromPoint(50, 30), 1);
    EXPECT_EQ(lv->ColumnFromPoint(199, 30), 1);
}

TEST_F(PaintTest, HiddenColumnTakesNoSpace) {
    lv->ColumnsVisible(false);
    Fill({60, 70, 80}, 2);
    lv->ColumnVisible(1, false);
    EXPECT_EQ(ListViewTestAccess::TotalWidth(*lv), 140);
    EXPECT_EQ(lv->ColumnFromPoint(59, 5), 0);
    EXPECT_EQ(lv->ColumnFromPoint(60, 5), 2);
    lv->ItemSelected(0, true);
    EXPECT_EQ(Pixel(139, 2), kSelBack);
    EXPECT_EQ(Pixel(140, 2), kBack);
}

TEST_F(PaintTest, EmptyListShowsTheBackColourUnderAButtonFaceHeader) {
    Fill({100}, 0);
    SetFocus(hwnd());
    const int header = ListViewTestAccess::HeaderBottom(*lv);
    EXPECT_EQ(Pixel(50, header + 5), kBack);
    EXPECT_EQ(Pixel(Client().right - 1, Client().bottom - 1), kBack);
    EXPECT_GT(header, 0);
    // The header is painted in the button face colour.
    COLORREF face = 0;
    OleTranslateColor(OleSystemColor(COLOR_BTNFACE), &face);
    EXPECT_EQ(Pixel(50, header / 2), face);
}

TEST_F(PaintTest, RedrawOffSuppressesPaintingAndTheEvent) {
    Fill({100}, 3);
    const PixelBuffer* surface = GetWindowSurface(hwnd());
    ASSERT_NE(surface, nullptr);
    const int y = RowTop(0) + 1;
    const int before = events.redraws;
    lv->Redraw(false);
    lv->ItemSelected(0, true);
    lv->Refresh();
    EXPECT_EQ(events.redraws, before);
    EXPECT_EQ(FromPixel(GetWindowSurface(hwnd())->at(50, y)), kBack);
    lv->Redraw(true);
    EXPECT_GT(events.redraws, before);
    EXPECT_EQ(FromPixel(GetWindowSurface(hwnd())->at(50, y)), kSelBack);
}

class Painter : public ICustomDraw {
public:
    bool CustomDraw(std::int32_t item, std::int32_t column, std::int32_t& back,
                    std::int32_t& fore) override {
        if (item == 1 && column == 0) back = static_cast<std::int32_t>(RGB(0, 200, 0));
        (void)fore;
        return item <= 1;
    }
};

TEST_F(PaintTest, CustomDrawColoursReplaceTheSelectionColours) {
    lv->ColumnsVisible(false);
    Fill({100, 100}, 3);
    Painter painter;
    lv->DrawCallback(&painter);
    for (int r = 0; r < 3; ++r)
        lv->ItemSelected(r, true);
    const int h = lv->ItemHeight();
    EXPECT_EQ(Pixel(50, 1), kBack);              // True, both left at -1
    EXPECT_EQ(Pixel(50, h + 1), RGB(0, 200, 0)); // the returned back colour
    EXPECT_EQ(Pixel(150, h + 1), kBack);         // column 1 of the same row
    EXPECT_EQ(Pixel(50, 2 * h + 1), kSelBack);   // False: the selection colours
    lv->DrawCallback(nullptr);
    EXPECT_EQ(Pixel(50, 1), kSelBack);
}

} // namespace
} // namespace lumarin::listview
