// SPDX-License-Identifier: MIT
// What the list answers a screen reader through its window (WM_GETOBJECT) and
// which notices it sends its host: once per paint, never per row filled in
// while Redraw is off.

#include "ListViewFixture.h"
#include "platform/Accessibility.h"

namespace lumarin::listview {
namespace {

using namespace platform;

// Records the notices the list sends to whoever shows it.
class NoticeHost final : public IWindowHost {
public:
    void invalidated() override {}
    void surfaceChanged() override {}
    void scrollBarsChanged() override {}
    void frameChanged() override {}
    void focusRequested() override {}
    void captureChanged(bool) override {}
    void cursorChanged(HCURSOR) override {}
    void topMostChanged(bool) override {}
    void timerStarted(UINT_PTR, UINT) override {}
    void timerStopped(UINT_PTR) override {}
    POINT screenOrigin() const override { return POINT{}; }
    void accessibleEvent(AccessibleEvent event, int row) override {
        static const char* const names[] = {"current", "check", "replaced", "scrolled"};
        notices.push_back(std::string(names[static_cast<int>(event)]) + " " + std::to_string(row));
    }
    std::vector<std::string> notices;
};

class AccessibleTest : public ListViewFixture {
protected:
    void SetUp() override {
        ListViewFixture::SetUp();
        lv->Checkboxes(true);
        AttachWindowHost(hwnd(), &host);
    }
    void TearDown() override {
        AttachWindowHost(hwnd(), nullptr);
        ListViewFixture::TearDown();
    }
    IAccessibleWindow& reader() {
        IAccessibleWindow* answer = GetAccessibleWindow(hwnd());
        EXPECT_NE(answer, nullptr);
        return *answer;
    }
    std::vector<std::string> take() { return std::exchange(host.notices, {}); }

    NoticeHost host;
};

TEST_F(AccessibleTest, ATableOfTheShownColumnsWithHeadersCellsAndMarks) {
    Fill({60, 80, 70}, 5);
    lv->ColumnVisible(PositionOrKey(1), false);
    lv->ItemText(2, 2, u"third of row 2");
    lv->ItemChecked(3, true);
    lv->ItemSelected(1, true);
    lv->SelectedItem(1);

    IAccessibleWindow& table = reader();
    EXPECT_EQ(table.Role(), AccessibleRole::Table);
    EXPECT_EQ(table.RowCount(), 5);
    ASSERT_EQ(table.ColumnCount(), 2) << "a hidden column is not read out";
    EXPECT_EQ(table.HeaderText(0), u"c0");
    EXPECT_EQ(table.HeaderText(1), u"c2");
    EXPECT_EQ(table.CellText(4, 0), u"row 4");
    EXPECT_EQ(table.CellText(2, 1), u"third of row 2");
    EXPECT_TRUE(table.RowsCheckable());
    EXPECT_TRUE(table.RowChecked(3));
    EXPECT_FALSE(table.RowChecked(2));
    EXPECT_TRUE(table.RowSelected(1));
    EXPECT_EQ(table.CurrentRow(), 1);
    // Places outside the table answer nothing rather than failing.
    EXPECT_EQ(table.CellText(5, 0), u"");
    EXPECT_EQ(table.CellText(0, 2), u"");
    EXPECT_FALSE(table.RowChecked(-1));
    EXPECT_EQ(table.RowDescription(0), u"") << "no describer yet";

    lv->DescribeRowsWith([](std::int32_t row) { return row == 2 ? u"缺章" : u""; });
    EXPECT_EQ(table.RowDescription(2), u"缺章");
    EXPECT_EQ(table.RowDescription(9), u"");

    lv->SelectedItem(17); // an owner may store any number
    EXPECT_EQ(table.CurrentRow(), -1);
}

TEST_F(AccessibleTest, HitTestsFindTheCellsTheirRectanglesName) {
    Fill({60, 80}, 40);
    IAccessibleWindow& table = reader();
    const struct { int row, column; } cells[] = {{0, 0}, {3, 1}, {-1, 1}};
    for (const auto& c : cells) {
        const RECT r = c.row < 0 ? table.HeaderRect(c.column) : table.CellRect(c.row, c.column);
        ASSERT_LT(r.left, r.right);
        int row = -9, column = -9;
        ASSERT_TRUE(
            table.CellAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, &row, &column));
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, c.column);
    }
    int row = 0, column = 0;
    EXPECT_FALSE(table.CellAt(POINT{Client().right - 2, RowTop(1) + 2}, &row, &column))
        << "right of the last column";

