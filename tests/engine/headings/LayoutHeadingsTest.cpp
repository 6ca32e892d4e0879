// SPDX-License-Identifier: MIT
// Titles told apart from the prose by their layout alone.
#include "TestText.h"
#include "engine/headings/LayoutHeadings.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

TEST(LayoutHeadings, WhatReadsLikeATitle) {
    const struct {
        std::u16string line;
        bool title;
    } cases[] = {
        {u"写作之夜", true},
        {u"　　人类：一种也没什么特别的动物", true},
        {u"Notes on Writing", true},
        {u"“好。”", false},                              // dialogue
        {u"好。", false},                                // ends like a sentence
        {u"他说，", false},                              // ends like a clause
        {u"一九八〇年六月", false},                      // a date
        {u"1998年5月于北京", false},                     // a date and a place
        {u"——某某", false},                              // a signature's dash
        {u"1998", false},                                // a year alone
        {u"-- 12 --", false},                            // a page marker
        {u"第 12 页", false},                            // a page marker
        {u"一、早起", false},                            // a list item
        {u"作者：无名氏", false},                        // the book's own data
        {u"＊＊＊", false},                              // a scene break
        {std::u16string(21, u'长'), false},              // too long for a title
        {std::u16string(20, u'长'), true},
        {u"三月的风", true},                             // a month in a title
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsTitleLike(c.line), c.title) << test::U8(c.line);
}

TEST(LayoutHeadings, WhatTheAutomaticChoiceAlsoTakesForATitle) {
    const struct {
        std::u16string line;
        bool title;
    } cases[] = {
        {u"“家”", true},
        {u"“老板”的一天", true},
        {u"我的“父亲”", true},
        {u"译者后记", true},       // begins like the book's data
        {u"作者：无名氏", false},  // is the book's data
        {u"字数 12万", false},
        {u"“好。”", false},        // dialogue
        {u"“等等，”", false},
        {u"“你听我说——”", false}, // speech broken off
        {u"“可是……”", false},
        {u"“走吧”他说“", false},   // unbalanced
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLooseTitle(c.line), c.title) << test::U8(c.line);
        if (!c.title) {
            EXPECT_FALSE(IsTitleLike(c.line)) << test::U8(c.line);
        }
    }
}

// A book of `paragraphs` indented paragraphs with a title line every `every`.
LayoutTally Tally(int paragraphs, int every, int titleIndent, bool blankAround) {
    LayoutTally tally;
    LineNumber line = 0;
    const std::u16string title = u"写作之夜";
    for (int p = 0; p < paragraphs; ++p) {
        if (p % every == 0) {
            if (blankAround) tally.line(++line, true, 0, nullptr, 0);
            tally.line(++line, false, titleIndent, &title, 0);
            if (blankAround) tally.line(++line, true, 0, nullptr, 0);
        }
        tally.line(++line, false, 4, nullptr, 0);
    }
    return tally;
}

TEST(LayoutHeadings, OnlyAConsistentLayoutTells) {
    EXPECT_EQ(LayoutHeadings(Tally(100, 10, 0, false)).size(), 10u); // less indented
    EXPECT_EQ(LayoutHeadings(Tally(100, 10, 4, false)).size(), 0u);  // indented like the prose
    EXPECT_EQ(LayoutHeadings(Tally(100, 10, 12, true)).size(), 10u); // centred, blank around
    EXPECT_EQ(LayoutHeadings(Tally(100, 10, 12, false)).size(), 0u); // only set to the right
    EXPECT_EQ(LayoutHeadings(Tally(20, 5, 0, false)).size(), 0u);    // too little prose
    EXPECT_EQ(LayoutHeadings(Tally(100, 2, 0, false)).size(), 0u);   // the "titles" are the prose
    EXPECT_EQ(LayoutHeadings(Tally(100, 50, 0, false)).size(), 0u);  // two are no pattern
    EXPECT_EQ(LayoutHeadings(Tally(90, 30, 0, false)).size(), 3u);   // three are the fewest
}

} // namespace
} // namespace lumarin::engine
