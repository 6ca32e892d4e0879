// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingCondition.h"

#include "TestText.h"
#include "engine/base/EngineError.h"
#include "engine/encoding/LineCodec.h"
#include "engine/headings/HeadingRules.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using Groups = std::vector<std::u16string>;

TEST(HeadingCondition, DefaultConditionReadsNumberMarkerAndTitle) {
    HeadingCondition condition(kDefaultCondition);
    const struct {
        std::u16string line;
        MatchStatus status;
        bool qualified;
        std::u16string number, title;
    } cases[] = {
        {u"第十二章 风起云涌", MatchStatus::Matched, true, u"十二", u" 风起云涌"},
        {u"　　第１２章　标题", MatchStatus::Matched, true, u"１２", u"　标题"},
        {u"第3草 错字", MatchStatus::Matched, true, u"3", u" 错字"},
        {u"他是第一个到的", MatchStatus::NoMatch, false, u"", u""},
        {u"第四千九百八十五章", MatchStatus::Matched, true, u"四千九百八十五", u""},
        {u"第一〇五〇章 归", MatchStatus::Matched, true, u"一〇五〇", u" 归"},
        {u"第一万二千三百四十五章", MatchStatus::Matched, true, u"一万二千三百四十五", u""},
        {u"第１２３４５６７８９０章", MatchStatus::Matched, true, u"１２３４５６７８９０", u""},
        {u"第一二三四五六七八九十一章", MatchStatus::NoMatch, false, u"", u""}, // eleven signs
        {u"", MatchStatus::NoMatch, false, u"", u""},
    };
    for (const auto& c : cases) {
        HeadingFields fields;
        EXPECT_EQ(condition.match(c.line, fields), c.status) << test::U8(c.line);
        EXPECT_EQ(fields.qualified, c.qualified) << test::U8(c.line);
        EXPECT_EQ(fields.number, c.number) << test::U8(c.line);
        EXPECT_EQ(fields.title, c.title) << test::U8(c.line);
    }
}

TEST(HeadingCondition, AllMatchesLeftToRightWithGroups) {
    HeadingCondition condition(u"(\\d+)([a-z])");
    std::vector<Groups> matches;
    EXPECT_EQ(condition.allMatches(u"1a 22B 333c", matches), MatchStatus::Matched);
    EXPECT_EQ(matches, (std::vector<Groups>{{u"1", u"a"}, {u"22", u"B"}, {u"333", u"c"}}));

    // Empty matches move on one character at a time, surrogate pairs kept whole.
    HeadingCondition empty(u"x*");
    EXPECT_EQ(empty.allMatches(u"a\U00020000x", matches), MatchStatus::Matched);
    EXPECT_EQ(matches.size(), 4u);
}

TEST(HeadingCondition, FirstQualifyingMatchOnly) {
    HeadingCondition condition(u"第(\\d+)(.)(\\S*)");
    const struct {
        std::u16string line, number, title;
        bool qualified;
    } cases[] = {
        {u"第1节甲 第2章乙 第3章丙", u"2", u"乙", true},
        {u"第1节甲 第2卷乙", u"", u"", false},
        {u"第7曹丁", u"7", u"丁", true},
    };
    for (const auto& c : cases) {
        HeadingFields fields;
        EXPECT_EQ(condition.match(c.line, fields), MatchStatus::Matched);
        EXPECT_EQ(fields.qualified, c.qualified) << test::U8(c.line);
        EXPECT_EQ(fields.number, c.number) << test::U8(c.line);
        EXPECT_EQ(fields.title, c.title) << test::U8(c.line);
    }
}

TEST(HeadingCondition, FewerGroupsReadAsEmpty) {
    HeadingCondition oneGroup(u"^Chapter (\\d+)");
    HeadingFields fields;
    EXPECT_EQ(oneGroup.match(u"chapter 12", fields), MatchStatus::Matched); // case-insensitive
    EXPECT_FALSE(fields.qualified);
    HeadingCondition noGroups(u"^卷");
    EXPECT_EQ(noGroups.match(u"卷一", fields), MatchStatus::Matched);
    EXPECT_FALSE(fields.qualified);
}

TEST(HeadingCondition, InvalidPatternNamesTheReason) {
    for (const std::u16string_view pattern : {u"第(", u"[章", u"a{2,1}", u"(?<n>"}) {
        try {
            HeadingCondition condition(pattern);
            ADD_FAILURE() << "accepted " << test::U8(pattern);
        } catch (const EngineError& error) {
            EXPECT_EQ(error.code(), ErrorCode::InvalidCondition);
            EXPECT_EQ(error.kind(), ErrorKind::Refused);
            EXPECT_TRUE(error.message().starts_with(u"标题条件无效: ")) << error.what();
            EXPECT_GT(error.message().size(), std::u16string_view(u"标题条件无效: ").size());
        }
    }
}

TEST(HeadingCondition, MatchLimitStopsCatastrophicPatterns) {
    HeadingCondition condition(u"^(a+)+$", 100000);
    HeadingFields fields;
    EXPECT_EQ(condition.match(std::u16string(40, u'a') + u"b", fields), MatchStatus::LimitExceeded);
    EXPECT_EQ(condition.match(u"aaa", fields), MatchStatus::Matched);
}

