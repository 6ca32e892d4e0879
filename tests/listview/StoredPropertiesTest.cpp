// SPDX-License-Identifier: MIT
// The stored form: loading the main window's list, defaults for what a form
// leaves out, names in any letter case, and saving only the differences.

#include "ListViewFixture.h"
#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/PropertyBag.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

namespace lumarin::listview {
namespace {

using namespace platform;

// The chapter list of the main window, as its form stores it.
PropertyBag MemoForm() {
    PropertyBag bag;
    const PropertyValue none = std::int32_t{-2};
    auto font = std::make_shared<StdFont>(u"Tahoma", 8.25);
    font->Weight(400);
    bag.WriteProperty(u"backcolor", std::int32_t{0xFFFFFF}, none);
    bag.WriteProperty(u"reorder", false, none);
    bag.WriteProperty(u"font", font, none);
    bag.WriteProperty(u"solidfocusrect", false, none);
    bag.WriteProperty(u"oledropmode", std::int32_t{1}, none);
    bag.WriteProperty(u"checkboxes", true, none);
    bag.WriteProperty(u"itemsautosize", false, none);
    bag.WriteProperty(u"sortable", false, none);
    return bag;
}

int ScreenDpi(HWND hwnd) {
    const HDC hdc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(hdc, LOGPIXELSY);
    ReleaseDC(hwnd, hdc);
    return dpi;
}

TEST(StoredProperties, MemoFormGivesTheChapterListItsLook) {
    ListView lv(0, 0, 0, 400, 300);
    lv.LoadStoredProperties(MemoForm());

    EXPECT_EQ(lv.BackColor(), 0xFFFFFF);
    EXPECT_TRUE(lv.Checkboxes());
    EXPECT_FALSE(lv.Sortable());
    EXPECT_FALSE(lv.Reorder());
    EXPECT_FALSE(lv.SolidFocusRect());
    EXPECT_FALSE(lv.ItemsAutoSize());
    EXPECT_EQ(lv.OLEDropMode(), 1);
    EXPECT_EQ(lv.Font()->Name(), u"Tahoma");
    EXPECT_DOUBLE_EQ(lv.Font()->Size(), 8.25);
    // Everything else at the defaults.
    EXPECT_EQ(lv.ForeColor(), static_cast<std::int32_t>(0x80000008u));
    EXPECT_EQ(lv.SelectedBackColor(), static_cast<std::int32_t>(0x8000000Du));
    EXPECT_TRUE(lv.MultiSelect());
    EXPECT_TRUE(lv.Enabled());
    EXPECT_TRUE(lv.ColumnsVisible());
    EXPECT_FALSE(lv.ColumnsAutoSize());
    EXPECT_EQ(lv.BorderStyle(), 1);
    EXPECT_EQ(lv.CheckboxSelectedColor(), 0xFFFFFF);
    EXPECT_EQ(lv.ItemPaddingRight(), 5);
    // 8.25 points round to 8; rows are the font height plus 4 + 4.
    EXPECT_EQ(lv.ItemHeight(), MulDiv(8, ScreenDpi(lv.hWnd()), 72) + 8);
    // The window got the thin border.
    EXPECT_NE(GetWindowLongPtr(lv.hWnd(), GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
}

TEST(StoredProperties, MissingEntriesTakeTheirDefaults) {
    ListView lv(0, 0, 0, 400, 300);
    PropertyBag bag;
    bag.WriteProperty(u"checkboxes", true, false);
    lv.LoadStoredProperties(bag);
    EXPECT_TRUE(lv.Checkboxes());
    EXPECT_EQ(lv.BackColor(), platform::OleSystemColor(platform::COLOR_WINDOW));
    EXPECT_EQ(lv.FocusRectColor(), static_cast<std::int32_t>(0x8000000Du));
    EXPECT_TRUE(lv.Reorder());
    EXPECT_TRUE(lv.SolidFocusRect());
    EXPECT_TRUE(lv.ItemsAutoSize());
    EXPECT_TRUE(lv.Sortable());
    EXPECT_EQ(lv.OLEDropMode(), 0);
    EXPECT_EQ(lv.CheckboxColor(), 0);
    EXPECT_EQ(lv.ItemPaddingTop(), 4);
    EXPECT_EQ(lv.ItemPaddingBottom(), 4);
    EXPECT_EQ(lv.ItemPaddingLeft(), 4);
    EXPECT_EQ(lv.ItemPaddingRight(), 5);
}

TEST(StoredProperties, SavingStoresOnlyTheDifferences) {
    ListView plain(0, 0, 0, 400, 300);
    plain.LoadStoredProperties(PropertyBag{});
    PropertyBag saved;
    plain.SaveStoredProperties(saved);
    EXPECT_EQ(saved.Count(), 0u);

    ListView memo(0, 0, 0, 400, 300);
    memo.LoadStoredProperties(MemoForm());
    memo.SaveStoredProperties(saved);
    EXPECT_EQ(saved.Count(), 8u);
    for (const char16_t* name : {u"BackColor", u"Reorder", u"Font", u"SolidFocusRect",
                                 u"OLEDropMode", u"Checkboxes", u"ItemsAutoSize", u"Sortable"})
        EXPECT_TRUE(saved.Contains(name));
    // What was saved loads back into the same control state.
    ListView again(0, 0, 0, 400, 300);
    again.LoadStoredProperties(saved);
    EXPECT_EQ(again.BackColor(), 0xFFFFFF);
    EXPECT_FALSE(again.Sortable());
    EXPECT_EQ(again.Font()->Name(), u"Tahoma");
}

TEST(StoredProperties, LoadingAttachesTheScrollBarsAndLaysOut) {
    ListView lv(0, 0, 0, 300, 200);
    lv.LoadStoredProperties(PropertyBag{});
    // No rows: the vertical bar is shown but disabled; the columns fit, so
    // the horizontal bar is hidden.
    EXPECT_TRUE(ListViewTestAccess::ScrollVisible(lv, 1));
    EXPECT_FALSE(ListViewTestAccess::ScrollEnabled(lv, 1));
    EXPECT_FALSE(ListViewTestAccess::ScrollVisible(lv, 0));
    EXPECT_NE(ListViewTestAccess::BackBuffer(lv), 0u);
    // Rows beyond the view enable the vertical bar with its range.
    lv.AddColumn(u"a", u"A", 0, 100);
    lv.Redraw(false);
    for (int i = 0; i < 50; ++i)
        lv.AddItem();
    lv.Redraw(true);
    EXPECT_TRUE(ListViewTestAccess::ScrollEnabled(lv, 1));
    EXPECT_EQ(ListViewTestAccess::ScrollMax(lv, 1), 50 - ListViewTestAccess::VisibleRows(lv));
}

TEST(StoredProperties, ApplyDefaultPropertiesGivesANewPlacementsLook) {
    ListView lv(0, 0, 0, 300, 200);
    lv.ApplyDefaultProperties();
    EXPECT_EQ(lv.BackColor(), platform::OleSystemColor(platform::COLOR_WINDOW));
    EXPECT_EQ(lv.CheckboxSelectedColor(), 0xFFFFFF);
    EXPECT_TRUE(lv.MultiSelect());
    EXPECT_TRUE(lv.ColumnsVisible());
    EXPECT_EQ(lv.BorderStyle(), 1);
    EXPECT_TRUE(lv.Sortable());
}

} // namespace
} // namespace lumarin::listview
