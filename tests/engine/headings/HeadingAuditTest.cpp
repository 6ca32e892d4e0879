// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingAudit.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

// Flags of a sequence of chapter numbers, every row a split point.
std::vector<AuditFlags> Flags(const std::vector<std::int32_t>& numbers) {
    std::vector<AuditRow> rows;
    for (const std::int32_t n : numbers)
        rows.push_back({n, true, false, u"第N章"});
    return AuditRows(rows);
}

constexpr AuditFlags G = kAuditGap, D = kAuditDuplicate, B = kAuditBackwards;

TEST(HeadingAudit, SequencesJudgedAsAWhole) {
    const struct {
        const char* what;
        std::vector<std::int32_t> numbers;
        std::vector<AuditFlags> flags;
    } cases[] = {
        {"clean", {1, 2, 3, 4}, {0, 0, 0, 0}},
        {"gap", {1, 2, 5, 6}, {0, 0, G, 0}},
        {"duplicate", {1, 2, 2, 3}, {0, 0, D, 0}},
        {"stray low number inside", {1, 2, 3, 40, 41, 3, 42}, {0, 0, 0, G, 0, D, 0}},
        {"stray never seen before", {10, 11, 12, 5, 13, 14}, {0, 0, 0, B, 0, 0}},
        {"stray high number", {1, 2, 3, 90, 4, 5}, {0, 0, 0, B, 0, 0}},
        {"stray at the start", {40, 1, 2, 3}, {B, 0, 0, 0}},
        {"the next chapter mentioned early", {1, 2, 3, 3, 4}, {0, 0, 0, D, 0}},
        {"restart at a new volume", {1, 2, 3, 1, 2, 3}, {0, 0, 0, 0, 0, 0}},
        {"a lone 1 is no restart", {5, 6, 7, 1, 8}, {0, 0, 0, B, 0}},
        {"gap after a restart", {1, 2, 1, 2, 4}, {0, 0, 0, 0, G}},
        {"unnumbered rows stand aside", {0, 1, 2, 0, 3}, {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Flags(c.numbers), c.flags) << c.what;
}

// What a duplicate repeats and what a gap skips, as the reason line says them.
TEST(HeadingAudit, NotesNameTheRepeatedRowAndTheSkippedNumbers) {
    const struct {
        const char* what;
        std::vector<std::int32_t> numbers;
        std::size_t row;
        std::int32_t sameAs, missingFirst, missingLast;
    } cases[] = {
        {"duplicate", {1, 2, 2, 3}, 2, 1, 0, 0},
        {"duplicate of a far row", {1, 2, 3, 40, 41, 3, 42}, 5, 2, 0, 0},
        {"one missing", {1, 2, 4}, 2, -1, 3, 3},
        {"several missing", {1, 2, 6, 7}, 2, -1, 3, 5},
        {"gap after a restart", {1, 2, 1, 2, 4}, 4, -1, 3, 3},
        {"a clean row has none", {1, 2, 3}, 1, -1, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<AuditRow> rows;
        for (const std::int32_t n : c.numbers)
            rows.push_back({n, true, false, u"第N章"});
        const AuditReport report = AuditRowsWithNotes(rows);
        EXPECT_EQ(report.flags, AuditRows(rows)) << c.what;
        const AuditNote& note = report.notes[c.row];
        EXPECT_EQ(note.sameAs, c.sameAs) << c.what;
        EXPECT_EQ(note.missingFirst, c.missingFirst) << c.what;
        EXPECT_EQ(note.missingLast, c.missingLast) << c.what;
    }
    // A checked row says nothing, though its number still counts.
    const AuditReport checked = AuditRowsWithNotes(
        {{1, true, false, u"a"}, {2, true, false, u"b"}, {2, false, false, u"c"}});
    EXPECT_EQ(checked.notes[2].sameAs, -1);
}

TEST(HeadingAudit, ShapeFlagsAndCheckedRows) {
    const std::u16string longLine = u"第三章 " + std::u16string(41, u'长');
    const std::u16string exactly40 = u"　　" + std::u16string(40, u'长') + u"  ";
    const std::vector<AuditRow> rows = {
        {1, true, false, u"第一章"},
        {2, true, true, u"他说第二章很好"}, // mid-line: no part in the sequence
        {2, true, false, u"第二章"},
        {3, true, false, longLine},   // long, but still in the sequence
        {9, false, false, u"第九章"}, // checked: no split point, no flags
        {4, true, false, u"第四章"},
        {5, true, false, exactly40},
    };
    const std::vector<AuditFlags> expected = {0, kAuditMidLine, 0, kAuditLongHeading, 0, 0, 0};
    EXPECT_EQ(AuditRows(rows), expected);
}

TEST(HeadingAudit, CheckingADoubtedRowLeavesItsNeighboursAlone) {
    std::vector<AuditRow> rows = {{1, true, false, u"第一章"},
                                  {2, true, false, u"第二章"},
                                  {4, true, false, u"第四章"},
                                  {5, true, false, u"第五章"},
                                  {5, true, false, u"第五章"}};
    EXPECT_EQ(AuditRows(rows), (std::vector<AuditFlags>{0, 0, G, 0, D}));
    rows[2].splitPoint = false;
    rows[4].splitPoint = false;
    EXPECT_EQ(AuditRows(rows), (std::vector<AuditFlags>{0, 0, 0, 0, 0}));
}

TEST(HeadingAudit, WordsAndReasons) {
    EXPECT_EQ(FlagWords(kAuditLongHeading | kAuditGap),
              (std::vector<std::string>{"gap", "long_heading"}));
    EXPECT_EQ(FlagReasons(kAuditDuplicate | kAuditBackwards | kAuditMidLine),
              (std::vector<std::u16string>{u"重复", u"倒序", u"句中"}));
    EXPECT_TRUE(FlagWords(0).empty());
}

TEST(HeadingAudit, StartsLineAfterSpacesOnly) {
    EXPECT_TRUE(StartsLine(u"　 \t第一章", 3));
    EXPECT_FALSE(StartsLine(u"他说第一章", 2));
    EXPECT_TRUE(StartsLine(u"第一章", 0));
}

} // namespace
} // namespace lumarin::engine
