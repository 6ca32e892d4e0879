// SPDX-License-Identifier: MIT
// Rows and columns of the list model: slot bookkeeping, growth, lookups and
// errors that leave the collection as it was.

#include "listview/ColumnCollection.h"
#include "listview/ListItemCollection.h"
#include "listview/ListViewError.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumarin::listview {
namespace {

// Runs f and returns the error number it raised, 0 when it raised none.
template <typename F> int ErrorOf(F&& f) {
    try {
        f();
    } catch (const ListViewError& e) {
        return e.Number();
    }
    return 0;
}

// A collection with one text column and rows named by their texts.
ListItemCollection& Fill(ListItemCollection& items, const std::u16string& names) {
    items.ColumnCount(1);
    for (char16_t c : names)
        items.AddItem()->Text(0, std::u16string(1, c));
    return items;
}

std::u16string Names(const ListItemCollection& items) {
    std::u16string out;
    for (int i = 0; i < items.ItemCount(); ++i)
        out += items.Item(i)->Text(0);
    return out;
}

TEST(ListItemCollection, FreshCollectionLooksUpWithoutRows) {
    ListItemCollection items;
    EXPECT_EQ(items.ItemCount(), 0);
    EXPECT_EQ(items.Capacity(), 1000);
    EXPECT_EQ(items.Item(0), nullptr);
    EXPECT_EQ(items.Item(-1), nullptr);
    EXPECT_EQ(items.Item(999), nullptr);
    EXPECT_EQ(ErrorOf([&] { items.Item(1000); }), 9);
}

TEST(ListItemCollection, GrowsByHalfRoundingHalvesToEvenAndKeepsRows) {
    ListItemCollection items;
    items.ColumnCount(1);
    std::vector<ListItem*> rows;
    // The storage grows when the row count reaches the capacity, keeping one spare slot.
    const std::vector<std::pair<int, int>> steps = {{999, 1000},  {1000, 1500}, {1499, 1500},
                                                    {1500, 2250}, {2250, 3375}, {3375, 5062},
                                                    {5062, 7593}, {7593, 11390}};
    for (auto [count, capacity] : steps) {
        while (items.ItemCount() < count) {
            ListItem* row = items.AddItem();
            row->Text(0, std::u16string(u"r") + static_cast<char16_t>(u'0' + rows.size() % 10));
            row->Tag(static_cast<int>(rows.size()));
            rows.push_back(row);
        }
        EXPECT_EQ(items.Capacity(), capacity) << "at " << count << " rows";
    }
    for (int i = 0; i < items.ItemCount(); ++i) {
        ASSERT_EQ(items.Item(i), rows[static_cast<std::size_t>(i)]);
        ASSERT_EQ(items.Item(i)->Tag(), i);
    }
    EXPECT_EQ(items.Item(items.ItemCount()), nullptr); // the spare slot
}

TEST(ListItemCollection, ClearKeepsTheGrownCapacity) {
    ListItemCollection items;
    for (int i = 0; i < 1000; ++i)
        items.AddItem();
    items.Clear();
    EXPECT_EQ(items.ItemCount(), 0);
    EXPECT_EQ(items.Capacity(), 1500);
    EXPECT_EQ(items.Item(0), nullptr);
    EXPECT_EQ(items.Item(1499), nullptr);
}

TEST(ListItemCollection, InsertRemoveMoveOrders) {
    struct Case {
        const char* what;
        std::u16string start;
        std::function<void(ListItemCollection&)> op;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {"insert at 0", u"AB", [](auto& c) { c.AddItem(0)->Text(0, u"n"); }, u"nAB"},
        {"insert at end", u"AB", [](auto& c) { c.AddItem(2)->Text(0, u"n"); }, u"ABn"},
        {"insert in middle", u"AB", [](auto& c) { c.AddItem(1)->Text(0, u"n"); }, u"AnB"},
        {"append", u"AB", [](auto& c) { c.AddItem(-1)->Text(0, u"n"); }, u"ABn"},
        {"remove first", u"ABC", [](auto& c) { c.RemoveItem(0); }, u"BC"},
        {"remove middle", u"ABC", [](auto& c) { c.RemoveItem(1); }, u"AC"},
        {"remove last", u"ABC", [](auto& c) { c.RemoveItem(2); }, u"AB"},
        {"move down", u"ABC", [](auto& c) { c.MoveItem(0, 2); }, u"BCA"},
        {"move up", u"ABC", [](auto& c) { c.MoveItem(2, 0); }, u"CAB"},
        {"move in place", u"ABC", [](auto& c) { c.MoveItem(1, 1); }, u"ABC"},
        {"move by one", u"ABCD", [](auto& c) { c.MoveItem(1, 2); }, u"ACBD"},
    };
    for (const auto& c : cases) {
        ListItemCollection items;
        Fill(items, c.start);
        c.op(items);
        EXPECT_EQ(Names(items), c.expected) << c.what;
        EXPECT_EQ(items.Item(items.ItemCount()), nullptr) << c.what;
    }
}

TEST(ListItemCollection, MoveKeepsEveryRowsState) {
    ListItemCollection items;
    Fill(items, u"ABC");
    items.Item(0)->Checked(true);
    items.Item(0)->Selected(true);
    items.Item(0)->Tag(42);
    ListItem* a = items.Item(0);
    items.MoveItem(0, 2);
    EXPECT_EQ(items.Item(2), a);
    EXPECT_TRUE(a->Checked());
    EXPECT_TRUE(a->Selected());
    EXPECT_EQ(a->Tag(), 42);
}

TEST(ListItemCollection, RejectedCallsRaiseNineAndChangeNothing) {
    struct Case {
        const char* what;
        std::function<void(ListItemCollection&)> op;
    };
    const std::vector<Case> cases = {
        {"remove at count", [](auto& c) { c.RemoveItem(3); }},
        {"remove negative", [](auto& c) { c.RemoveItem(-1); }},
        {"insert beyond count", [](auto& c) { c.AddItem(4); }},
        {"move from empty slot", [](auto& c) { c.MoveItem(3, 0); }},
        {"move to empty slot", [](auto& c) { c.MoveItem(0, 3); }},
        {"move from negative", [](auto& c) { c.MoveItem(-1, 0); }},
        {"move beyond capacity", [](auto& c) { c.MoveItem(0, 5000); }},
        {"lookup at capacity", [](auto& c) { c.Item(1000); }},
        {"prepare fewer than rows", [](auto& c) { c.PrepareForItems(3); }},
        {"prepare nothing", [](auto& c) { c.PrepareForItems(0); }},
    };
    for (const auto& c : cases) {
        ListItemCollection items;
        Fill(items, u"ABC");
        EXPECT_EQ(ErrorOf([&] { c.op(items); }), 9) << c.what;
        EXPECT_EQ(Names(items), u"ABC") << c.what;
        EXPECT_EQ(items.ItemCount(), 3) << c.what;
        EXPECT_EQ(items.Capacity(), 1000) << c.what;
    }
}

TEST(ListItemCollection, PrepareForItemsSetsTheCapacity) {
    ListItemCollection items;
    items.PrepareForItems(10);
    EXPECT_EQ(items.Capacity(), 10);
    for (int i = 0; i < 9; ++i)
        items.AddItem();
    EXPECT_EQ(items.Capacity(), 10);
    items.AddItem();
    EXPECT_EQ(items.Capacity(), 15);
    EXPECT_EQ(items.ItemCount(), 10);
}

TEST(ListItem, RowsGetOneEmptyTextPerColumnOfTheirTime) {
    ListItemCollection items;
    items.ColumnCount(3);
    ListItem* row = items.AddItem();
    EXPECT_EQ(row->SubItemCount(), 3);
    EXPECT_EQ(row->Text(2), u"");
    EXPECT_EQ(ErrorOf([&] { row->Text(3); }), 9);
    EXPECT_EQ(ErrorOf([&] { row->Text(-1, u"x"); }), 9);
    items.ColumnCount(1);
    EXPECT_EQ(items.AddItem()->SubItemCount(), 1);
    EXPECT_EQ(row->SubItemCount(), 3);
    EXPECT_FALSE(row->Selected());
    EXPECT_FALSE(row->Checked());
    EXPECT_EQ(row->Tag(), 0);
}

// ---- columns ----------------------------------------------------------------------

std::u16string Keys(const ColumnCollection& columns) {
    std::u16string out;
    for (int i = 0; i < columns.Count(); ++i)
        out += columns.Item(i)->key() + u";";
    return out;
}

TEST(ColumnCollection, DuplicateKeysIgnoringCaseRaise300) {
    ColumnCollection columns;
    columns.Add(u"COLTEXT");
    try {
        columns.Add(u"colText");
        FAIL() << "no error";
    } catch (const ListViewError& e) {
        EXPECT_EQ(e.Number(), 300);
        EXPECT_EQ(e.Description(), u"Objekt nicht eindeutig in Aufz\u92D2lung!");
    }
    EXPECT_EQ(columns.Count(), 1);

    ColumnCollection unnamed;
    unnamed.Add();
    EXPECT_EQ(ErrorOf([&] { unnamed.Add(); }), 300);
    EXPECT_EQ(unnamed.Count(), 1);

    ColumnCollection greek;
    greek.Add(u"\u03A3\u039F\u03A6\u0399\u0391"); // letter case beyond ASCII
    EXPECT_EQ(ErrorOf([&] { greek.Add(u"\u03C3\u03BF\u03C6\u03B9\u03B1"); }), 300);
}

TEST(ColumnCollection, LookupByPositionNumericTextOrKey) {
    ColumnCollection columns;
    columns.Add(u"a");
    columns.Add(u"colText");
    columns.Add(u"12");
    struct Case {
        PositionOrKey index;
        int expected; // position, or -9 for error 9
    };
    const std::vector<Case> cases = {
        {1, 1},           {u"1", 1},   {u" 1 ", 1}, {1.4, 1},    {2.5, 2},
        {1.5, 2},         {u"0.5", 0}, {u"&H1", 1}, {u"1e0", 1}, {u"COLTEXT", 1},
        {u"coltext", 1},  {u"A", 0},   {u"12", -9}, {3, -9},     {-1, -9},
        {u"missing", -9}, {u"", -9},   {u"1x", -9}, {3e10, -9},
    };
    for (const auto& c : cases) {
        const std::string label = c.index.IsNumber()
                                      ? std::to_string(*c.index.NumericValue())
                                      : std::string(c.index.Text().begin(), c.index.Text().end());
        if (c.expected == -9) {
            EXPECT_EQ(ErrorOf([&] { columns.Item(c.index); }), 9) << label;
        } else {
            EXPECT_EQ(columns.Item(c.index), columns.Item(c.expected)) << label;
        }
    }
}

TEST(ColumnCollection, RemoveKeepsTheOthersInOrder) {
    struct Case {
        PositionOrKey index;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {2, u"a;b;"}, {0, u"b;c;"}, {1, u"a;c;"}, {u"B", u"a;c;"}, {u"2", u"a;b;"}};
    for (const auto& c : cases) {
        ColumnCollection columns;
        for (auto k : {u"a", u"b", u"c"})
            columns.Add(k);
        columns.Remove(c.index);
        EXPECT_EQ(Keys(columns), c.expected);
        EXPECT_EQ(columns.Count(), 2);
    }
}

TEST(ColumnCollection, RejectedRemovalChangesNothing) {
    ColumnCollection columns;
    for (auto k : {u"a", u"b"})
        columns.Add(k);
    for (const PositionOrKey& index : {PositionOrKey(2), PositionOrKey(-1), PositionOrKey(u"zz")}) {
        EXPECT_EQ(ErrorOf([&] { columns.Remove(index); }), 9);
        EXPECT_EQ(Keys(columns), u"a;b;");
    }
}

TEST(ColumnCollection, SlotFreedByRemoveIsEmptyUntilTheNextAdd) {
    ColumnCollection columns;
    for (auto k : {u"a", u"b"})
        columns.Add(k);
    columns.Remove(1);
    EXPECT_EQ(columns.Item(1), nullptr);
    EXPECT_EQ(ErrorOf([&] { columns.Item(2); }), 9);
    columns.Add(u"c");
    EXPECT_EQ(columns.Item(1)->key(), u"c");
}

TEST(ColumnCollection, NewColumnHasInitialFields) {
    ColumnCollection columns;
    Column* c = columns.Add(u"k");
    EXPECT_EQ(c->key(), u"k");
    EXPECT_EQ(c->Caption(), u"");
    EXPECT_EQ(c->TextAlign(), 0);
    EXPECT_EQ(c->Width(), 0);
    EXPECT_EQ(c->WidthAutoSized(), 0);
    EXPECT_FALSE(c->Pushed());
    EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(c->Resizable());
    EXPECT_EQ(c->LastSortOrder(), 0);
}

} // namespace
} // namespace lumarin::listview
