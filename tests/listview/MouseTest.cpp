// SPDX-License-Identifier: MIT
// Real mouse messages to the control's window: presses, drags, releases,
// the drag timer and the wheel, checked on selection, check marks, column
// widths, scroll values and events.

#include "ListViewFixture.h"

namespace lumarin::listview {
namespace {

using namespace platform;

class MouseTest : public ListViewFixture {
protected:
    // Rows start at y = 0 without the header.
    void Rows(int count, std::vector<int> widths = {120, 80}) {
        lv->ColumnsVisible(false);
        Fill(std::move(widths), count);
    }
    int Mid(int row) const { return row * lv->ItemHeight() + lv->ItemHeight() / 2; }
};

TEST_F(MouseTest, CheckBoxHitZoneFlipsTheMarkWithoutSelecting) {
    Rows(4);
    lv->Checkboxes(true);
    struct Case {
        int x;
        bool flips;
    };
    for (const Case c :
         {Case{10, true}, Case{4, true}, Case{14, true}, Case{3, false}, Case{15, false}}) {
        SCOPED_TRACE("x = " + std::to_string(c.x));
        lv->UnSelectAll();
        lv->SelectedItem(-1);
        lv->ItemChecked(2, false);
        events.calls.clear();
        Click(c.x, Mid(2));
        EXPECT_EQ(lv->ItemChecked(2), c.flips);
        EXPECT_EQ(events.has("ItemCheck 2"), c.flips);
        EXPECT_EQ(events.has("MouseDown 2 1 0"), !c.flips);
        EXPECT_EQ(lv->SelectedItem(), c.flips ? -1 : 2);
        EXPECT_EQ(SelectedRows(), c.flips ? std::vector<int>{} : std::vector<int>{2});
    }
}

TEST_F(MouseTest, TopPixelOfARowSelectsThatRow) {
    Rows(5);
    const int h = lv->ItemHeight();
    Click(30, 2 * h);
    EXPECT_EQ(lv->SelectedItem(), 2);
    Click(30, 2 * h - 1);
    EXPECT_EQ(lv->SelectedItem(), 1);
    // With the header shown the rows start below it.
    lv->ColumnsVisible(true);
    Click(30, RowTop(3));
    EXPECT_EQ(lv->SelectedItem(), 3);
}

TEST_F(MouseTest, PlainClickOnOneOfSeveralSelectedRowsKeepsOnlyIt) {
    Rows(10);
    for (int r : {2, 3, 4})
        lv->ItemSelected(r, true);
    Click(30, Mid(3));
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(lv->SelectedItem(), 3);
    EXPECT_TRUE(events.has("Click 3"));
    EXPECT_TRUE(events.has("MouseUp 3"));
}

TEST_F(MouseTest, DraggingSelectedRowsMovesTheWholeBlock) {
    Rows(10);
    for (int r : {2, 3, 4})
        lv->ItemSelected(r, true);
    Press(30, Mid(3));
    EXPECT_TRUE(IsTimerRunning(hwnd(), 1)); // Reorder is on by default
    Drag(30, Mid(5));
    Release(30, Mid(5));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(lv->ItemText(4, 0), u"row 2");
    EXPECT_EQ(lv->ItemText(6, 0), u"row 4");
    EXPECT_EQ(lv->ItemText(2, 0), u"row 5");
    EXPECT_EQ(lv->SelectedItem(), 5);
    EXPECT_TRUE(events.has("ItemsMoved"));
    EXPECT_FALSE(IsTimerRunning(hwnd(), 1));
}

TEST_F(MouseTest, BlockAtTheTopCannotMoveUpButKeepsReportingOnceMoved) {
    Rows(10);
    for (int r : {0, 1})
        lv->ItemSelected(r, true);
    Press(30, Mid(1));
    Drag(30, Mid(0));
    EXPECT_EQ(lv->ItemText(0, 0), u"row 0");
    EXPECT_FALSE(events.has("ItemsMoved"));
    Drag(30, Mid(3)); // moves both rows down by two
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3}));
    events.calls.clear();
    Drag(30, Mid(3)); // no move, but the drag has moved rows before
    EXPECT_TRUE(events.has("ItemsMoved"));
    Release(30, Mid(3));
}

TEST_F(MouseTest, ReorderOffLeavesRowsInPlace) {
    Rows(10);
    lv->Reorder(false);
    lv->ItemSelected(3, true);
    Press(30, Mid(3));
    EXPECT_FALSE(IsTimerRunning(hwnd(), 1));
    Drag(30, Mid(6));
    Release(30, Mid(6));
    EXPECT_EQ(lv->ItemText(3, 0), u"row 3");
    EXPECT_FALSE(events.has("ItemsMoved"));
}

