// SPDX-License-Identifier: MIT
// The control's public interface as its owner uses it: rows, columns, errors
// with the state unchanged, the current row's bookkeeping, property
// follow-ups and the Redraw contract.

#include "listview/ListView.h"

#include "platform/Window.h"
#include "platform/WindowHost.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumarin::listview {
namespace {

using namespace platform;

struct Recorder : IListViewEvents {
    int redraws = 0;
    std::vector<std::string> clicks;
    void Click(std::int32_t ItemIndex) override {
        clicks.push_back("Click " + std::to_string(ItemIndex));
    }
    void DblClick(std::int32_t ItemIndex) override {
        clicks.push_back("DblClick " + std::to_string(ItemIndex));
    }
    std::vector<std::string> keys;
    void KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) override {
        keys.push_back("KeyUp " + std::to_string(KeyCode) + " " + std::to_string(Shift));
    }
    void KeyPress(std::int16_t& KeyAscii) override {
        keys.push_back("KeyPress " + std::to_string(KeyAscii));
    }
    std::vector<std::u16string> dropped;
    void OLEDragDrop(DataObject& Data, std::int32_t& Effect, std::int16_t& MouseButton,
                     std::int16_t& Shift, float& X, float& Y) override {
        dropped = Data.Files();
        keys.push_back("Drop " + std::to_string(MouseButton) + " " + std::to_string(Shift) + " " +
                       std::to_string(int(X)) + "," + std::to_string(int(Y)));
        Effect = vbDropEffectNone;
    }
    std::function<void()> onRedraw;
    void RedrawingDone() override {
        ++redraws;
        if (onRedraw) onRedraw();
    }
};

class ListViewTest : public testing::Test {
protected:
    ListViewTest() {
        lv.EventSink(&events);
        lv.OnPropertyChanged([this](const std::u16string& name) { notified.push_back(name); });
    }

    // Columns a, b, c and rows named r0, r1 ... in column 0.
    void Fill(int rows) {
        lv.AddColumn(u"a", u"A");
        lv.AddColumn(u"b", u"B");
        lv.AddColumn(u"c", u"C");
        for (int i = 0; i < rows; ++i)
            lv.AddItem(-1, u"r" + std::u16string(1, char16_t(u'0' + i)));
    }

    std::u16string Rows() const {
        std::u16string out;
        for (int i = 0; i < lv.ItemCount(); ++i)
            out += lv.ItemText(i, 0) + u";";
        return out;
    }

    template <typename F> int ErrorOf(F&& f) {
        try {
            f();
        } catch (const ListViewError& e) {
            description = e.Description();
            return e.Number();
        }
        return 0;
    }

    ListView lv;
    Recorder events;
    std::vector<std::u16string> notified;
    std::u16string description;
};