// All matches of a line share one budget: a condition that looks to the end of
// the line at every character stops, while many short matches on a long line,
// or one match running to its end, stay within it.
TEST(HeadingCondition, MatchesOfOneLineShareOneBudget) {
    std::u16string manyShort;
    for (int i = 0; i < 20'000; ++i)
        manyShort += u"第12回，";
    const std::u16string longTitle = u"第一章 " + std::u16string(1'000'000, u'长');
    const std::u16string megabyte(1'000'000, u'a');
    const struct {
        const char* name;
        std::u16string pattern, line;
        MatchStatus status;
        std::size_t matches;
    } cases[] = {
        {"lookahead to the end at every character", u"(?=.*$).", megabyte,
         MatchStatus::LimitExceeded, 0},
        {"backtracking search at every character", u"(?=a*b)|.", megabyte,
         MatchStatus::LimitExceeded, 0},
        {"many short matches", u"第(\\d+)(回)", manyShort, MatchStatus::Matched, 20'000},
        {"one match to the end", std::u16string(kDefaultCondition), longTitle, MatchStatus::Matched,
         1},
        {"no match on a long line", u"第(x)", longTitle, MatchStatus::NoMatch, 0},
        {"end of line far away", u"a$", megabyte, MatchStatus::Matched, 1},
        {"lookahead past the first window", u"长(?=长{1500})", longTitle.substr(0, 4000),
         MatchStatus::Matched, 4000 - 4 - 1500},
    };
    for (const auto& c : cases) {
        HeadingCondition condition(c.pattern);
        std::vector<Groups> matches;
        EXPECT_EQ(condition.allMatches(c.line, matches), c.status) << c.name;
        EXPECT_EQ(matches.size(), c.matches) << c.name;
    }
}

// The engine first sees a window of the line: a match may not depend on where
// that window ends.
TEST(HeadingCondition, WindowEdgesChangeNoMatch) {
    const struct {
        std::u16string pattern;
        std::size_t at; // where the tail starts, after a run of 'a's
        std::u16string tail;
        std::vector<Groups> expected;
    } cases[] = {
        {u"(a)\\b", 1023, u"", {{u"a"}}},
        {u"(\\v)|(?=b)", 1024, u"\v", {{u"\v"}}},
        {u"a(b?)c", 1023, u"bc", {{u"b"}}},
        {u"(\U0002A6A5)", 1023, u"\U0002A6A5", {{u"\U0002A6A5"}}}, // a pair across the edge
    };
    for (const auto& c : cases) {
        for (std::size_t at : {c.at, c.at + 1, std::size_t{2047}, std::size_t{4095}}) {
            HeadingCondition condition(c.pattern);
            std::vector<Groups> matches;
            const std::u16string line = std::u16string(at, u'a') + c.tail;
            condition.allMatches(line, matches);
            EXPECT_EQ(matches, c.expected) << test::U8(c.pattern) << " at " << at;
        }
    }
}

TEST(HeadingCondition, CaselessAndUnicode) {
    const struct {
        std::u16string pattern, line;
        MatchStatus status;
    } cases[] = {
        {u"ΣΟΦΙΑ", u"σοφια", MatchStatus::Matched},
        {u"\\w+章", u"第十章", MatchStatus::Matched},    // \w knows CJK letters
        {u"\\u7B2C", u"第", MatchStatus::Matched},       // ECMAScript escape
        {u"k", u"\u212A", MatchStatus::Matched},         // Kelvin sign folds to k
        {u"第.章", u"第\xDCB5章", MatchStatus::NoMatch}, // a carried byte is no character
        {u"章", u"第\xDCB5章", MatchStatus::Matched},
    };
    for (const auto& c : cases) {
        HeadingCondition condition(c.pattern);
        HeadingFields fields;
        EXPECT_EQ(condition.match(c.line, fields), c.status) << test::U8(c.pattern);
    }
}

TEST(HeadingCondition, RequiredCharacterOnlyWithoutCaseVariants) {
    const struct {
        std::u16string pattern;
        std::optional<char16_t> required;
    } cases[] = {
        {std::u16string(kDefaultCondition), u'第'},
        {u"(\\d+)章", u'章'},
        {u"chapter", std::nullopt}, // c has an upper-case form
        {u"k章", u'章'},            // last required unit may serve
        {u"第|卷", std::nullopt},
        {u".*", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HeadingCondition(c.pattern).requiredCharacter(), c.required)
            << test::U8(c.pattern);
}

// A condition compiled on first use reads every line as one compiled at once,
// also after it has been moved (the scan keeps them in a vector).
TEST(HeadingCondition, DeferredConditionReadsLinesAsCompiledOne) {
    constexpr std::u16string_view kLines[] = {
        u"第十二章 风起云涌", u"　　第１２回　标题", u"Chapter 3: Rain",
        u"12、长街",          u"（十六）秘籍",       u"随笔（三）",
        u"序章 开端",         u"他说第一章写完了。", u""};
    for (const HeadingRule& rule : BuiltInRules()) {
        HeadingCondition now(rule.condition, kDefaultMatchLimit, rule.markers);
        std::vector<HeadingCondition> later;
        later.push_back(
            HeadingCondition::Deferred(rule.condition, kDefaultMatchLimit, rule.markers));
        later.push_back(
            HeadingCondition::Deferred(rule.condition, kDefaultMatchLimit, rule.markers));
        for (const std::u16string_view line : kLines) {
            HeadingFields expected;
            HeadingFields got;
            EXPECT_EQ(later.front().match(line, got), now.match(line, expected))
                << test::U8(rule.name) << " " << test::U8(line);
            EXPECT_EQ(got.qualified, expected.qualified) << test::U8(rule.name);
            EXPECT_EQ(got.number, expected.number) << test::U8(rule.name);
            EXPECT_EQ(got.title, expected.title) << test::U8(rule.name);
            EXPECT_EQ(got.start, expected.start) << test::U8(rule.name);
        }
        EXPECT_EQ(later.back().requiredCharacter(), now.requiredCharacter()) << test::U8(rule.name);
    }
}

} // namespace
} // namespace lumarin::engine
