// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingScan.h"

#include "TestFiles.h"
#include "engine/headings/HeadingAudit.h"
#include "engine/headings/HeadingRules.h"
#include "engine/headings/HeadingStarts.h"
#include "engine/headings/Volumes.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::TempDir;

// Headings of every family, in the forms that reach the edges of the
// characters the rules name (decorations, unusual spaces, other letter
// cases, a long s, full-width digits), among prose.
constexpr std::u16string_view kLines[] = {
    u"第一章 开端", u"　　第１２章　标题", u"【第三章】归来", u"===第四章 风雪===",
    u"\u00A0\u2003第五回 夜行", u"☆第六话：重逢", u"第七幕", u"第八节 山门",
    u"第九卷 第十章 远行", u"正文 第十一章 江湖", u"正文 12 风起", u"第二部 故乡",
    u"第三集 少年", u"第四篇 书信", u"CHAPTER 3 The Storm", u"chap. 4: Rain",
    u"ſection 2 The Hill", u"SECT 5 Dawn", u"Part 6 End", u"PART 7", u"12、长街",
    u"十三、古道", u"14. 灯火", u"０１５ 月光", u"（十六）秘籍", u"(17) 钟声",
    u"十八 剑客", u"一九", u"20", u"２１", u"随笔（三）", u"随笔 4", u"序章 开端",
    u"楔子", u"推荐序", u"中译者序 远方", u"作者前言", u"导论", u"附录二 年表",
    u"致谢", u"后记", u"後記", u"完本感言", u"番外三 后来", u"尾声", u"【序言】",
    u"  引子：旧事", u"他说：“第一章写完了。”", u"一夜无话。", u"前行三里，便是长街。",
    u"中午时分，众人散去。", u"1998年5月", u"-- 12 --", u"第 12 页",
    // The unnumbered words' first characters inside a heading, and after a decoration.
    u"第三章 中秋", u"第五回 后来", u"12、推敲", u"（七）尾声之前", u"随笔（序）",
    u"【后记】", u"☆☆ 序章 ☆☆", u"==尾声==", u"　第一节　引言", u"「番外」",
    u"后来他走了。",
    // Numbers that close a line before unusual spaces, or not quite.
    u"随笔（五）\u00A0", u"随笔 6\u3000\u2003", u"【随笔（七）】", u"随笔（八）说明",
    u"1 随笔（九）", u"序 随笔（十）", u"1 随笔（五）\u00A0", u"（一）随笔 6\u2003", u""};

std::u16string Book() {
    std::u16string text;
    for (const std::u16string_view line : kLines) {
        text += line;
        text += u"\n";
    }
    return text;
}

// Every built-in rule's hits before the book is taken as a whole; `spared`:
// lines the rules' own characters rule out are not tried.
std::vector<std::vector<LineNumber>> RawHits(const std::filesystem::path& path,
                                             Encoding encoding, bool spared) {
    std::vector<HeadingCondition> conditions;
    for (const HeadingRule& rule : BuiltInRules())
        conditions.emplace_back(rule.condition, kDefaultMatchLimit, rule.markers);
    HeadingCondition anyRuleStart(AnyRuleStart());
    ScanPlan plan;
    for (HeadingCondition& condition : conditions)
        plan.conditions.push_back(&condition);
    plan.anyRuleStart = &anyRuleStart;
    if (spared) plan.needsAtStart = UnnumberedWordStarts();
    for (const HeadingRule& rule : BuiltInRules()) {
        plan.anyStart.push_back(rule.anyStart);
        plan.needs.push_back(spared ? std::u16string_view(rule.needs) : std::u16string_view());
        plan.starts.push_back(spared ? std::u16string_view(rule.starts) : std::u16string_view());
        plan.ends.push_back(spared ? std::u16string_view(rule.ends) : std::u16string_view());
    }
    SourceFile file(path);
    HeadingScanner scanner(file, encoding, plan, 0);
    EXPECT_TRUE(scanner.run());
    const ScanOutcome outcome = scanner.take();
    std::vector<std::vector<LineNumber>> lines;
    for (const HeadingHits& hits : outcome.hits) {
        lines.emplace_back();
        for (std::size_t k = 0; k < hits.count(); ++k)
            lines.back().push_back(hits.line(k));
    }
    return lines;
}

// Sparing lines is only ever a shortcut: each rule finds exactly the lines
// it finds when every line is tried.
TEST(HeadingScan, SparedLinesChangeNoRulesHits) {
    const struct {
        Encoding encoding;
        const char* name;
    } kEncodings[] = {{Encoding::Utf8, "UTF-8"},
                      {Encoding::Gb18030, "GB18030"},
                      {Encoding::Utf16LE, "UTF-16LE"}};
    TempDir dir;
    for (const auto& [encoding, name] : kEncodings) {
        SCOPED_TRACE(name);
        const auto path = dir.write(std::string(name) + ".txt", Encode(Book(), name));
        const auto all = RawHits(path, encoding, false);
        const auto spared = RawHits(path, encoding, true);
        ASSERT_EQ(all.size(), BuiltInRules().size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            EXPECT_EQ(spared[i], all[i]) << "rule " << i;
        }
        // The book holds headings of every numbered family.
        std::size_t found = 0;
        for (const auto& hits : all)
            found += hits.empty() ? 0 : 1;
        EXPECT_GE(found, BuiltInRules().size() - 2);
    }
}

