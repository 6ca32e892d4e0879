// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingRules.h"

#include "TestFiles.h"
#include "TestText.h"
#include "engine/headings/Analyzer.h"
#include "engine/headings/HeadingCondition.h"
#include "engine/headings/HeadingStarts.h"
#include "engine/headings/LayoutHeadings.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

struct RuleCase {
    const char16_t* rule;
    std::u16string line;
    bool heading; // a qualifying match
    std::u16string number, title;
};

// Headings of every format each rule covers, and the decoy lines of real
// prose that must not become headings.
const RuleCase kCases[] = {
    {u"第N章", u"第十二章 风起云涌", true, u"十二", u"风起云涌"},
    {u"第N章", u"　　第１２章　标题", true, u"１２", u"标题"},
    {u"第N章", u"第 十二 章 空格", true, u"十二", u"空格"},
    {u"第N章", u"第一一一章 逐位", true, u"一一一", u"逐位"},
    {u"第N章", u"第壹佰贰拾章 大写", true, u"壹佰贰拾", u"大写"},
    {u"第N章", u"第一千章", true, u"一千", u""},
    {u"第N章", u"【第一章】开端", true, u"一", u"开端"},
    {u"第N章", u"〖第一章 开端〗", true, u"一", u"开端"},
    {u"第N章", u"[第3章] 开端", true, u"3", u"开端"},
    {u"第N章", u"===第一章 开端===", true, u"一", u"开端"},
    {u"第N章", u"☆第一章：开端", true, u"一", u"开端"},
    {u"第N章", u"第九卷 第二章 归来", true, u"二", u"归来"},
    {u"第N章", u"第三卷 风云 第二章 归来", true, u"二", u"归来"},
    {u"第N章", u"序章 开端", true, u"", u"序章 开端"},
    {u"第N章", u"番外三 后来", true, u"", u"番外三 后来"},
    {u"第N章", u"完本感言", true, u"", u"完本感言"},
    {u"第N章", u"他翻到第三章，发现了秘密。", false, u"", u""},
    {u"第N章", u"第三章的内容他早就忘了", false, u"", u""},
    {u"第N章", u"第三章讲的是他小时候的事。", false, u"", u""},
    {u"第N章", u"第2名是他的同桌，", false, u"", u""},
    {u"第N章", u"前言不搭后语", false, u"", u""},
    {u"第N章", u"第十二章 " + std::u16string(50, u'长'), true, u"十二", std::u16string(50, u'长')},
    {u"第N章", u"第十二章 " + std::u16string(51, u'长'), false, u"", u""},
    {u"第N回", u"第十二回 风雪山神庙", true, u"十二", u"风雪山神庙"},
    {u"第N回", u"第二回合，他输了", false, u"", u""},
    {u"第N节", u"第一節 開始", true, u"一", u"開始"},
    {u"第N节", u"第一节课是数学课", false, u"", u""},
    {u"第N卷", u"第三卷 风起", true, u"三", u"风起"},
    {u"第N部", u"第一部分的内容", false, u"", u""},
    {u"第N集", u"第二集团军", false, u"", u""},
    {u"第N话", u"第5话 约定", true, u"5", u"约定"},
    {u"第N篇", u"第三篇 论文", true, u"三", u"论文"},
    {u"第N幕", u"第一幕 雨夜", true, u"一", u"雨夜"},
    {u"英文章", u"Chapter 3: The Storm", true, u"3", u"The Storm"},
    {u"英文章", u"CHAPTER 12", true, u"12", u""},
    {u"英文章", u"chapter 3 was the best part", false, u"", u""},
    {u"英文章", u"He said chapter 3 was boring.", false, u"", u""},
    {u"英文节", u"Section 2 Methods", true, u"2", u"Methods"},
    {u"英文部", u"part 1 The Beginning", true, u"1", u"The Beginning"},
    {u"序号顿号", u"1、出发", true, u"1", u"出发"},
    {u"序号顿号", u"一、出发", true, u"一", u"出发"},
    {u"序号顿号", u"一、", false, u"", u""},
    {u"序号点", u"1.出发", true, u"1", u"出发"},
    {u"序号点", u"12． 出发", true, u"12", u"出发"},
    {u"序号点", u"3.5点的时候他来了", false, u"", u""},
    {u"序号点", u"1. 他推开门走了出去。", false, u"", u""},
    {u"序号空格", u"001 出发", true, u"001", u"出发"},
    {u"序号空格", u"2020 12 31", false, u"", u""},
    {u"序号括号", u"（一）出发", true, u"一", u"出发"},
    {u"序号括号", u"(1) 出发", true, u"1", u"出发"},
    {u"无编号", u"楔子", true, u"", u"楔子"},
    {u"无编号", u"尾声：归途", true, u"", u"尾声：归途"},
    {u"无编号", u"第一章 开端", false, u"", u""},
    {u"无编号", u"序", true, u"", u"序"},
    {u"无编号", u"推荐序 读这本书的理由", true, u"", u"推荐序 读这本书的理由"},
    {u"无编号", u"中译者序", true, u"", u"中译者序"},
    {u"无编号", u"作者前言", true, u"", u"作者前言"},
    {u"无编号", u"导言：从何说起", true, u"", u"导言：从何说起"},
    {u"无编号", u"附录一 年表", true, u"", u"附录一 年表"},
    {u"无编号", u"致谢", true, u"", u"致谢"},
    {u"无编号", u"序列号写在背面", false, u"", u""},
    {u"无编号", u"附录中提到的那本书", false, u"", u""},
    {u"第N章", u"正文 第一章 开端", true, u"一", u"开端"},
    {u"正文N", u"正文 12 风起云涌", true, u"12", u"风起云涌"},
    {u"正文N", u"正文一", true, u"一", u""},
    {u"正文N", u"正文内容很长", false, u"", u""},
    {u"汉字空格", u"一 灭门", true, u"一", u"灭门"},
    {u"汉字空格", u"四十　曲谐", true, u"四十", u"曲谐"},
    {u"汉字空格", u"一 个人走在路上，", false, u"", u""},
    {u"单独序号", u"01", true, u"01", u""},
    {u"单独序号", u"　１００　", true, u"１００", u""},
    {u"单独序号", u"二十三", true, u"二十三", u""},
    {u"单独序号", u"12345", false, u"", u""},
    {u"单独序号", u"1998年", false, u"", u""},
    {u"标题序号", u"病隙碎笔（一）", true, u"一", u"病隙碎笔"},
    {u"标题序号", u"病隙碎笔 二", true, u"二", u"病隙碎笔"},
    {u"标题序号", u"随笔(3)", true, u"3", u"随笔"},
    {u"标题序号", u"他说了很多（笑）", false, u"", u""},
    {u"标题序号", u"我们在一起 很久", false, u"", u""},
};