    EXPECT_TRUE(table.RowInView(0));
    EXPECT_FALSE(table.RowInView(39));
    ListViewTestAccess::ScrollTo(*lv, SB_VERT, 30);
    EXPECT_FALSE(table.RowInView(0));
    EXPECT_TRUE(table.RowInView(35));
}

TEST_F(AccessibleTest, ARefillIsOneNoticeAndLaterChangesAreEachTheirOwn) {
    Fill({60, 80}, 3);
    take();
    // As the window fills the list after an analysis.
    lv->Redraw(false);
    lv->Clear();
    for (int r = 0; r < 30; ++r)
        lv->AddItem(-1, u"x");
    lv->ItemChecked(0, true);
    lv->Redraw(true);
    EXPECT_EQ(take(), std::vector<std::string>{"replaced -1"});

    lv->ItemChecked(4, true);
    lv->ItemChecked(4, true); // no change, no notice
    lv->ItemChecked(-1, true);
    EXPECT_EQ(take(), std::vector<std::string>{"check 4"});

    lv->SelectedItem(0);
    Key(VK_DOWN);
    EXPECT_EQ(take(), (std::vector<std::string>{"current 0", "current 1"}));
    Key(VK_SPACE);
    EXPECT_EQ(take(), std::vector<std::string>{"check 1"});

    Wheel(2);
    EXPECT_EQ(take(), std::vector<std::string>{"scrolled -1"});
    lv->Clear();
    EXPECT_EQ(take(), std::vector<std::string>{"replaced -1"}) << "no current row left to say";
}

TEST_F(AccessibleTest, AReaderTicksAndMovesAsTheMouseAndKeysDo) {
    Fill({60, 80}, 40);
    IAccessibleWindow& table = reader();
    take();

    table.ToggleRowCheck(2);
    EXPECT_TRUE(lv->ItemChecked(2));
    EXPECT_TRUE(events.has("ItemCheck 2")) << "the owner recounts as after a click";
    table.ToggleRowCheck(2);
    EXPECT_FALSE(lv->ItemChecked(2));
    EXPECT_EQ(take(), (std::vector<std::string>{"check 2", "check 2"}));

    lv->ItemSelected(0, true);
    table.MakeCurrentRow(35);
    EXPECT_EQ(lv->SelectedItem(), 35);
    EXPECT_EQ(SelectedRows(), std::vector<int>{35});
    EXPECT_TRUE(events.has("Click 35"));
    EXPECT_TRUE(table.RowInView(35)) << "scrolled into view";
    EXPECT_EQ(take(), (std::vector<std::string>{"current 35", "scrolled -1"}));

    table.MakeCurrentRow(40);
    table.ToggleRowCheck(-1);
    EXPECT_EQ(lv->SelectedItem(), 35) << "no such row: nothing changes";

    lv->Enabled(false);
    table.ToggleRowCheck(3);
    EXPECT_FALSE(lv->ItemChecked(3)) << "a disabled list takes no ticks";
    lv->Enabled(true);
    lv->Checkboxes(false);
    table.ToggleRowCheck(3);
    EXPECT_FALSE(lv->ItemChecked(3));
    EXPECT_FALSE(table.RowsCheckable());
}

} // namespace
} // namespace lumarin::listview
