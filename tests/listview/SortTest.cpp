// SPDX-License-Identifier: MIT
// Sorting: the shell sort itself, the row comparison in the user's locale,
// and ListItemCollection::Sort.

#include "listview/ListItemCollection.h"
#include "listview/modShellSort.h"
#include "listview/modSortCallback.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace lumarin::listview {
namespace {

int g_comparisons = 0;

int CompareInts(const void* a, const void* b) {
    ++g_comparisons;
    std::int32_t x, y;
    std::memcpy(&x, a, sizeof x);
    std::memcpy(&y, b, sizeof y);
    return x > y ? 1 : (x < y ? -1 : 0);
}

TEST(ShellSort, SortsArraysOfEverySizeAndCountsComparisonsOnTinyOnes) {
    g_comparisons = 0;
    std::int32_t one[] = {5};
    ShellSort(one, 1, 4, CompareInts);
    EXPECT_EQ(g_comparisons, 0);

    std::int32_t two[] = {7, 3};
    ShellSort(two, 2, 4, CompareInts);
    EXPECT_EQ(g_comparisons, 1);
    EXPECT_EQ(two[0], 3);

    std::mt19937 random(7);
    for (int count : {3, 4, 5, 13, 14, 40, 41, 121, 1000, 9841}) {
        std::vector<std::int32_t> values(static_cast<std::size_t>(count));
        for (auto& v : values)
            v = static_cast<std::int32_t>(random() % 100);
        auto expected = values;
        std::sort(expected.begin(), expected.end());
        ShellSort(values.data(), count, 4, CompareInts);
        EXPECT_EQ(values, expected) << count << " elements";
    }
}

TEST(ShellSort, MovesElementsWiderThanAWordAsBytes) {
    struct Wide {
        std::int32_t key;
        char payload[9];
    };
    std::vector<Wide> values = {{3, "three"}, {1, "one"}, {2, "two"}, {0, "zero"}};
    ShellSort(values.data(), 4, static_cast<std::int16_t>(sizeof(Wide)), CompareInts);
    EXPECT_STREQ(values[0].payload, "zero");
    EXPECT_STREQ(values[1].payload, "one");
    EXPECT_STREQ(values[3].payload, "three");
}

ListItemCollection& Rows(ListItemCollection& items, std::vector<std::u16string> texts) {
    items.ColumnCount(2);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ListItem* row = items.AddItem();
        row->Text(1, texts[i]);
        row->Tag(static_cast<std::int32_t>(i));
    }
    return items;
}

std::vector<std::u16string> Column1(const ListItemCollection& items) {
    std::vector<std::u16string> out;
    for (int i = 0; i < items.ItemCount(); ++i)
        out.push_back(items.Item(i)->Text(1));
    return out;
}

TEST(ListItemCollectionSort, OrdersTextsByLocaleIgnoringCase) {
    using V = std::vector<std::u16string>;
    struct Case {
        V texts;
        int order;
        V expected;
    };
    const std::vector<Case> cases = {
        {{u"b", u"A", u"c"}, 0, {u"A", u"b", u"c"}},
        {{u"b", u"A", u"c"}, 1, {u"c", u"b", u"A"}},
        {{u"b", u"A", u"c"}, 2, {u"A", u"b", u"c"}}, // anything but 1 is ascending
        {{u"9", u"10", u"2"}, 0, {u"10", u"2", u"9"}},
        {{u"9", u"10", u"2"}, 1, {u"9", u"2", u"10"}},
        {{u"Zeta", u"alpha", u"BETA", u"gamma"}, 0, {u"alpha", u"BETA", u"gamma", u"Zeta"}},
        {{u"", u"x", u""}, 0, {u"", u"", u"x"}},
    };
    for (const auto& c : cases) {
        ListItemCollection items;
        Rows(items, c.texts);
        items.Sort(1, c.order);
        EXPECT_EQ(Column1(items), c.expected) << "order " << c.order;
    }
}

TEST(ListItemCollectionSort, GuardsDoNothing) {
    ListItemCollection empty;
    empty.ColumnCount(2);
    empty.Sort(0, 0);
    EXPECT_EQ(empty.ItemCount(), 0);

    for (int column : {2, -1}) {
        ListItemCollection items;
        Rows(items, {u"b", u"a"});
        items.Sort(column, 0);
        EXPECT_EQ(Column1(items), (std::vector<std::u16string>{u"b", u"a"})) << column;
    }
}

TEST(ListItemCollectionSort, RowsKeepTheirStateAndIdentity) {
    ListItemCollection items;
    Rows(items, {u"c", u"a", u"b"});
    items.Item(0)->Checked(true);
    items.Item(0)->Selected(true);
    ListItem* c = items.Item(0);
    items.Sort(1, 0);
    EXPECT_EQ(items.Item(2), c);
    EXPECT_TRUE(c->Checked());
    EXPECT_TRUE(c->Selected());
    EXPECT_EQ(c->Tag(), 0);
    EXPECT_EQ(items.Item(0)->Tag(), 1);
    EXPECT_EQ(items.Item(3), nullptr);
}

TEST(ListItemCollectionSort, RowsWithoutTheColumnSortAsEmptyText) {
    ListItemCollection items;
    items.ColumnCount(1);
    items.AddItem()->Text(0, u"b");
    items.ColumnCount(2); // later rows have a second column, the first one has not
    ListItem* second = items.AddItem();
    second->Text(1, u"a");
    items.Sort(1, 1);
    EXPECT_EQ(items.Item(0), second);
    EXPECT_EQ(items.ItemCount(), 2);
}

TEST(CompareText, IgnoresCaseButNotLetters) {
    EXPECT_EQ(CompareText(u"abc", u"ABC"), 0);
    EXPECT_EQ(CompareText(u"a", u"B"), -1);
    EXPECT_EQ(CompareText(u"B", u"a"), 1);
    EXPECT_EQ(CompareText(u"10", u"9"), -1);
    EXPECT_NE(CompareText(u"\u7B2C\u4E00\u7AE0", u"\u7B2C\u4E8C\u7AE0"), 0);
}

} // namespace
} // namespace lumarin::listview