TEST(HeadingRules, HeadingsAndDecoys) {
    HeadingCondition anyRule(AnyRuleStart());
    for (const RuleCase& c : kCases) {
        const HeadingRule* rule = FindRule(c.rule);
        ASSERT_NE(rule, nullptr) << test::U8(c.rule);
        HeadingCondition condition(rule->condition, kDefaultMatchLimit, rule->markers);
        HeadingFields fields;
        condition.match(c.line, fields);
        EXPECT_EQ(fields.qualified, c.heading) << test::U8(c.rule) << ": " << test::U8(c.line);
        if (!c.heading) continue;
        if (!rule->anyStart) {
            HeadingFields any;
            EXPECT_EQ(anyRule.match(c.line, any), MatchStatus::Matched) << test::U8(c.line);
            EXPECT_TRUE(HeadingStarts::mayStartHeading(std::u16string_view(c.line)))
                << test::U8(c.line);
            HeadingStarts raw(Encoding::Gb18030);
            EXPECT_TRUE(raw.mayStartHeading(test::Encode(c.line, "GB18030"))) << test::U8(c.line);
        }
        EXPECT_EQ(fields.number, c.number) << test::U8(c.line);
        EXPECT_EQ(CleanTitle(fields.title), c.title) << test::U8(c.line);
        EXPECT_EQ(fields.start, 0u) << test::U8(c.line);
    }
}

TEST(HeadingRules, EveryRuleHasThreeGroupsAndMatchesItsExample) {
    for (const HeadingRule& rule : BuiltInRules()) {
        if (rule.byLayout) { // its example stands for a title set apart
            EXPECT_TRUE(IsTitleLike(rule.example)) << test::U8(rule.name);
            continue;
        }
        HeadingCondition condition(rule.condition, kDefaultMatchLimit, rule.markers);
        std::vector<std::vector<std::u16string>> matches;
        condition.allMatches(rule.example, matches);
        ASSERT_EQ(matches.size(), 1u) << test::U8(rule.name);
        EXPECT_EQ(matches[0].size(), 3u) << test::U8(rule.name); // number, marker, title
        HeadingFields fields;
        condition.match(rule.example, fields);
        EXPECT_TRUE(fields.qualified) << test::U8(rule.name);
        EXPECT_EQ(rule.numbered, !fields.number.empty()) << test::U8(rule.name);
        EXPECT_EQ(FindRule(rule.name), &rule);
    }
    EXPECT_EQ(FindRule(u"没有这条"), nullptr);
}

} // namespace
} // namespace lumarin::engine
