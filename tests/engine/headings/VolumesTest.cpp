// SPDX-License-Identifier: MIT
#include "engine/headings/Volumes.h"

#include "engine/headings/HeadingAudit.h"
#include "engine/headings/HeadingCondition.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

TEST(Volumes, ConditionTakesEveryWrittenFormAndNoSentence) {
    const struct {
        std::u16string_view line;
        bool volume;
    } cases[] = {
        {u"第一卷 风起", true},
        {u"第12卷", true},
        {u"  第三部 归来", true},
        {u"第二篇：远行", true},
        {u"第一部分 开端", true},
        {u"第五集", true},
        {u"卷一 江湖", true},
        {u"卷三", true},
        {u"上卷", true},
        {u"下卷 归途", true},
        {u"中卷", true},
        {u"上部", true},
        {u"Book 2 The Road", true},
        {u"VOLUME 3", true},
        {u"【第二卷 云涌】", true},
        {u"第一卷 第一章 同行", true},
        {u"第一部队开进了城。", false},
        {u"第一集团军", false},
        {u"上部的人都走了，下部的人还在。", false},
        {u"卷起袖子干活", false},
        {u"Books are on the shelf", false},
        {u"他翻开第三卷，看了很久。", false},
        {u"第一章 风起", false},
    };
    HeadingCondition condition(kVolumeCondition);
    for (const auto& c : cases) {
        HeadingFields fields;
        EXPECT_EQ(condition.match(c.line, fields) == MatchStatus::Matched, c.volume)
            << std::string(c.line.begin(), c.line.end()).size();
    }
}

// A book as the analysis sees it: headings (line, number), check marks, and the lines the scan
// set aside as possible volumes.
struct Book {
    std::vector<std::pair<LineNumber, std::int16_t>> rows;
    std::vector<bool> checked;
    std::vector<VolumeLine> candidates;
};

ChapterTable TableOf(const Book& book) {
    ChapterTable table{{1}, {0}, {u"(Index)"}, {u""}, {}, {}};
    for (const auto& [line, number] : book.rows) {
        table.m_lngStartLine.push_back(line);
        table.m_intChapterNo.push_back(number);
        table.m_strTitle.push_back(u"t");
        table.m_strHeading.push_back(u"第N章 t");
    }
    table.m_lngStartLine.push_back(1000);
    table.m_intChapterNo.push_back(0);
    table.m_strTitle.push_back(u"(End)");
    return table;
}

TEST(Volumes, TakenWhereNumbersRestartOrTheirSequenceContinues) {
    const std::vector<bool> none(6, false);
    const struct {
        const char* what;
        Book book;
        std::vector<LineNumber> volumes;
        std::vector<std::int32_t> rowVolume;
    } cases[] = {
        {"restart at each volume",
         {{{20, 1}, {40, 2}, {70, 1}, {90, 2}},
          {false, false, false, false},
          {{19, u"第一卷 风起"}, {69, u"第二卷 云涌"}}},
         {19, 69},
         {0, 0, 1, 1}},
        {"numbers run through, volumes in sequence",
         {{{20, 1}, {40, 2}, {70, 3}, {90, 4}},
          {false, false, false, false},
          {{19, u"第一部分"}, {69, u"第二部分"}}},
         {19, 69},
         {0, 0, 1, 1}},
        {"a stray volume word in the middle: no restart, no sequence",
         {{{20, 1}, {40, 2}, {70, 3}, {90, 4}},
          {false, false, false, false},
          {{69, u"第三部 远方"}}},
         {},
         {-1, -1, -1, -1}},
        {"上卷 and 下卷",
         {{{20, 1}, {40, 2}, {70, 1}, {90, 2}},
          {false, false, false, false},
          {{19, u"上卷"}, {69, u"下卷"}}},
         {19, 69},
         {0, 0, 1, 1}},
        {"lines in a table of contents stand before checked rows",
         {{{3, 1}, {4, 2}, {6, 1}, {20, 1}, {40, 2}, {70, 1}},
          {true, true, true, false, false, false},
          {{2, u"第一卷"}, {5, u"第二卷"}, {19, u"第一卷"}, {69, u"第二卷"}}},
         {19, 69},
         {-1, -1, -1, 0, 0, 1}},
        {"序章 before, 番外 after stand outside",
         {{{5, 0}, {20, 1}, {40, 2}, {70, 1}, {90, 0}},
          {false, false, false, false, false},
          {{19, u"第一卷"}, {69, u"第二卷"}}},
         {19, 69},
         {-1, 0, 0, 1, -1}},
        {"volume and chapter on one line, repeated on every chapter",
         {{{20, 1}, {40, 2}, {70, 1}},
          {false, false, false},
          {{20, u"第一卷 第一章 甲"}, {40, u"第一卷 第二章 乙"}, {70, u"第二卷 第一章 丙"}}},
         {20, 70},
         {0, 0, 1}},
    };
    for (const auto& c : cases) {
        const ChapterTable table = TableOf(c.book);
        const VolumeMap map = FindVolumes(table, c.book.checked, c.book.candidates, false);
        std::vector<LineNumber> lines;
        for (const Volume& volume : map.volumes)
            lines.push_back(volume.line);
        EXPECT_EQ(lines, c.volumes) << c.what;
        EXPECT_EQ(map.rowVolume, c.rowVolume) << c.what;
    }
}

TEST(Volumes, NoneAboveAVolumeRule) {
    const Book book{{{20, 1}, {70, 1}}, {false, false}, {{19, u"第一卷"}, {69, u"第二卷"}}};
    EXPECT_TRUE(FindVolumes(TableOf(book), book.checked, book.candidates, true).volumes.empty());
}

TEST(Volumes, TheAuditLetsNumbersStartAgainOnlyAtAVolume) {
    const auto flags = [](std::vector<std::int32_t> numbers, std::vector<bool> opens) {
        std::vector<AuditRow> rows;
        for (std::size_t i = 0; i < numbers.size(); ++i)
            rows.push_back({numbers[i], true, false, u"第N章", opens[i]});
        return AuditRows(rows);
    };
    const AuditFlags G = kAuditGap, D = kAuditDuplicate, B = kAuditBackwards;
    // Restarting at 1 without a following 2 would be a lone stray; at a volume it is clean.
    EXPECT_EQ(flags({1, 2, 3, 1, 3}, {true, false, false, true, false}),
              (std::vector<AuditFlags>{0, 0, 0, 0, G}));
    EXPECT_EQ(flags({1, 2, 3, 2, 3}, {true, false, false, true, false}),
              (std::vector<AuditFlags>{0, 0, 0, 0, 0}));
    // The same numbers without a volume line.
    EXPECT_EQ(flags({1, 2, 3, 2, 3}, {false, false, false, false, false}),
              (std::vector<AuditFlags>{0, 0, 0, D, D}));
    // Numbers that run on through a volume keep their gaps and strays.
    EXPECT_EQ(flags({1, 2, 3, 5, 6, 4}, {true, false, false, true, false, false}),
              (std::vector<AuditFlags>{0, 0, 0, G, 0, B}));
}

} // namespace
} // namespace lumarin::engine
