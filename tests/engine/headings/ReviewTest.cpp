// SPDX-License-Identifier: MIT
// The reviewed table both front ends split with: splits added at lines the
// rules missed, corrected titles, and the review file read and written.
#include "TestFiles.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/epub/EpubOutline.h"
#include "engine/epub/EpubText.h"
#include "engine/headings/ChapterEdits.h"
#include "engine/headings/ReviewFile.h"
#include "engine/output/OutputPlan.h"
#include "engine/source/SourceChecksum.h"

#include <fstream>
#include <map>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::TempDir;

// 第1章 at line 2, 第2章 at 14, 第3章 at 26; line 8 and line 20 are headings no rule finds.
std::filesystem::path WriteNovel(const TempDir& dir, const char* name = "novel.txt") {
    std::string text = "书名\n";
    for (int n = 1; n <= 3; ++n) {
        text += "第" + std::to_string(n) + "章 标题" + std::to_string(n) + "\n";
        for (int i = 1; i <= 11; ++i)
            text += i == 6 ? "番外" + std::to_string(n) + "\n" : "正文\n";
    }
    const auto path = dir.path() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<LineNumber> Starts(const AnalysisResult& analysis) {
    return {analysis.table.m_lngStartLine.begin() + 1, analysis.table.m_lngStartLine.end()};
}

TEST(ChapterEdits, AddedSplitsTakeTheirPlaceAndTitlesReplaceTheFoundOnes) {
    const TempDir dir;
    const AnalysisResult found = Analyze(WriteNovel(dir), kDefaultCondition);
    ASSERT_EQ(found.m_lngCount, 3);
    const struct {
        const char* what;
        std::vector<LineNumber> added;
        std::vector<LineNumber> starts; // the end marker last
    } cases[] = {
        {"none", {}, {2, 14, 26, 38}},
        {"inside a chapter", {8}, {2, 8, 14, 26, 38}},
        {"before the first heading", {1}, {1, 2, 14, 26, 38}},
        {"after the last", {37}, {2, 14, 26, 37, 38}},
        {"at a found heading: left out", {14}, {2, 14, 26, 38}},
        {"beyond the source: left out", {38, 500}, {2, 14, 26, 38}},
        {"several, given in line order", {8, 20, 32}, {2, 8, 14, 20, 26, 32, 38}},
    };
    for (const auto& c : cases) {
        ChapterEdits edits;
        for (const LineNumber line : c.added)
            edits.add(line, u"番外 " + ToU16Decimal(line));
        const AnalysisResult edited = ApplyEdits(found, edits);
        EXPECT_EQ(Starts(edited), c.starts) << c.what;
        EXPECT_EQ(edited.m_lngCount, static_cast<std::int32_t>(c.starts.size()) - 1) << c.what;
        EXPECT_EQ(edited.checked.size(), c.starts.size() - 1) << c.what;
        EXPECT_EQ(edited.table.m_strHeading.size(), c.starts.size()) << c.what;
    }

    ChapterEdits edits;
    EXPECT_TRUE(edits.add(8, u"番外1"));
    EXPECT_FALSE(edits.add(8, u"again"));
    edits.titles[8] = u"插曲";
    edits.titles[14] = u"风起";
    edits.titles[15] = u"no row starts here";
    AnalysisResult marked = found;
    marked.checked = {false, true, false};
    const AnalysisResult edited = ApplyEdits(marked, edits);
    const ChapterTable& table = edited.table;
    EXPECT_EQ(edited.checked, (std::vector<bool>{false, false, true, false}));
    EXPECT_TRUE(table.added(2));
    EXPECT_FALSE(table.added(1));
    EXPECT_EQ(table.m_strHeading[2], u"番外1");
    EXPECT_EQ(table.m_intChapterNo[2], 0);
    EXPECT_EQ(table.m_strTitle[2], u"插曲");
    EXPECT_EQ(table.m_strTitle[3], u"风起");
    EXPECT_EQ(table.m_strHeading[3], u"第2章 标题2") << "the heading line stays";
    EXPECT_TRUE(table.retitled(3));
    EXPECT_FALSE(table.retitled(1));

    EXPECT_TRUE(edits.remove(8));
    EXPECT_FALSE(edits.remove(8));
    EXPECT_EQ(edits.titles.count(8), 0u) << "the title goes with its row";
}

TEST(ChapterEdits, AddedSplitsStayInTheVolumeTheyStandIn) {
    const TempDir dir;
    std::string text = "书名\n第一卷 风起\n";
    const auto chapter = [&text](const char* heading) {
        text += std::string(heading) + "\n";
        for (int i = 0; i < 10; ++i)
            text += "正文\n"; // long enough to be no table of contents
    };
    chapter("第1章 甲");           // line 3
    chapter("第2章 乙");           // line 14
    text += "第二卷 云涌\n序言\n"; // lines 25 and 26
    chapter("第1章 丙");           // line 27
    const auto path = dir.path() / "volumes.txt";
    std::ofstream(path, std::ios::binary) << text;
    const AnalysisResult found = Analyze(path, kDefaultCondition);
    ASSERT_EQ(found.m_lngCount, 3);
    ASSERT_EQ(found.volumes.size(), 2u);
    ASSERT_EQ(found.rowVolume, (std::vector<std::int32_t>{0, 0, 1}));

    ChapterEdits edits;
    edits.add(6, u"正文");
    edits.add(18, u"正文");
    edits.add(26, u"序言"); // after the second volume's line, before its first chapter
    const AnalysisResult edited = ApplyEdits(found, edits);
    EXPECT_EQ(Starts(edited), (std::vector<LineNumber>{3, 6, 14, 18, 26, 27, 38}));
    EXPECT_EQ(edited.rowVolume, (std::vector<std::int32_t>{0, 0, 0, 0, 1, 1}));
    ASSERT_EQ(edited.volumes.size(), 2u);
    EXPECT_EQ(edited.volumes[0].firstRow, 0);
    EXPECT_EQ(edited.volumes[1].firstRow, 4); // the added split opens the volume now
}

TEST(ChapterEdits, AVolumeMarkedByHandHoldsTheRowsUpToTheNextVolumeAndTravelsInTheFile) {
    const TempDir dir;
    std::string text = "书名\n卷首语\n";   // lines 1, 2
    const auto chapter = [&text](const char* heading) {
        text += std::string(heading) + "\n";
        for (int i = 0; i < 10; ++i)
            text += "正文\n";
    };
    chapter("第1章 甲");           // line 3
    chapter("第2章 乙");           // line 14
    text += "外篇 云涌\n";        // line 25: no rule takes it for a volume
    chapter("第3章 丙");           // line 26
    text += "第二卷 风起\n";      // line 37, found
    chapter("第1章 丁");           // line 38
    const auto path = dir.path() / "volumes.txt";
    std::ofstream(path, std::ios::binary) << text;
    const AnalysisResult found = Analyze(path, kDefaultCondition);
    ASSERT_EQ(found.m_lngCount, 4);
    ASSERT_EQ(found.volumes.size(), 1u);
    ASSERT_EQ(found.volumes[0].line, 37);

    const struct {
        const char* what;
        std::map<LineNumber, std::u16string> marked;
        std::vector<LineNumber> lines;     // of the volumes, in order
        std::vector<std::int32_t> rowVolume;
        std::vector<std::int32_t> firstRows;
    } cases[] = {
        {"none", {}, {37}, {-1, -1, -1, 0}, {3}},
        {"between chapters", {{25, u"外篇 云涌"}}, {25, 37}, {-1, -1, 0, 1}, {2, 3}},
        {"before every chapter", {{2, u"卷首语"}, {25, u"外篇 云涌"}}, {2, 25, 37},
         {0, 0, 1, 2}, {0, 2, 3}},
        {"at a heading", {{14, u"第2章 乙"}}, {14, 37}, {-1, 0, 0, 1}, {1, 3}},
        {"at a found volume, or past the end", {{37, u"第二卷 风起"}, {999, u"x"}}, {37},
         {-1, -1, -1, 0}, {3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ChapterEdits edits;
        edits.volumes = c.marked;
        const AnalysisResult edited = ApplyEdits(found, edits);
        std::vector<LineNumber> lines;
        std::vector<std::int32_t> firstRows;
        for (const Volume& volume : edited.volumes) {
            lines.push_back(volume.line);
            firstRows.push_back(volume.firstRow);
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(edited.rowVolume, c.rowVolume);
        EXPECT_EQ(firstRows, c.firstRows);

        // Through the review file and back, as --toc and a saved review read it.
        const std::vector<bool> checked(4, false);
        const ReviewFile file = ReviewOf(edited, checked, SourceChecksum(path));
        const Review review = ReviewFromFile(found, ParseReviewFile(ReviewFileText(file, edited)));
        EXPECT_EQ(ApplyEdits(found, review.edits).rowVolume, c.rowVolume);
    }

    // The volume line opens its first chapter's file, as a found volume's does.
    ChapterEdits edits;
    edits.volumes[25] = u"外篇 云涌";
    const AnalysisResult edited = ApplyEdits(found, edits);
    EXPECT_EQ(edited.volumes[0].title, u"外篇 云涌");
    const std::optional<OutputPlan> plan = PlanOutput(edited, std::vector<bool>(4, false), {});
    ASSERT_TRUE(plan);
    EXPECT_EQ(PlannedFileAt(*plan, 2).endLine, 25);
    EXPECT_EQ(PlannedFileAt(*plan, 3).firstLine, 25);
}

TEST(ChapterEdits, TheOutputNamesFilesByCorrectedTitlesAndTheBookListsThem) {
    const TempDir dir;
    const AnalysisResult found = Analyze(WriteNovel(dir), kDefaultCondition);
    ChapterEdits edits;
    edits.add(8, u"番外1");
    edits.titles[14] = u"风起";
    const AnalysisResult edited = ApplyEdits(found, edits);
    const std::vector<bool> checked(4, false);
    const std::optional<OutputPlan> plan = PlanOutput(edited, checked, OutputOptions{});
    ASSERT_TRUE(plan);
    std::vector<std::string> names;
    for (std::int32_t f = 0; f < plan->fileCount; ++f)
        names.push_back(PlannedFileAt(*plan, f).name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"000-0(Index).txt", "001-1标题1.txt", "002-0番外1.txt",
                                        "003-2风起.txt", "004-3标题3.txt"}));
    EXPECT_EQ(PlannedFileAt(*plan, 2).firstLine, 8);
    EXPECT_EQ(PlannedFileAt(*plan, 2).endLine, 14);

    const EpubText text(Encoding::Utf8, OutputOptions{});
    const EpubOutline outline(edited.table, checked, plan->selection, 1, true, text);
    EXPECT_EQ(outline.label(2), u"番外1");
    EXPECT_EQ(outline.label(3), u"风起") << "a corrected title names the chapter";
    EXPECT_EQ(outline.label(4), u"第3章 标题3");
}

TEST(ReviewFile, ARoundTripGivesTheSameSplit) {
    const TempDir dir;
    const auto source = WriteNovel(dir);
    const AnalysisResult found = Analyze(source, kDefaultCondition);
    ChapterEdits edits;
    edits.add(20, u"番外2");
    edits.titles[2] = u"开端";
    const AnalysisResult edited = ApplyEdits(found, edits);
    const std::vector<bool> checked = {false, false, false, true};
    const std::string checksum = SourceChecksum(source);
    const ReviewFile file = ReviewOf(edited, checked, checksum);
    const std::string json = ReviewFileText(file, edited);

    const ReviewFile read = ParseReviewFile(json);
    EXPECT_EQ(read.checksum, checksum);
    EXPECT_EQ(read.condition, found.condition);
    EXPECT_FALSE(read.rule);
    ASSERT_EQ(read.rows.size(), 4u);
    EXPECT_TRUE(read.rows[2].added);
    EXPECT_EQ(read.rows[2].startLine, 20);
    const Review review = ReviewFromFile(found, read);
    EXPECT_EQ(review.edits, edits);
    EXPECT_EQ(review.checked, checked);
}

TEST(ReviewFile, RowsItListsAreTheSplitAndRowsItLeavesOutAreTicked) {
    const TempDir dir;
    const AnalysisResult found = Analyze(WriteNovel(dir), kDefaultCondition);
    ReviewFile file;
    file.rows = {{26, false, false, u"标题3"}, {8, false, false, u"番外1"}, {2, true, false, u"x"}};
    const Review review = ReviewFromFile(found, file);
    // Line 8 is no heading the rules found: an added split, whatever "added" says.
    ASSERT_EQ(review.edits.added.size(), 1u);
    EXPECT_EQ(review.edits.added[0], (AddedSplit{8, u"番外1"}));
    EXPECT_EQ(review.edits.titles, (std::map<LineNumber, std::u16string>{{2, u"x"}}));
    // Rows 2, 8, 14 (left out: ticked), 26.
    EXPECT_EQ(review.checked, (std::vector<bool>{true, false, true, false}));

    file.rows = {{40, false, true, u"beyond"}};
    EXPECT_THROW(ReviewFromFile(found, file), EngineError);
    file.rows = {{8, false, true, u"a"}, {8, true, true, u"b"}};
    EXPECT_THROW(ReviewFromFile(found, file), EngineError);
}

// A split asked for at a blank line falls on the next line with text: never a chapter that
// starts with nothing (nor a file of blank lines only).
TEST(ReviewFile, ASplitAtABlankLineFallsOnTheNextLineWithText) {
    const TempDir dir;
    // 第1章 at line 3, 第2章 at 17; even lines are blank; line 30, the last, is blank too.
    std::string text = "书名\n";
    for (int n = 1; n <= 2; ++n) {
        text += "\n第" + std::to_string(n) + "章 标题" + std::to_string(n) + "\n";
        for (int i = 1; i <= 6; ++i)
            text += "\n正文" + std::to_string(n) + std::to_string(i) + "\n";
    }
    text += "\n";
    const auto source = dir.path() / "blank.txt";
    std::ofstream(source, std::ios::binary) << text;
    const AnalysisResult found = Analyze(source, kDefaultCondition);
    ASSERT_EQ(Starts(found), (std::vector<LineNumber>{3, 17, 31}));
    ReviewFile file;
    // 6 moves to 7; 16 moves onto 第2章, which the file ticks; 30 has nothing after it.
    file.rows = {{3, false, false, u"标题1"},
                 {6, false, true, u""},
                 {16, false, true, u""},
                 {17, true, false, u"标题2"},
                 {30, false, true, u"nothing"}};
    const Review review = ReviewFromFile(found, file);
    ASSERT_EQ(review.edits.added.size(), 1u);
    EXPECT_EQ(review.edits.added[0], (AddedSplit{7, u"正文12"}));
    EXPECT_TRUE(review.edits.titles.empty()) << "a moved split is named by its new line";
    EXPECT_EQ(review.checked, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Starts(ApplyEdits(found, review.edits)), (std::vector<LineNumber>{3, 7, 17, 31}));
}

TEST(ReviewFile, AFileOfAnotherBookSaysSoAndAChangedBookSaysSo) {
    ReviewFile file;
    file.checksum = "aaaa";
    file.source = u"/books/novel.txt";
    EXPECT_NO_THROW(CheckReviewIsOf(file, "aaaa", "/elsewhere/copy.txt"));
    const struct {
        std::u16string source; // in the file
        const char* book;      // the book it is applied to
        ErrorCode code;
        std::u16string message;
    } cases[] = {
        {u"/books/novel.txt", "/elsewhere/novel.txt", ErrorCode::SourceChanged,
         u"源文件已改变，请重新分析!"},
        {u"/books/novel.txt", "/books/other.txt", ErrorCode::OtherBook,
         u"目录文件属于另一本书: novel.txt"},
        {u"", "/books/novel.txt", ErrorCode::OtherBook, u"目录文件属于另一本书"},
    };
    for (const auto& c : cases) {
        file.source = c.source;
        try {
            CheckReviewIsOf(file, "bbbb", c.book);
            ADD_FAILURE() << c.book << " was taken";
        } catch (const EngineError& error) {
            EXPECT_EQ(error.code(), c.code) << c.book;
            EXPECT_EQ(error.message(), c.message) << c.book;
        }
    }
}

TEST(ReviewFile, WhatIsNoReviewIsRefusedWithTheReason) {
    const struct {
        const char* json;
        const char16_t* message;
    } cases[] = {
        {"", u"目录文件无效: 不是JSON文本"},
        {"[1, 2]", u"目录文件无效: 不是JSON对象"},
        {R"({"rows": []})", u"目录文件无效: 文件缺少“checksum”"},
        {R"({"checksum": 5, "rows": []})", u"目录文件无效: 文件的“checksum”类型不对"},
        {R"({"checksum": "x"})", u"目录文件无效: 文件缺少“rows”"},
        {R"({"checksum": "x", "rows": [7]})", u"目录文件无效: rows的第1项不是JSON对象"},
        {R"({"checksum": "x", "rows": [{"checked": true, "title": "t"}]})",
         u"目录文件无效: rows的第1项缺少“start_line”"},
        {R"({"checksum": "x", "rows": [{"start_line": 1.5, "checked": true, "title": "t"}]})",
         u"目录文件无效: rows的第1项的“start_line”类型不对"},
        {R"({"checksum": "x", "rows": [{"start_line": 0, "checked": true, "title": "t"}]})",
         u"目录文件无效: rows的第1项的“start_line”必须大于0"},
        {R"({"checksum": "x", "rows": [{"start_line": 3, "checked": "no", "title": "t"}]})",
         u"目录文件无效: rows的第1项的“checked”类型不对"},
        {R"({"checksum": "x", "rows": [{"start_line": 3, "checked": true}]})",
         u"目录文件无效: rows的第1项缺少“title”"},
    };
    for (const auto& c : cases) {
        try {
            ParseReviewFile(c.json);
            ADD_FAILURE() << c.json << " was taken";
        } catch (const EngineError& error) {
            EXPECT_TRUE(error.message().starts_with(c.message)) << c.json << ": " << error.what();
            EXPECT_EQ(error.kind(), ErrorKind::Refused);
        }
    }
}

TEST(SourceChecksum, IsTheSha256OfTheBytes) {
    const TempDir dir;
    const struct {
        std::string bytes;
        const char* sha256;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // Past one read block: the blocks are chained, not hashed alone.
        {std::string(1'000'000 * 3, 'a'),
         "2a152c894398719c0570f83fac34ac03a0f6e8e474b995c2403aa5434f7b9dd4"},
    };
    for (const auto& c : cases) {
        const auto path = dir.path() / "bytes";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.bytes;
        EXPECT_EQ(SourceChecksum(path), c.sha256) << c.bytes.size() << " bytes";
    }
    EXPECT_THROW(SourceChecksum(dir.path() / "missing"), EngineError);
}

} // namespace
} // namespace lumarin::engine
