// SPDX-License-Identifier: MIT
// Real key messages to the control's window: navigation and its scrolling,
// selection by modifiers, Space, the host's KeyDown, focus and MakeSureVisible.

#include "ListViewFixture.h"

#include <algorithm>

namespace lumarin::listview {
namespace {

using namespace platform;

class KeyboardTest : public ListViewFixture {
protected:
    void Rows(int count) {
        lv->ColumnsVisible(false);
        Fill({150}, count);
        v = ListViewTestAccess::VisibleRows(*lv);
        ASSERT_GE(v, 8);
    }
    int v = 0;
};

TEST_F(KeyboardTest, PageDownAndPageUpMoveByTheViewAndScrollOneStep) {
    Rows(100);
    lv->SelectedItem(5);
    Key(VK_NEXT);
    EXPECT_EQ(lv->SelectedItem(), 5 + v - 1);
    EXPECT_EQ(VScroll(), v - 1);
    Key(VK_PRIOR);
    EXPECT_EQ(lv->SelectedItem(), 5);
    EXPECT_EQ(VScroll(), 0); // 5 < v - 1: back by v - 1
    EXPECT_EQ(SelectedRows(), std::vector<int>{5});
    EXPECT_TRUE(events.has("Click 5"));
}

TEST_F(KeyboardTest, DownFromTheLastFullyVisibleSlotScrollsOneRow) {
    Rows(100);
    lv->SelectedItem(v - 3);
    Key(VK_DOWN);
    EXPECT_EQ(VScroll(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(lv->SelectedItem(), v - 1);
    EXPECT_EQ(VScroll(), 1);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(VScroll(), 1);
    Key(VK_UP);
    EXPECT_EQ(lv->SelectedItem(), v - 4);
    EXPECT_EQ(VScroll(), 1);
}

TEST_F(KeyboardTest, DownOnTheLastRowStaysAndClicksAgain) {
    Rows(5);
    lv->SelectedItem(4);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(lv->SelectedItem(), 4);
    EXPECT_EQ(SelectedRows(), std::vector<int>{4});
    EXPECT_EQ(std::count(events.calls.begin(), events.calls.end(), "Click 4"), 2);
}

TEST_F(KeyboardTest, WithoutACurrentRowNavigationStartsAboveTheFirstRow) {
    Rows(20);
    struct Case {
        UINT key;
        int expected;
    };
    // Up and Down both give row 0; a page moves v - 1 from row -1.
    for (const Case c :
         {Case{VK_UP, 0}, Case{VK_DOWN, 0}, Case{VK_PRIOR, 0}, Case{VK_NEXT, v - 2}}) {
        SCOPED_TRACE(c.key);
        lv->SelectedItem(-1);
        Key(c.key);
        EXPECT_EQ(lv->SelectedItem(), c.expected);
        EXPECT_EQ(SelectedRows(), std::vector<int>{c.expected});
    }
}

TEST_F(KeyboardTest, EmptyListKeepsNoCurrentRowAndStillRepaints) {
    Rows(0);
    const int before = events.redraws;
    Key(VK_DOWN);
    Key(VK_SPACE);
    EXPECT_EQ(lv->SelectedItem(), -1);
    EXPECT_FALSE(events.has("Click -1"));
    EXPECT_GT(events.redraws, before);
}

TEST_F(KeyboardTest, HostCancellingTheKeyStopsNavigationButNotTheRepaint) {
    Rows(10);
    lv->SelectedItem(3);
    events.cancelKey = static_cast<std::int16_t>(VK_DOWN);
    const int before = events.redraws;
    Key(VK_DOWN);
    EXPECT_EQ(lv->SelectedItem(), 3);
    EXPECT_TRUE(events.calls.empty());
    EXPECT_EQ(events.redraws, before + 1);
}

TEST_F(KeyboardTest, ModifiersExtendOrMoveOnlyTheCurrentRow) {
    Rows(10);
    Key(VK_DOWN); // row 0
    KeyWith(VK_SHIFT, VK_DOWN);
    KeyWith(VK_SHIFT, VK_DOWN);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    KeyWith(VK_CONTROL, VK_DOWN);
    KeyWith(VK_CONTROL, VK_DOWN);
    EXPECT_EQ(lv->SelectedItem(), 4);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    // Ctrl+Space selects the current row; a Ctrl+Space that clears one makes
    // the next Shift step clear too.
    KeyWith(VK_CONTROL, VK_SPACE);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2, 4}));
    KeyWith(VK_CONTROL, VK_SPACE);
    KeyWith(VK_SHIFT, VK_UP);
    KeyWith(VK_SHIFT, VK_UP);
    EXPECT_EQ(lv->SelectedItem(), 2);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));
    // SelectAll, then a plain Down: only the new row.
    lv->SelectAll();
    Key(VK_DOWN);
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
}

TEST_F(KeyboardTest, SpaceFlipsTheCheckMarkWithoutItemCheck) {
    Rows(5);
    lv->Checkboxes(true);
    lv->SelectedItem(2);
    Key(VK_SPACE);
    EXPECT_TRUE(lv->ItemChecked(2));
    EXPECT_FALSE(lv->ItemSelected(2));
    KeyWith(VK_CONTROL, VK_SPACE);
    EXPECT_FALSE(lv->ItemChecked(2));
    EXPECT_TRUE(lv->ItemSelected(2));
    EXPECT_FALSE(events.has("ItemCheck 2"));
}

TEST_F(KeyboardTest, DisabledControlIgnoresKeys) {
    Rows(5);
    lv->SelectedItem(1);
    lv->Enabled(false);
    const int before = events.redraws;
    Key(VK_DOWN);
    EXPECT_EQ(lv->SelectedItem(), 1);
    EXPECT_EQ(events.redraws, before);
}

TEST_F(KeyboardTest, FocusShowsAndHidesTheFocusRectangle) {
    Rows(3);
    lv->SelectedItem(0);
    SetFocus(hwnd());
    EXPECT_EQ(Pixel(0, 0), kFocus);
    SetFocus(0);
    EXPECT_EQ(Pixel(0, 0), kBack);
}

TEST_F(KeyboardTest, MakeSureVisibleScrollsAsFarAsTheRangeAllows) {
    Rows(100);
    lv->MakeSureVisible(40);
    EXPECT_EQ(VScroll(), 40);
    lv->MakeSureVisible(99);
    EXPECT_EQ(VScroll(), 100 - v + 1);
    lv->MakeSureVisible(3);
    EXPECT_EQ(VScroll(), 3);
}

TEST_F(KeyboardTest, MakeSureVisibleScrollsToTheColumnsLeftEdge) {
    lv->ColumnsVisible(false);
    Fill({200, 150, 250}, 3);
    ASSERT_TRUE(ListViewTestAccess::ScrollVisible(*lv, 0));
    lv->MakeSureVisible(0, 1);
    EXPECT_EQ(HScroll(), 200);
    lv->MakeSureVisible(0, 0);
    EXPECT_EQ(HScroll(), 0);
    // The copy to the window starts at the scroll offset.
    lv->ItemSelected(0, true);
    lv->MakeSureVisible(0, 2);
    const PixelBuffer* surface = GetWindowSurface(hwnd());
    ASSERT_NE(surface, nullptr);
    const int offset = HScroll();
    EXPECT_EQ(offset, 600 - Client().right); // the last column's right edge meets the window's
    for (int x : {0, 10, Client().right - 1})
        EXPECT_EQ(FromPixel(surface->at(x, 1)), Pixel(x + offset, 1)) << x;
}

} // namespace
} // namespace lumarin::listview