TEST_F(MouseTest, ShiftAndCtrlPressesExtendAndToggle) {
    Rows(10);
    Click(30, Mid(2));
    Click(30, Mid(5), MK_SHIFT);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(lv->SelectedItem(), 5);
    // Ctrl on a selected row clears it and turns the next Shift range into clearing.
    Click(30, Mid(4), MK_CONTROL);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 5}));
    Click(30, Mid(2), MK_SHIFT);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{5}));
    EXPECT_TRUE(events.has("MouseDown 2 1 1"));
}

TEST_F(MouseTest, ShiftPressWithoutCurrentRowPressesOnlyThatRowAndNeverDragsRows) {
    // In multiple selection it is a plain press on an unselected row, which
    // starts a drag selection; in single selection it only selects the row.
    Rows(0);
    for (const bool multi : {true, false}) {
        SCOPED_TRACE(multi ? "MultiSelect" : "single selection");
        lv->Clear();
        for (const char16_t* text : {u"row 0", u"row 1", u"row 2", u"row 3", u"row 4", u"row 5"})
            lv->AddItem(-1, text);
        lv->MultiSelect(multi);
        lv->ItemSelected(0, true);
        lv->SelectedItem(-1);
        ASSERT_EQ(lv->SelectedItem(), -1);
        Press(30, Mid(2), MK_SHIFT);
        EXPECT_EQ(SelectedRows(), std::vector<int>{2});
        Drag(30, Mid(4));
        Release(30, Mid(4));
        EXPECT_EQ(lv->ItemText(2, 0), u"row 2");
        EXPECT_EQ(lv->ItemText(4, 0), u"row 4");
        EXPECT_FALSE(events.has("ItemsMoved"));
        EXPECT_EQ(SelectedRows(), multi ? (std::vector<int>{2, 3, 4}) : std::vector<int>{2});
    }
}

TEST_F(MouseTest, DragSelectionFollowsThePointerAndTheTimerScrollsAtTheEdge) {
    Rows(100);
    Press(30, Mid(1));
    EXPECT_TRUE(IsTimerRunning(hwnd(), 1));
    PointerAt(30, Mid(4));
    Drag(30, Mid(4));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(lv->SelectedItem(), 4);
    // Held below the rows: the tick scrolls one row and so does the movement
    // it runs.
    const int below = Client().bottom + 5;
    PointerAt(30, below);
    FireTimer(hwnd(), 1);
    EXPECT_EQ(VScroll(), 2);
    EXPECT_EQ(SelectedRows().front(), 1);
    EXPECT_EQ(lv->SelectedItem(), SelectedRows().back());
    Release(30, below);
    EXPECT_FALSE(IsTimerRunning(hwnd(), 1));
    // Inside the rows the tick does nothing.
    PointerAt(30, Mid(2));
    FireTimer(hwnd(), 1);
    EXPECT_EQ(VScroll(), 2);
}

TEST_F(MouseTest, PressRightOfTheColumnsOrBelowTheRowsClearsTheSelection) {
    Rows(3);
    lv->ItemSelected(1, true);
    Click(250, Mid(1));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_TRUE(events.has("MouseDown -1 1 0"));
    lv->ItemSelected(1, true);
    Click(30, Mid(6));
    EXPECT_TRUE(SelectedRows().empty());
    EXPECT_EQ(lv->RowFromPoint(250, Mid(1), true), -1);
    EXPECT_EQ(lv->RowFromPoint(30, Mid(1), true), 1);
    EXPECT_EQ(lv->RowFromPoint(30, Mid(6), true), -1);
    EXPECT_EQ(lv->RowFromPoint(30, Mid(6)), 6);
}

TEST_F(MouseTest, DisabledControlIgnoresPressesButReportsReleaseAndClick) {
    Rows(5);
    Click(30, Mid(2));
    lv->Enabled(false);
    events.calls.clear();
    Click(30, Mid(4));
    EXPECT_EQ(lv->SelectedItem(), 2);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"MouseUp 2", "Click 2"}));
}

class HeaderTest : public MouseTest {
protected:
    void SetUp() override {
        MouseTest::SetUp();
        Fill({100, 80}, 0);
        lv->AddItem(-1, u"b");
        lv->AddItem(-1, u"A");
        lv->AddItem(-1, u"c");
    }
    int HeaderY() const { return ListViewTestAccess::HeaderBottom(*lv) / 2; }
    std::u16string Order() const {
        std::u16string s;
        for (int r = 0; r < lv->ItemCount(); ++r)
            s += lv->ItemText(r, 0);
        return s;
    }
};

TEST_F(HeaderTest, HeaderClickSortsInAlternatingOrderWhenSortable) {
    Click(50, HeaderY());
    EXPECT_EQ(Order(), u"Abc");
    EXPECT_TRUE(events.has("ColumnClick 0"));
    EXPECT_FALSE(events.has("MouseDown -1 1 0"));
    Press(50, HeaderY());
    Release(50, 300); // moving off the header before releasing still clicks
    EXPECT_EQ(Order(), u"cbA");

    lv->Sortable(false);
    events.calls.clear();
    Click(50, HeaderY());
    EXPECT_EQ(Order(), u"cbA");
    EXPECT_TRUE(events.has("ColumnClick 0"));
}