TEST_F(ListViewTest, OwnsAWindowOfItsClassThatFindsIt) {
    EXPECT_TRUE(IsWindow(lv.hWnd()));
    EXPECT_EQ(GetClassName(lv.hWnd()), u"Tessel.ListView");
    EXPECT_EQ(GetWindowLongPtr(lv.hWnd(), GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&lv));
    HWND hwnd = 0;
    {
        ListView other;
        hwnd = other.hWnd();
        EXPECT_NE(hwnd, lv.hWnd());
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ListViewTest, SurvivesItsWindowBeingDestroyedFirst) {
    ListView other;
    DestroyWindow(other.hWnd());
    EXPECT_EQ(other.hWnd(), 0);
    other.AddColumn(u"k");
    other.AddItem();
    EXPECT_EQ(other.ItemCount(), 1);
}

TEST_F(ListViewTest, StartsWithNoCurrentRowAndItselfAsCallback) {
    EXPECT_EQ(lv.SelectedItem(), -1);
    EXPECT_TRUE(lv.Redraw());
    EXPECT_TRUE(lv.ItemsAutoSize());
    EXPECT_TRUE(lv.Sortable());
    EXPECT_EQ(lv.ItemPaddingTop(), 4);
    EXPECT_EQ(lv.ItemPaddingBottom(), 4);
    EXPECT_EQ(lv.ItemPaddingLeft(), 4);
    EXPECT_EQ(lv.ItemPaddingRight(), 5);
    EXPECT_EQ(lv.DrawCallback(), &lv);
}

TEST_F(ListViewTest, NumberedErrorsCarryTheirTextsAndChangeNothing) {
    EXPECT_EQ(ErrorOf([&] { lv.AddItem(); }), 31);
    EXPECT_EQ(description, u"can not add items when there are no columns");
    EXPECT_EQ(lv.ItemCount(), 0);

    Fill(3);
    lv.SelectedItem(1);
    const int redraws = events.redraws;
    struct Case {
        const char* what;
        std::function<void()> op;
        int number;
    };
    const std::vector<Case> cases = {
        {"AddColumn with rows", [&] { lv.AddColumn(u"d"); }, 33},
        {"RemoveColumn with rows", [&] { lv.RemoveColumn(0); }, 33},
        {"AddItem beyond the rows", [&] { lv.AddItem(4, u"x"); }, 9},
        {"RemoveItem at ItemCount", [&] { lv.RemoveItem(3); }, 9},
        {"RemoveItem negative", [&] { lv.RemoveItem(-1); }, 9},
        {"MoveItem to an empty slot", [&] { lv.MoveItem(0, 3); }, 9},
        {"ItemTag at the capacity", [&] { lv.ItemTag(1000, 5); }, 9},
        {"ItemText of no column", [&] { lv.ItemText(0, 3, u"x"); }, 9},
        {"ItemText of a negative column", [&] { lv.ItemText(0, -1); }, 9},
        {"ItemTag negative", [&] { lv.ItemTag(-1, 5); }, 91},
        {"ItemSelected negative", [&] { lv.ItemSelected(-1, true); }, 91},
        {"ItemText negative", [&] { lv.ItemText(-1, 0, u"x"); }, 91},
        {"ItemChecked past the rows", [&] { lv.ItemChecked(3, true); }, 91},
        {"ItemChecked read past the rows", [&] { lv.ItemChecked(3); }, 91},
        {"ItemTag past the rows", [&] { lv.ItemTag(5); }, 91},
        {"column position", [&] { lv.ColumnCaption(3, u"x"); }, 9},
        {"column key", [&] { lv.ColumnWidth(u"zz", 5); }, 9},
        {"OLEDropMode beyond 16 bits", [&] { lv.OLEDropMode(70000); }, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf(c.op), c.number) << c.what;
        EXPECT_EQ(Rows(), u"r0;r1;r2;") << c.what;
        EXPECT_EQ(lv.ColumnCount(), 3) << c.what;
        EXPECT_EQ(lv.SelectedItem(), 1) << c.what;
    }
    EXPECT_EQ(events.redraws, redraws); // a failed member runs no follow-up
    EXPECT_EQ(lv.OLEDropMode(), 0);
    EXPECT_EQ(lv.ColumnCaption(0), u"A");
    EXPECT_EQ(lv.ColumnWidth(u"c"), 300);

    EXPECT_EQ(ErrorOf([&] { lv.ItemText(-1, 0); }), 91);
    EXPECT_EQ(description, u"Object reference not set");
    EXPECT_EQ(ErrorOf([&] { lv.RemoveItem(7); }), 9);
    EXPECT_EQ(description, u"Subscript out of range");
    EXPECT_EQ(ErrorOf([&] { lv.AddColumn(u"x"); }), 33);
    EXPECT_EQ(description, u"can not add or remove columns when there are items");
}

TEST_F(ListViewTest, DuplicateColumnKeyInOtherCaseRaises300) {
    lv.AddColumn(u"Title");
    EXPECT_EQ(ErrorOf([&] { lv.AddColumn(u"TITLE", u"again"); }), 300);
    EXPECT_EQ(description, u"Objekt nicht eindeutig in Aufz\u92D2lung!");
    EXPECT_EQ(lv.ColumnCount(), 1);
    EXPECT_EQ(lv.ColumnCaption(0), u"");
}

TEST_F(ListViewTest, ColumnsChangeAgainAfterClear) {
    Fill(2);
    lv.SelectedItem(1);
    lv.Clear();
    EXPECT_EQ(lv.ItemCount(), 0);
    EXPECT_EQ(lv.ColumnCount(), 3);
    EXPECT_EQ(lv.SelectedItem(), -1);
    lv.RemoveColumn(u"B");
    lv.AddColumn(u"d");
    EXPECT_EQ(lv.ColumnKey(1), u"c");
    EXPECT_EQ(lv.ColumnKey(u"2"), u"d");
    lv.AddItem(-1, u"x");
    EXPECT_EQ(lv.ItemText(0, 2), u"");
}

TEST_F(ListViewTest, AddColumnDefaults) {
    lv.AddColumn(u"k", u"Caption");
    EXPECT_EQ(lv.ColumnCaption(u"k"), u"Caption");
    EXPECT_EQ(lv.ColumnTextAlign(0), 0);
    EXPECT_EQ(lv.ColumnWidth(0), 300);
    EXPECT_TRUE(lv.ColumnResizable(0));
    EXPECT_TRUE(lv.ColumnVisible(0));
}

TEST_F(ListViewTest, AddItemWithoutArgumentsAppendsEmptyRow) {
    Fill(2);
    EXPECT_EQ(lv.AddItem(), 2);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(lv.ItemText(2, c), u"");
    EXPECT_EQ(lv.AddItem(0, u"first"), 0);
    EXPECT_EQ(lv.ItemText(0, 0), u"first");
}

TEST_F(ListViewTest, AddItemKeepsTheCurrentRowOnItsRow) {
    struct Case {
        int insertAt;
        int expected;
    };
    for (const auto& c : {Case{0, 4}, Case{3, 4}, Case{5, 3}, Case{-1, 3}, Case{6, 3}}) {
        ListView list;
        list.AddColumn(u"k");
        for (int i = 0; i < 6; ++i)
            list.AddItem();
        list.SelectedItem(3);
        list.AddItem(c.insertAt);
        EXPECT_EQ(list.SelectedItem(), c.expected) << "insert at " << c.insertAt;
    }
}

TEST_F(ListViewTest, RemoveItemKeepsTheCurrentRowWhereItCan) {
    struct Case {
        int rows, current, remove, expected;
    };
    for (const auto& c : {Case{5, 4, 4, 3}, Case{1, 0, 0, -1}, Case{5, 2, 0, 1}, Case{5, 2, 2, 2},
                          Case{5, 2, 3, 2}, Case{5, -1, 0, -1}}) {
        ListView list;
        list.AddColumn(u"k");
        for (int i = 0; i < c.rows; ++i)
            list.AddItem();
        list.SelectedItem(c.current);
        list.RemoveItem(c.remove);
        EXPECT_EQ(list.SelectedItem(), c.expected)
            << c.rows << " rows, current " << c.current << ", remove " << c.remove;
    }
}

TEST_F(ListViewTest, MoveItemLeavesTheCurrentNumber) {
    Fill(3);
    lv.SelectedItem(0);
    lv.MoveItem(0, 2);
    EXPECT_EQ(Rows(), u"r1;r2;r0;");
    EXPECT_EQ(lv.SelectedItem(), 0);
}

TEST_F(ListViewTest, NegativeRowForItemCheckedIsQuietButRedraws) {
    Fill(2);
    const int before = events.redraws;
    EXPECT_FALSE(lv.ItemChecked(-1));
    lv.ItemChecked(-1, true);
    EXPECT_FALSE(lv.ItemChecked(0));
    EXPECT_FALSE(lv.ItemChecked(1));
    EXPECT_EQ(events.redraws, before + 1);
}

TEST_F(ListViewTest, SortByKeyAndTheUnknownKeyFallback) {
    lv.AddColumn(u"name");
    lv.AddColumn(u"num");
    const std::vector<std::pair<std::u16string, std::u16string>> rows = {
        {u"b", u"9"}, {u"A", u"10"}, {u"c", u"2"}};
    for (const auto& [name, num] : rows)
        lv.ItemText(lv.AddItem(-1, name), 1, num);

    EXPECT_EQ(lv.ColumnIndex(u"num"), 1);
    EXPECT_EQ(lv.ColumnIndex(u"NUM"), 0); // exact comparison here
    EXPECT_EQ(lv.ColumnIndex(u"missing"), 0);
    EXPECT_EQ(lv.ColumnIndex(1), 0); // a number is never a key

    const int redraws = events.redraws;
    lv.Sort(u"num", 0);
    EXPECT_EQ(Rows(), u"A;c;b;"); // "10", "2", "9"
    lv.Sort(u"missing", 1);
    EXPECT_EQ(Rows(), u"c;b;A;");
    lv.Sort(u"name", 0);
    EXPECT_EQ(Rows(), u"A;b;c;");
    EXPECT_EQ(events.redraws, redraws); // Sort leaves the redraw to the owner
}

TEST_F(ListViewTest, RedrawOffSuppressesRedrawingDoneUntilSwitchedOn) {
    lv.AddColumn(u"k");
    lv.Redraw(false);
    const int before = events.redraws;
    for (int i = 0; i < 50; ++i)
        lv.ItemChecked(lv.AddItem(-1, u"row"), true);
    lv.SelectedItem(3);
    lv.RemoveItem(0);
    lv.BackColor(0xFFFFFF);
    EXPECT_EQ(events.redraws, before);
    lv.Redraw(true);
    EXPECT_EQ(events.redraws, before + 1);
    lv.Redraw(true);
    EXPECT_EQ(events.redraws, before + 2);
}

TEST_F(ListViewTest, RedrawingDoneMayStartTheNextRedraw) {
    lv.AddColumn(u"k");
    int nested = 0;
    events.onRedraw = [&] {
        if (nested++ == 0) lv.SelectedItem(0); // redraws from inside the event
    };
    const int before = events.redraws;
    lv.AddItem();
    EXPECT_EQ(events.redraws, before + 2);
}

TEST_F(ListViewTest, SelectAllOnlyInMultipleSelection) {
    Fill(3);
    lv.SelectAll();
    EXPECT_FALSE(lv.ItemSelected(0));
    lv.MultiSelect(true);
    const int redraws = events.redraws;
    lv.SelectAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(lv.ItemSelected(i));
    lv.MultiSelect(false);
    lv.UnSelectAll();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(lv.ItemSelected(i));
    EXPECT_EQ(events.redraws, redraws);
}

TEST_F(ListViewTest, PropertyFollowUps) {
    struct Case {
        const char* what;
        std::function<void(ListView&)> set;
        std::vector<std::u16string> notifies;
        bool redraws;
    };
    const std::vector<Case> cases = {
        {"Sortable", [](auto& l) { l.Sortable(false); }, {u"Sortable"}, false},
        {"ItemsAutoSize", [](auto& l) { l.ItemsAutoSize(false); }, {u"ItemsAutoSize"}, true},
        {"ItemPaddingTop", [](auto& l) { l.ItemPaddingTop(2); }, {u"ItemPaddingTop"}, true},
        {"ItemPaddingBottom",
         [](auto& l) { l.ItemPaddingBottom(2); },
         {u"ItemPaddingBottom"},
         true},
        {"ItemPaddingLeft", [](auto& l) { l.ItemPaddingLeft(2); }, {u"ItemPaddingLeft"}, true},
        {"ItemPaddingRight", [](auto& l) { l.ItemPaddingRight(2); }, {u"ItemPaddingRight"}, true},
        {"Checkboxes", [](auto& l) { l.Checkboxes(true); }, {u"Checkboxes"}, true},
        {"OLEDropMode", [](auto& l) { l.OLEDropMode(1); }, {u"OLEDropMode"}, false},
        {"SolidFocusRect", [](auto& l) { l.SolidFocusRect(true); }, {}, true},
        {"DrawCallback", [](auto& l) { l.DrawCallback(nullptr); }, {}, true},
        // The new frame shrinks the client area, and a resize repaints.
        {"BorderStyle", [](auto& l) { l.BorderStyle(2); }, {u"BorderStyle"}, true},
        {"Enabled", [](auto& l) { l.Enabled(true); }, {u"Enabled"}, true},
        {"ColumnsAutoSize", [](auto& l) { l.ColumnsAutoSize(true); }, {u"ColumnsAutoSize"}, true},
        {"ColumnsVisible", [](auto& l) { l.ColumnsVisible(true); }, {u"ColumnsVisible"}, true},
        {"Reorder", [](auto& l) { l.Reorder(true); }, {u"Reorder"}, false},
        {"MultiSelect", [](auto& l) { l.MultiSelect(true); }, {u"MultiSelect"}, false},
        {"CheckboxColor", [](auto& l) { l.CheckboxColor(0); }, {u"CheckboxColor"}, true},
        {"CheckboxSelectedColor",
         [](auto& l) { l.CheckboxSelectedColor(0xFFFFFF); },
         {u"CheckboxSelectedColor"},
         true},
        {"BackColor", [](auto& l) { l.BackColor(0xFFFFFF); }, {u"BackColor"}, true},
        {"ForeColor", [](auto& l) { l.ForeColor(0); }, {u"ForeColor"}, true},
        {"SelectedForeColor",
         [](auto& l) { l.SelectedForeColor(0); },
         {u"SelectedForeColor"},
         true},
        {"SelectedBackColor",
         [](auto& l) { l.SelectedBackColor(0xFF); },
         {u"SelectedBackColor"},
         true},
        {"FocusRectColor", [](auto& l) { l.FocusRectColor(0xFF00); }, {u"FocusRectColor"}, true},
        {"Font",
         [](auto& l) { l.Font(std::make_shared<StdFont>(u"Tahoma", 8.25)); },
         {u"Font"},
         true},
        {"Redraw off", [](auto& l) { l.Redraw(false); }, {}, false},
        {"Redraw on", [](auto& l) { l.Redraw(true); }, {}, true},
        {"SelectedItem", [](auto& l) { l.SelectedItem(0); }, {}, true},
        {"ColumnCaption", [](auto& l) { l.ColumnCaption(0, u"x"); }, {}, true},
        {"ColumnWidth", [](auto& l) { l.ColumnWidth(0, 10); }, {}, true},
        {"ColumnVisible", [](auto& l) { l.ColumnVisible(0, false); }, {}, true},
        {"ColumnResizable", [](auto& l) { l.ColumnResizable(0, false); }, {}, true},
        {"ColumnTextAlign", [](auto& l) { l.ColumnTextAlign(0, 2); }, {}, true},
    };
    lv.AddColumn(u"k");
    for (const auto& c : cases) {
        notified.clear();
        const int before = events.redraws;
        c.set(lv);
        EXPECT_EQ(notified, c.notifies) << c.what;
        EXPECT_EQ(events.redraws - before, c.redraws ? 1 : 0) << c.what;
    }
}

TEST_F(ListViewTest, ColourPropertiesReadBackAsGiven) {
    const auto highlight = OleSystemColor(COLOR_HIGHLIGHT);
    lv.SelectedBackColor(highlight);
    lv.BackColor(0x00FFFFFF);
    EXPECT_EQ(lv.SelectedBackColor(), highlight);
    EXPECT_EQ(lv.BackColor(), 0x00FFFFFF);
    lv.ForeColor(static_cast<std::int32_t>(0x800000FF)); // no such system colour: kept anyway
    EXPECT_EQ(lv.ForeColor(), static_cast<std::int32_t>(0x800000FF));
}

TEST_F(ListViewTest, BorderStyleSetsTheWindowsEdgeBits) {
    const LONG edges = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
    SetWindowLongPtr(lv.hWnd(), GWL_STYLE,
                     GetWindowLongPtr(lv.hWnd(), GWL_STYLE) | WS_BORDER | WS_THICKFRAME);
    SetWindowLongPtr(lv.hWnd(), GWL_EXSTYLE, edges | WS_EX_ACCEPTFILES);
    struct Case {
        int style;
        LONG edge;
    };
    for (const auto& c : {Case{1, WS_EX_STATICEDGE}, Case{2, WS_EX_CLIENTEDGE}, Case{0, 0},
                          Case{2, WS_EX_CLIENTEDGE}, Case{7, WS_EX_CLIENTEDGE}}) {
        lv.BorderStyle(c.style);
        EXPECT_EQ(lv.BorderStyle(), c.style);
        const auto ex = static_cast<LONG>(GetWindowLongPtr(lv.hWnd(), GWL_EXSTYLE));
        EXPECT_EQ(ex & edges, c.edge) << "style " << c.style;
        EXPECT_TRUE(ex & WS_EX_ACCEPTFILES) << "other bits stay";
        EXPECT_EQ(GetWindowLongPtr(lv.hWnd(), GWL_STYLE) & (WS_BORDER | WS_THICKFRAME), 0);
    }
}

TEST_F(ListViewTest, BorderChangesTheClientArea) {
    ListView list(0, 0, 0, 100, 80);
    list.BorderStyle(0);
    RECT none;
    GetClientRect(list.hWnd(), &none);
    list.BorderStyle(2);
    RECT sunken;
    GetClientRect(list.hWnd(), &sunken);
    EXPECT_LT(sunken.right, none.right);
    EXPECT_LT(sunken.bottom, none.bottom);
}

TEST_F(ListViewTest, DropModeOpensTheWindowForDrops) {
    lv.OLEDropMode(1);
    EXPECT_EQ(lv.OLEDropMode(), 1);
    EXPECT_TRUE(GetWindowLongPtr(lv.hWnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    lv.OLEDropMode(0);
    EXPECT_FALSE(GetWindowLongPtr(lv.hWnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST_F(ListViewTest, ItemHeightFollowsFontPaddingAndCheckboxes) {
    lv.Font(std::make_shared<StdFont>(u"Tahoma", 8.25));
    lv.Checkboxes(false);
    lv.ItemsAutoSize(true);
    const int text = lv.ItemHeight() - 4;
    EXPECT_GT(text, 0);
    lv.Checkboxes(true);
    EXPECT_EQ(lv.ItemHeight(), std::max(text + 4, 19));
    lv.ItemsAutoSize(false);
    lv.ItemPaddingTop(1);
    lv.ItemPaddingBottom(2);
    EXPECT_EQ(lv.ItemHeight(), text + 3);

    auto font = lv.Font();
    font->Size(30); // the control follows its font object's changes
    lv.ItemsAutoSize(true);
    lv.Checkboxes(false);
    EXPECT_GT(lv.ItemHeight(), text + 4);
}

TEST_F(ListViewTest, PressTakesFocusAndCaptureUntilTheLastRelease) {
    const HWND hwnd = lv.hWnd();
    SetFocus(0);
    SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetFocus(), hwnd);
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessage(hwnd, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessage(hwnd, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), hwnd); // the right button is still held
    SendMessage(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), 0);
}

TEST_F(ListViewTest, LeftReleaseClicksButNotAfterADoubleClickOrOutside) {
    ListView list(0, 0, 0, 200, 100);
    list.EventSink(&events);
    list.AddColumn(u"k", u"", 0, 50);
    list.AddItem();
    list.SelectedItem(0);
    const HWND hwnd = list.hWnd();
    const LPARAM inside = MAKELPARAM(150, 50); // right of the only column
    SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessage(hwnd, WM_LBUTTONUP, 0, inside);
    SendMessage(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    SendMessage(hwnd, WM_LBUTTONUP, 0, inside);
    SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(500, 50)); // released outside the window
    SendMessage(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, inside);
    SendMessage(hwnd, WM_RBUTTONUP, 0, inside);
    EXPECT_EQ(events.clicks, std::vector<std::string>{"Click 0"});
}

TEST_F(ListViewTest, KeysAndDropsReachTheOwnerWithModifiersWhileEnabled) {
    const HWND hwnd = lv.hWnd();
    lv.Enabled(true);
    lv.OLEDropMode(1); // drops are reported only while the drop mode takes them
    SetKeyState(VK_CONTROL, true);
    SendMessage(hwnd, WM_KEYUP, 'A', 0);
    SetKeyState(VK_CONTROL, false);
    SetKeyState(VK_MENU, true);
    SendMessage(hwnd, WM_SYSKEYUP, VK_SHIFT, 0);
    SetKeyState(VK_MENU, false);
    SendMessage(hwnd, WM_CHAR, 0x7B2C, 0);

    DataObject data({u"/tmp/青灯记.txt"});
    DropInfo drop;
    drop.data = &data;
    drop.button = 1;
    drop.shift = 2;
    drop.pt = {12, 34};
    SendMessage(hwnd, WM_OLEDRAGDROP, 0, reinterpret_cast<LPARAM>(&drop));
    EXPECT_EQ(drop.effect, vbDropEffectNone); // the owner's change reaches the window system
    EXPECT_EQ(events.dropped, std::vector<std::u16string>{u"/tmp/青灯记.txt"});

    lv.Enabled(false);
    SendMessage(hwnd, WM_CHAR, 'x', 0);
    drop.effect = vbDropEffectCopy;
    SendMessage(hwnd, WM_OLEDRAGDROP, 0, reinterpret_cast<LPARAM>(&drop));
    EXPECT_EQ(drop.effect, vbDropEffectCopy);

    EXPECT_EQ(events.keys, (std::vector<std::string>{"KeyUp 65 2", "KeyUp 16 4", "KeyPress 31532",
                                                     "Drop 1 2 12,34"}));
}

TEST_F(ListViewTest, EmptyDrawCallbackPutsTheControlBack) {
    struct Owner : ICustomDraw {
        bool CustomDraw(std::int32_t, std::int32_t, std::int32_t&, std::int32_t&) override {
            return true;
        }
    } owner;
    lv.DrawCallback(&owner);
    EXPECT_EQ(lv.DrawCallback(), &owner);
    lv.DrawCallback(nullptr);
    EXPECT_EQ(lv.DrawCallback(), &lv);
    std::int32_t back = -1, fore = -1;
    EXPECT_FALSE(lv.CustomDraw(0, 0, back, fore));
    EXPECT_EQ(back, -1);
    EXPECT_EQ(fore, -1);
}

} // namespace
} // namespace lumarin::listview