// With the user's own condition the scan passes over lines without its
// character; a volume line of every form must still be found, in every
// encoding (no line here holds the user's condition's character but one).
TEST(HeadingScan, UserConditionStillFindsEveryFormOfVolumeLine) {
    constexpr std::u16string_view kVolumeBook[] = {
        u"天色已晚。", u"卷一 風起", u"上卷", u"第一章 開端", u"　　中卷：山河",
        u"下部 歸途", u"VOL. 3 Rain", u"Volume 4", u"bOOK 5 End", u"第二卷 遠方",
        u"卷二十", u"【上部】", u"天色已晚。"};
    const std::vector<LineNumber> kVolumes = {2, 3, 5, 6, 7, 8, 9, 10, 11, 12};
    std::u16string text;
    for (const std::u16string_view line : kVolumeBook) {
        text += line;
        text += u"\n";
    }
    TempDir dir;
    const struct {
        Encoding encoding;
        const char* name;
    } kEncodings[] = {{Encoding::Utf8, "UTF-8"},
                      {Encoding::Gb18030, "GB18030"},
                      {Encoding::Big5, "Big5"},
                      {Encoding::Utf16LE, "UTF-16LE"},
                      {Encoding::Utf16BE, "UTF-16BE"}};
    for (const auto& [encoding, name] : kEncodings) {
        SCOPED_TRACE(name);
        HeadingCondition user(u"^\\h*第.{1,9}章");
        HeadingCondition volume(kVolumeCondition);
        ScanPlan plan;
        plan.conditions.push_back(&user);
        plan.userCondition = true;
        plan.volume = &volume;
        const auto path = dir.write(std::string(name) + ".txt", Encode(text, name));
        SourceFile file(path);
        HeadingScanner scanner(file, encoding, plan, 0);
        ASSERT_TRUE(scanner.run());
        const ScanOutcome outcome = scanner.take();
        std::vector<LineNumber> volumes;
        for (const VolumeLine& line : outcome.volumeLines)
            volumes.push_back(line.line);
        EXPECT_EQ(volumes, kVolumes);
        ASSERT_EQ(outcome.hits.size(), 1u);
        ASSERT_EQ(outcome.hits[0].count(), 1u);
        EXPECT_EQ(outcome.hits[0].line(0), 4);
        EXPECT_EQ(outcome.lineCount, 13);
    }
}

// Prose that uses 卷, 部, 集, 篇, vol and book as ordinary words is passed over
// unread, yet the scan finds exactly the volume lines and headings it finds
// when the conditions are tried on every line.
TEST(HeadingScan, VolumeWordsInProseChangeNothingFound) {
    constexpr std::u16string_view kProse[] = {u"　　他把全部的錢都給了我。",
                                              u"部分人已經走了。",
                                              u"卷宗攤在桌上，他開始幹活。",
                                              u"　　這部電影的第二集很好看。",
                                              u"集合！",
                                              u"篇幅不長，第三篇更短。",
                                              u"他說：“上卷已經看完了。”",
                                              u"書卷上落了灰。",
                                              u"——卷一 風起",
                                              u"　　這本book很舊，vol.2也丟了。",
                                              u"一部手機",
                                              u"卷一 風起",
                                              u"　　中卷：山河",
                                              u"【上部】",
                                              u"==========卷三==========",
                                              u"☆☆☆ 卷四 ☆☆☆",
                                              u"\u3000\u3000卷五",
                                              u"  Volume 6",
                                              u"[BOOK 7] The End",
                                              u"※下卷",
                                              u"第二卷 遠方",
                                              u"第一章 開端",
                                              u"　　上下部分都在這裡。",
                                              u"下部 歸途",
                                              u"　　卷一的故事到此結束。",
                                              u""};
    std::u16string text;
    for (const std::u16string_view line : kProse) {
        text += line;
        text += u"\n";
    }
    HeadingCondition user(u"^\\h*第.{1,9}章");
    HeadingCondition volume(kVolumeCondition);
    // Every line tried, as the scan would try it.
    std::vector<LineNumber> expectedVolumes;
    for (std::size_t k = 0; k + 1 < std::size(kProse); ++k) {
        HeadingFields fields;
        if (HeadingStarts::mayStartHeading(kProse[k]) && !IsLongHeading(kProse[k]) &&
            volume.match(kProse[k], fields) == MatchStatus::Matched)
            expectedVolumes.push_back(static_cast<LineNumber>(k + 1));
    }
    ASSERT_GE(expectedVolumes.size(), 10u);
    TempDir dir;
    // Big5 and GBK read a word's bytes across two characters in other places.
    for (const char* name : {"UTF-8", "GB18030", "Big5"}) {
        SCOPED_TRACE(name);
        const Encoding encoding = std::string_view(name) == "UTF-8"  ? Encoding::Utf8
                                  : std::string_view(name) == "Big5" ? Encoding::Big5
                                                                     : Encoding::Gb18030;
        ScanPlan plan;
        plan.conditions.push_back(&user);
        plan.userCondition = true;
        plan.volume = &volume;
        const auto path = dir.write(std::string(name) + "-prose.txt", Encode(text, name));
        SourceFile file(path);
        HeadingScanner scanner(file, encoding, plan, 0);
        ASSERT_TRUE(scanner.run());
        const ScanOutcome outcome = scanner.take();
        std::vector<LineNumber> volumes;
        for (const VolumeLine& line : outcome.volumeLines)
            volumes.push_back(line.line);
        EXPECT_EQ(volumes, expectedVolumes);
        ASSERT_EQ(outcome.hits[0].count(), 1u);
        EXPECT_EQ(outcome.hits[0].line(0), 22);
        EXPECT_EQ(outcome.lineCount, static_cast<LineNumber>(std::size(kProse)));
    }
}

} // namespace
} // namespace lumarin::engine