TEST_F(HeaderTest, DividerDragResizesWithAFloorOfFivePixels) {
    struct Case {
        int pressX;
        int dragX;
        int expected;
    };
    // Within 5 pixels of the divider at 100 grabs it; the new width is the
    // pointer's distance from the column's left edge, at least 5.
    for (const Case c : {Case{97, 150, 150}, Case{104, 2, 5}, Case{100, 60, 60}}) {
        lv->ColumnWidth(0, 100);
        Press(c.pressX, HeaderY());
        Drag(c.dragX, HeaderY());
        Release(c.dragX, HeaderY());
        EXPECT_EQ(lv->ColumnWidth(0), c.expected);
    }
    // Exactly 5 pixels from the divider neither grabs nor pushes.
    lv->ColumnWidth(0, 100);
    Press(105, HeaderY());
    Release(105, HeaderY());
    EXPECT_FALSE(events.has("ColumnClick 0"));
    EXPECT_FALSE(events.has("ColumnClick 1"));
}

TEST_F(HeaderTest, PointerShowsTheSizingArrowOnlyOverResizableDividers) {
    ShapeAndTimerHost host;
    AttachWindowHost(hwnd(), &host);
    Hover(98, HeaderY());
    ASSERT_FALSE(host.cursors.empty());
    EXPECT_EQ(host.cursors.back(), IDC_SIZEWE);
    // The host asks for the pointer before every move; the shape stays.
    SendMessage(hwnd(), WM_SETCURSOR, static_cast<WPARAM>(hwnd()),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    Hover(99, HeaderY());
    EXPECT_EQ(host.cursors.back(), IDC_SIZEWE);
    Hover(50, HeaderY());
    EXPECT_EQ(host.cursors.back(), IDC_ARROW);
    const std::size_t shapes = host.cursors.size();
    Hover(50, RowTop(1));
    EXPECT_EQ(host.cursors.size(), shapes); // set only when it changes
    lv->ColumnResizable(0, false);
    Hover(100, HeaderY());
    EXPECT_EQ(host.cursors.back(), IDC_ARROW);
    lv->ColumnResizable(0, true);
    lv->ColumnsAutoSize(true);
    int right = 0;
    while (lv->ColumnFromPoint(right, 0) == 0)
        ++right;
    Hover(right, HeaderY());
    EXPECT_EQ(host.cursors.back(), IDC_ARROW);
    // A drag selection runs the 15 ms drag timer.
    Press(50, RowTop(1) + 1);
    ASSERT_FALSE(host.timers.empty());
    EXPECT_EQ(host.timers.back(), (std::pair<UINT_PTR, UINT>{1, 15}));
    Release(50, RowTop(1) + 1);
    AttachWindowHost(hwnd(), nullptr);
}

TEST_F(HeaderTest, DividerDragChangesNothingUnderColumnsAutoSize) {
    lv->ColumnsAutoSize(true);
    int right = 0;
    while (lv->ColumnFromPoint(right, 0) == 0)
        ++right;
    Press(right, HeaderY());
    Drag(right + 40, HeaderY());
    Release(right + 40, HeaderY());
    EXPECT_EQ(lv->ColumnWidth(0), 100);
    EXPECT_EQ(lv->ColumnFromPoint(right, 0), 1);
}

TEST_F(MouseTest, WheelScrollsThreeRowsPerNotch) {
    Rows(200);
    Wheel(1);
    EXPECT_EQ(VScroll(), 3);
    Wheel(-1);
    EXPECT_EQ(VScroll(), 0);
    Wheel(100);
    const int last = lv->ItemCount() - ListViewTestAccess::VisibleRows(*lv) + 1;
    EXPECT_EQ(VScroll(), last);
}

TEST_F(MouseTest, DropsAreReportedOnlyWhileTheDropModeAndEnabledAllowThem) {
    Rows(2);
    DataObject data({u"/tmp/a.txt", u"/tmp/b.txt"});
    struct Case {
        int dropMode;
        bool enabled;
        bool reported;
    };
    for (const Case c : {Case{1, true, true}, Case{0, true, false}, Case{1, false, false}}) {
        lv->OLEDropMode(c.dropMode);
        lv->Enabled(c.enabled);
        events.calls.clear();
        DropInfo info;
        info.data = &data;
        info.effect = vbDropEffectCopy;
        SendMessage(hwnd(), WM_OLEDRAGDROP, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(events.has("OLEDragDrop 2"), c.reported);
        // The handler's answer reaches the window system.
        EXPECT_EQ(info.effect, c.reported ? vbDropEffectNone : vbDropEffectCopy);
    }
}

} // namespace
} // namespace lumarin::listview
