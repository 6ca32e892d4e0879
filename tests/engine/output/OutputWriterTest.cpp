// SPDX-License-Identifier: MIT
#include "engine/output/OutputWriter.h"

#include "TestFiles.h"
#include "TestText.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/output/FilterText.h"
#include "engine/source/BookFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::ListFiles;
using test::ReadBytes;
using test::TempDir;
using Files = std::vector<std::string>;

constexpr std::u16string_view kThreeChapters =
    u"书名\r\n作者\r\n第一章 开始\r\n甲\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    u"第二章 继续\r\n乙\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    u"第三章 结束\r\n丙\r\n";

class OutputWriterTest : public ::testing::Test {
protected:
    AnalysisResult analyse(const std::string& bytes, const std::string& name = "小说.txt") {
        m_source = m_dir.write(name, bytes);
        return Analyze(m_source, kDefaultCondition);
    }

    OutputOptions options() const {
        OutputOptions result;
        result.folderText = FromUtf8((m_dir.path() / "out").string());
        return result;
    }

    std::filesystem::path out() const { return m_dir.path() / "out" / "小说"; }

    std::string file(const std::string& relative) const { return ReadBytes(out() / relative); }

    TempDir m_dir;
    std::filesystem::path m_source;
};

TEST_F(OutputWriterTest, DefaultSettingsSplitIntoGroupFolder) {
    const auto analysis = analyse(Encode(kThreeChapters, "GB18030"));
    std::vector<FileProgress> progress;
    int yields = 0;
    const auto result =
        WriteOutput(analysis, analysis.checked, options(),
                    {[&](const FileProgress& p) { progress.push_back(p); }, [&] { ++yields; }});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->fileCount, 4);
    EXPECT_EQ(result->outputFolder, out());
    EXPECT_EQ(ListFiles(out()), (Files{"000-0(Index).txt", "1-3(第1章+)/001-1开始.txt",
                                       "1-3(第1章+)/002-2继续.txt", "1-3(第1章+)/003-3结束.txt"}));
    EXPECT_EQ(file("000-0(Index).txt"), Encode(u"书名\r\n作者\r\n", "GB18030"));
    // Blank lines are deleted by default.
    EXPECT_EQ(file("1-3(第1章+)/001-1开始.txt"), Encode(u"第一章 开始\r\n甲\r\n", "GB18030"));
    ASSERT_EQ(progress.size(), 4u);
    // 24 lines: files start on lines 1, 3, 13 and 23; the end marker is line 25.
    EXPECT_EQ(progress[0].percent, 1 * 100 / 25);
    EXPECT_EQ(progress[1].percent, 3 * 100 / 25);
    EXPECT_EQ(progress[3].percent, 23 * 100 / 25);
    EXPECT_EQ(progress[2].fileNumber, 2);
    EXPECT_GE(yields, 4);
}

TEST_F(OutputWriterTest, ChaptersPerFileFilesPerFolderAndPatterns) {
    std::u16string text = u"前言\n";
    for (int i = 1; i <= 5; ++i)
        text += u"第" + ToU16Decimal(i) + u"章 题" + ToU16Decimal(i) + u"\n" +
                std::u16string(u"文\n") + u"\n\n\n\n\n\n\n\n\n";
    const struct {
        std::u16string pattern;
        std::int32_t perFile, perFolder;
        Files expected;
        std::int32_t count;
    } cases[] = {
        {u"%n-%c%s",
         2,
         50,
         {"000-0(Index).txt", "1-3(第1章+)/001-1题1.txt", "1-3(第1章+)/002-3题3.txt",
          "1-3(第1章+)/003-5题5.txt"},
         4},
        {u"%n-%c%s",
         1,
         0,
         {"000-0(Index).txt", "001-1题1.txt", "002-2题2.txt", "003-3题3.txt", "004-4题4.txt",
          "005-5题5.txt"},
         6},
        {u"%n",
         1,
         2,
         {"000.txt", "1-2(第1章+)/001.txt", "1-2(第1章+)/002.txt", "3-4(第3章+)/003.txt",
          "3-4(第3章+)/004.txt", "5-5(第5章+)/005.txt"},
         6},
        {u"%n",
         2,
         2,
         {"000.txt", "1-2(第1章+)/001.txt", "1-2(第1章+)/002.txt", "3-3(第5章+)/003.txt"},
         4},
        {u"%n",
         0,
         0,
         {"000.txt", "001.txt", "002.txt", "003.txt", "004.txt", "005.txt"},
         6},                          // N below 1 reads as 1
        {u"卷", 1, 0, {"卷.txt"}, 1}, // no %n: every chapter goes into the same file
    };
    for (const auto& c : cases) {
        const auto analysis = analyse(Encode(text, "UTF-8"));
        std::filesystem::remove_all(m_dir.path() / "out");
        OutputOptions o = options();
        o.namePattern = c.pattern;
        o.chaptersPerFile = c.perFile;
        o.filesPerFolder = c.perFolder;
        const auto result = WriteOutput(analysis, analysis.checked, o);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->fileCount, c.count) << test::U8(c.pattern);
        EXPECT_EQ(ListFiles(out()), c.expected) << test::U8(c.pattern) << c.perFile << c.perFolder;
    }
    EXPECT_EQ(file("卷.txt").substr(0, 8), "前言\r\n");
    EXPECT_EQ(file("卷.txt").size(), Encode(u"前言\r\n" + std::u16string(), "UTF-8").size() +
                                         5 * Encode(u"第1章 题1\r\n文\r\n", "UTF-8").size());
}

TEST_F(OutputWriterTest, CheckedRowsStayInsideThePreviousChapter) {
    const auto analysis = analyse(Encode(kThreeChapters, "UTF-8"));
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.deleteBlankLines = false;
    const auto result = WriteOutput(analysis, {false, true, false}, o);
    EXPECT_EQ(result->fileCount, 3);
    EXPECT_EQ(ListFiles(out()), (Files{"000-0(Index).txt", "001-1开始.txt", "002-3结束.txt"}));
    EXPECT_NE(file("001-1开始.txt").find("第二章 继续\r\n乙\r\n"), std::string::npos);
}

TEST_F(OutputWriterTest, HeadingOnLineOneStillWritesFileZero) {
    const auto analysis = analyse("\xEF\xBB\xBF" + Encode(u"第一章 甲\n文\n", "UTF-8"));
    const auto result = WriteOutput(analysis, analysis.checked, options());
    EXPECT_EQ(result->fileCount, 2);
    // A BOM starts every new file, the empty front matter included.
    EXPECT_EQ(file("000-0(Index).txt"), "\xEF\xBB\xBF");
    EXPECT_EQ(file("1-1(第1章+)/001-1甲.txt"),
              "\xEF\xBB\xBF" + Encode(u"第一章 甲\r\n文\r\n", "UTF-8"));
}

TEST_F(OutputWriterTest, RunningTwiceAppends) {
    const auto analysis = analyse(Encode(kThreeChapters, "UTF-16LE").insert(0, "\xFF\xFE"));
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.existing = ExistingFiles::Append;
    WriteOutput(analysis, analysis.checked, o);
    const std::string once = file("001-1开始.txt");
    EXPECT_EQ(once, "\xFF\xFE" + Encode(u"第一章 开始\r\n甲\r\n", "UTF-16LE"));
    WriteOutput(analysis, analysis.checked, o);
    // No second BOM in the middle of an appended file.
    EXPECT_EQ(file("001-1开始.txt"), once + once.substr(2));
}

// Without %n in the pattern names repeat. A repeated name within one folder is
// the same file, emptied under Overwrite only when the run first opens it; in
// another group folder it is a file of its own.
TEST_F(OutputWriterTest, RepeatedNamesShareAFileOnlyWithinOneFolder) {
    constexpr int kChapters = 300, kNames = 7, kPerFolder = 100;
    const auto number = [](int chapter) { return ToUtf8(ToU16Decimal(chapter % kNames + 1)); };
    std::u16string text = u"前言\n";
    std::map<std::string, std::string> expected{{"0.txt", "前言\r\n"}};
    std::string folder;
    for (int i = 1; i <= kChapters; ++i) {
        const std::string heading = "第" + number(i) + "章 题";
        text += FromUtf8(heading) + u"\n文\n" + u"\n\n\n\n\n\n\n\n\n";
        if (i % kPerFolder == 1)
            folder = std::to_string(i) + "-" + std::to_string(i + kPerFolder - 1) + "(第" +
                     number(i) + "章+)/";
        expected[folder + number(i) + ".txt"] += heading + "\r\n文\r\n";
    }
    const auto analysis = analyse(Encode(text, "UTF-8"));
    const std::vector<bool> unchecked(static_cast<std::size_t>(analysis.m_lngCount), false);
    OutputOptions o = options();
    o.namePattern = u"%c";
    o.filesPerFolder = kPerFolder;
    for (const ExistingFiles mode : {ExistingFiles::Refuse, ExistingFiles::Overwrite}) {
        o.existing = mode;
        const auto result = WriteOutput(analysis, unchecked, o);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->fileCount, static_cast<std::int32_t>(expected.size())); // files written
        Files names;
        for (const auto& [name, bytes] : expected) {
            names.push_back(name);
            EXPECT_EQ(file(name), bytes) << name;
        }
        EXPECT_EQ(ListFiles(out()), names);
    }
}

TEST_F(OutputWriterTest, TitlesLoseForbiddenCharactersAndKeepPercentSigns) {
    const auto analysis = analyse(Encode(u"第一章 问?/答\n第二章 %n%c\n", "UTF-8"));
    OutputOptions o = options();
    o.filesPerFolder = 0;
    WriteOutput(analysis, {false, false}, o);
    EXPECT_EQ(ListFiles(out()), (Files{"000-0(Index).txt", "001-1问答.txt", "002-2%n%c.txt"}));
}

TEST_F(OutputWriterTest, LongTitleIsShortenedNotLost) {
    const auto analysis =
        analyse(Encode(u"第一章 " + std::u16string(150, u'长') + u"\n正文\n", "UTF-8"));
    OutputOptions o = options();
    o.filesPerFolder = 0;
    const auto result = WriteOutput(analysis, {false}, o);
    EXPECT_EQ(result->fileCount, 2);
    const Files files = ListFiles(out());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_LE(files[1].size(), 255u);
    EXPECT_TRUE(files[1].ends_with("长.txt"));
}

TEST_F(OutputWriterTest, FiltersBlankLinesAndConversion) {
    const std::u16string text = u"序\n第一章 甲\nAD广告AD\nAD\n\u3000 \u3000\n\t\n話說天下AD大勢\n";
    const struct {
        std::vector<std::u16string> filters;
        bool deleteBlank, simplified;
        std::u16string chapter;
    } cases[] = {
        {{u"AD"}, true, false, u"第一章 甲\r\n广告\r\n\t\r\n話說天下大勢\r\n"},
        {{u"AD"},
         false,
         false,
         u"第一章 甲\r\n广告\r\n\r\n\u3000 \u3000\r\n\t\r\n話說天下大勢\r\n"},
        {{u"广告", u"ADAD"},
         true,
         false,
         u"第一章 甲\r\nAD\r\n\t\r\n話說天下AD大勢\r\n"}, // in order given
        {{}, true, true, u"第一章 甲\r\nAD广告AD\r\nAD\r\n\t\r\n话说天下AD大势\r\n"},
    };
    for (const auto& c : cases) {
        const auto analysis = analyse(Encode(text, "UTF-8"));
        std::filesystem::remove_all(m_dir.path() / "out");
        OutputOptions o = options();
        o.filesPerFolder = 0;
        o.filters = c.filters;
        o.deleteBlankLines = c.deleteBlank;
        o.toSimplified = c.simplified;
        WriteOutput(analysis, analysis.checked, o);
        EXPECT_EQ(FromUtf8(file("001-1甲.txt")), c.chapter) << test::U8(c.chapter);
    }
}

// Without filters or conversion lines are copied as bytes; blank lines made
// of ideographic spaces must still go, in each encoding's own bytes.
TEST_F(OutputWriterTest, CopiedLinesOfIdeographicSpacesAreDeletedAsBlank) {
    const struct {
        const char* encoding;
        std::u16string preface; // enough text in the encoding's own script to be recognised
    } cases[] = {
        {"UTF-8", u"话说天下大势，分久必合，合久必分。"},
        {"GBK", u"话说天下大势，分久必合，合久必分。周末七国分争，并入于秦。"},
        {"GB18030", u"话说天下大势，分久必合，合久必分。周末七国分争，并入于秦。"},
        {"BIG5", u"話說天下大勢，分久必合，合久必分。周末七國分爭，並入於秦。"},
    };
    const std::u16string chapter = u"第一章 甲\n\u3000\u3000\n \u3000 \n\u3000正文\n\n乙\n";
    const std::u16string kept =
        u"第一章 甲\r\n\u3000\u3000\r\n \u3000 \r\n\u3000正文\r\n\r\n乙\r\n";
    const std::u16string deleted = u"第一章 甲\r\n\u3000正文\r\n乙\r\n";
    for (const auto& c : cases) {
        for (const bool deleteBlank : {true, false}) {
            SCOPED_TRACE(std::string(c.encoding) + (deleteBlank ? ", deleting" : ", keeping"));
            const auto analysis = analyse(Encode(c.preface + u"\n" + chapter, c.encoding));
            ASSERT_EQ(analysis.table.m_strHeading.size(), 2u);
            std::filesystem::remove_all(m_dir.path() / "out");
            OutputOptions o = options();
            o.filesPerFolder = 0;
            o.deleteBlankLines = deleteBlank;
            WriteOutput(analysis, analysis.checked, o);
            EXPECT_EQ(file("001-1甲.txt"), Encode(deleteBlank ? deleted : kept, c.encoding));
        }
    }
}

TEST_F(OutputWriterTest, Big5ConvertedToSimplifiedIsWrittenInGb18030) {
    const auto analysis = analyse(Encode(u"第一章 話說\r\n天下大勢\r\n國", "Big5") + "\xA4\r\n");
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.toSimplified = true;
    WriteOutput(analysis, analysis.checked, o);
    // The cut character (a lone lead byte) is carried through unchanged.
    EXPECT_EQ(file("001-1話說.txt"),
              Encode(u"第一章 话说\r\n天下大势\r\n国", "GB18030") + "\xA4\r\n");
}

// Conversion runs on batches of lines; line order, line ends and the odd
// last byte of a UTF-16 file must come through batch ends unchanged.
TEST_F(OutputWriterTest, ConvertedLinesKeepTheirOrderAndTheOddLastByte) {
    std::u16string source = u"第一章 開始\r\n";
    std::u16string expected = u"第一章 开始\r\n";
    for (int i = 0; i < 4000; ++i) {
        source += u"國" + ToU16Decimal(i) + u"話說天下大勢\r\n";
        expected += u"国" + ToU16Decimal(i) + u"话说天下大势\r\n";
    }
    const auto analysis = analyse("\xFF\xFE" + Encode(source + u"尾", "UTF-16LE") + "\x07");
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.toSimplified = true;
    WriteOutput(analysis, analysis.checked, o);
    EXPECT_EQ(file("001-1開始.txt"), "\xFF\xFE" + Encode(expected + u"尾", "UTF-16LE") + "\x07" +
                                         Encode(u"\r\n", "UTF-16LE"));
}

// A UTF-16 source's unpaired surrogates cannot go into another encoding: each becomes U+FFFD
// (never a substitute byte, nor the byte a U+DCxx would stand for) and the run counts them.
TEST_F(OutputWriterTest, LoneSurrogatesBecomeReplacementCharactersAndAreCounted) {
    const auto utf16 = [](std::u16string_view text) { return Encode(text, "UTF-16LE"); };
    const std::string lead("\x00\xD8", 2);
    const auto analysis = analyse("\xFF\xFE" + utf16(u"书名\r\n第一章 开始\r\n甲") + lead +
                                  utf16(u"乙") + "\x41\xDC" + utf16(u"丙\r\n"));
    const struct {
        OutputEncodingChoice encoding;
        std::string expected;
        std::uint64_t replaced;
    } cases[] = {
        {OutputEncodingChoice::Utf8, Encode(u"第一章 开始\r\n甲\uFFFD乙\uFFFD丙\r\n", "UTF-8"), 2},
        {OutputEncodingChoice::Gb18030, Encode(u"第一章 开始\r\n甲\uFFFD乙\uFFFD丙\r\n", "GB18030"),
         2},
        {OutputEncodingChoice::Source,
         "\xFF\xFE" + utf16(u"第一章 开始\r\n甲") + lead + utf16(u"乙") + "\x41\xDC" +
             utf16(u"丙\r\n"),
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        std::filesystem::remove_all(m_dir / "out");
        OutputOptions o = options();
        o.filesPerFolder = 0;
        o.encoding = c.encoding;
        const auto result = WriteOutput(analysis, analysis.checked, o);
        ASSERT_TRUE(result);
        EXPECT_EQ(file("001-1开始.txt"), c.expected);
        EXPECT_EQ(result->replaced, (ReplacedCharacters{0, c.replaced, 0}));
        EXPECT_EQ(OutputDoneMessage(*result),
                  c.replaced == 0 ? u"处理完毕！共2个文件！"
                                  : u"处理完毕！共2个文件！\n源文件中有2个孤立的UTF-16代理项，"
                                    u"已替换为U+FFFD。");
    }
}

TEST_F(OutputWriterTest, FilteredLineKeepsItsInvalidBytes) {
    const std::string raw =
        Encode(u"第一章 甲\n", "GB18030") + "\xFF" + Encode(u"删除文字", "GB18030") + "\x81\n";
    const auto analysis = analyse(raw);
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.filters = {u"删除"};
    WriteOutput(analysis, analysis.checked, o);
    EXPECT_EQ(file("001-1甲.txt"), Encode(u"第一章 甲\r\n", "GB18030") + "\xFF" +
                                       Encode(u"文字", "GB18030") + "\x81\r\n");
}

TEST_F(OutputWriterTest, FilteredBig5LineKeepsCodesThatHaveTwins) {
    // A2A5 and F9E9 both read as the same box-drawing character.
    std::u16string preface;
    for (int i = 0; i < 20; ++i)
        preface += u"話說天下大勢，分久必合，合久必分。周末七國分爭，並入於秦。\r\n";
    const auto analysis = analyse(Encode(preface + u"第一章 甲\r\n", "Big5") + "\xA2\xA5" +
                                  Encode(u"刪除字\r\n", "Big5"));
    ASSERT_EQ(analysis.encoding, Encoding::Big5);
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.filters = {u"刪除"};
    WriteOutput(analysis, analysis.checked, o);
    EXPECT_EQ(file("001-1甲.txt"),
              Encode(u"第一章 甲\r\n", "Big5") + "\xA2\xA5" + Encode(u"字\r\n", "Big5"));
}

// The odd last byte of a UTF-16 file is no character: a line holding it is not
// blank, whatever the rest of the line is.
TEST_F(OutputWriterTest, BlankLineDeletionKeepsTheOddLastByteOfUtf16) {
    const struct {
        std::u16string lastLine;
        std::vector<std::u16string> filters;
    } cases[] = {
        {u"  \u3000", {}},
        {u"广告", {u"广告"}},
    };
    for (const auto& c : cases) {
        const auto analysis =
            analyse("\xFF\xFE" + Encode(u"第一章 甲\r\n" + c.lastLine, "UTF-16LE") + "\x41");
        std::filesystem::remove_all(m_dir.path() / "out");
        OutputOptions o = options();
        o.filesPerFolder = 0;
        o.filters = c.filters;
        WriteOutput(analysis, analysis.checked, o);
        const std::u16string kept = c.filters.empty() ? c.lastLine : u"";
        EXPECT_EQ(file("001-1甲.txt"), "\xFF\xFE" + Encode(u"第一章 甲\r\n" + kept, "UTF-16LE") +
                                           "\x41" + Encode(u"\r\n", "UTF-16LE"))
            << test::U8(c.lastLine);
    }
}

// With blank lines kept, no filters and no conversion, the files put together
// are the source again, only with every line ending in CR LF.
TEST_F(OutputWriterTest, RoundTripIsByteForByte) {
    std::u16string text = u"序言\r\n\r\n目次\n第一章 甲\n第二章 乙\n";
    for (int i = 1; i <= 60; ++i)
        text += u"第" + ToU16Decimal(i) + u"章 标题\r\n正文\r\r\n\n  \n\u3000\n" +
                std::u16string(i % 7, u'字') + u"\r\n\r\n\r\n\r\n\r\n";
    text += u"尾声";
    const struct {
        std::string name, bytes, bom;
        const char* crlf;
        std::size_t crlfSize;
    } cases[] = {
        {"gbk", Encode(text, "GB18030") + "\xFF\x81", "", "\r\n", 2},
        {"gbk-invalid-inside",
         Encode(text.substr(0, 40), "GB18030") + "\x80\xFE\n\xA1" +
             Encode(text.substr(40), "GB18030"),
         "", "\r\n", 2},
        {"utf8", Encode(text, "UTF-8"), "", "\r\n", 2},
        {"utf8bom-invalid", "\xEF\xBB\xBF" + Encode(text, "UTF-8") + "\xC0", "\xEF\xBB\xBF", "\r\n",
         2},
        {"utf16le", "\xFF\xFE" + Encode(text, "UTF-16LE") + "\x01", "\xFF\xFE", "\r\0\n\0", 4},
        {"utf16be", "\xFE\xFF" + Encode(text, "UTF-16BE"), "\xFE\xFF", "\0\r\0\n", 4},
        {"big5", Encode(u"話說" + text, "Big5"), "", "\r\n", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto analysis = analyse(c.bytes, c.name + ".txt");
        OutputOptions o = options();
        o.deleteBlankLines = false;
        o.filesPerFolder = 7;
        o.chaptersPerFile = 3;
        const auto result = WriteOutput(analysis, analysis.checked, o);
        ASSERT_TRUE(result);
        // Files in number order: the name starts with the number.
        std::vector<std::filesystem::path> files;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(result->outputFolder)) {
            if (entry.is_regular_file() && entry.path().filename() != kChapterFolderMarker)
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end(),
                  [](const auto& a, const auto& b) { return a.filename() < b.filename(); });
        EXPECT_EQ(static_cast<std::int32_t>(files.size()), result->fileCount) << c.name;
        std::string joined;
        for (const auto& f : files) {
            const std::string content = ReadBytes(f);
            ASSERT_TRUE(content.starts_with(c.bom)) << c.name;
            joined += content.substr(c.bom.size());
        }
        // The source's line ends, each made CR LF, and a last line end added.
        const std::string crlf(c.crlf, c.crlfSize);
        const std::string lf = c.crlfSize == 2 ? "\n" : std::string(c.crlf + 2, 2);
        const std::string cr = c.crlfSize == 2 ? "\r" : std::string(c.crlf, 2);
        std::string expected;
        const std::string body = c.bytes.substr(c.bom.size());
        const std::size_t unit = c.crlfSize / 2;
        for (std::size_t i = 0; i < body.size();) {
            const std::string here = body.substr(i, unit);
            if (here == cr && body.substr(i + unit, unit) == lf) {
                expected += crlf;
                i += 2 * unit;
            } else if (here == cr || here == lf) {
                expected += crlf;
                i += unit;
            } else {
                expected += body.substr(i, unit);
                i += unit;
            }
        }
        if (!expected.ends_with(crlf)) expected += crlf;
        EXPECT_EQ(joined, expected) << c.name;
    }
}

TEST_F(OutputWriterTest, RefusalsWriteNothing) {
    const auto analysis = analyse(Encode(kThreeChapters, "UTF-8"));
    try {
        WriteOutput(analysis, {true, true, true}, options());
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(), u"排除全部条件，无法分割!");
        EXPECT_EQ(error.kind(), ErrorKind::Refused);
    }
    EXPECT_TRUE(ListFiles(out()).empty());
    EXPECT_FALSE(std::filesystem::exists(out())) << "a refusal leaves no folder behind";

    OutputOptions blank = options();
    blank.folderText = u"   ";
    EXPECT_FALSE(WriteOutput(analysis, analysis.checked, blank));

    {
        std::ofstream more(m_source, std::ios::app);
        more << "x";
    }
    try {
        WriteOutput(analysis, analysis.checked, options());
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(), u"源文件已改变，请重新分析!");
        EXPECT_EQ(error.kind(), ErrorKind::Refused);
    }
    std::filesystem::remove(m_source);
    ASSERT_EQ(::mkfifo(m_source.c_str(), 0600), 0); // refused before it is read
    try {
        WriteOutput(analysis, analysis.checked, options());
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(),
                  u"无法读取文件: " + FromUtf8(m_source.string()) + u": Not a regular file");
    }
    std::filesystem::remove(m_source);
    try {
        WriteOutput(analysis, analysis.checked, options());
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(), u"无此文件!");
    }
    EXPECT_TRUE(ListFiles(out()).empty());
}

TEST_F(OutputWriterTest, FailedWritesAreReportedWithPathAndReason) {
    const auto analysis = analyse(Encode(kThreeChapters, "UTF-8"));
    OutputOptions o = options();
    o.filesPerFolder = 0;
    o.existing = ExistingFiles::Append;
    // A folder where the second chapter file should be: its creation fails.
    std::filesystem::create_directories(out() / "002-2继续.txt");
    try {
        WriteOutput(analysis, analysis.checked, o);
        ADD_FAILURE() << "reported as done";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.kind(), ErrorKind::Io);
        EXPECT_EQ(error.code(), ErrorCode::WriteFailed);
        EXPECT_EQ(std::string(error.what()),
                  "无法写入: " + (out() / "002-2继续.txt").string() + ": Is a directory");
    }
    // A device node where a chapter file goes is not a chapter file: never written to.
    std::filesystem::remove_all(m_dir.path() / "out");
    std::filesystem::create_directories(out());
    ASSERT_EQ(test::MakeFullDevice(out() / "001-1开始.txt"), 0) << std::strerror(errno);
    try {
        WriteOutput(analysis, analysis.checked, o);
        ADD_FAILURE() << "reported as done";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::WriteFailed);
        EXPECT_EQ(std::string(error.what()),
                  "无法写入: " + (out() / "001-1开始.txt").string() + ": Not a regular file");
    }
    // A pipe nobody reads from: refused at once rather than waited on.
    std::filesystem::remove(out() / "001-1开始.txt");
    ASSERT_EQ(::mkfifo((out() / "001-1开始.txt").c_str(), 0600), 0);
    try {
        WriteOutput(analysis, analysis.checked, o);
        ADD_FAILURE() << "reported as done";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::WriteFailed) << error.what();
    }
    // A file where the output folder should be.
    std::filesystem::remove_all(m_dir.path() / "out");
    m_dir.write("out", "not a folder");
    try {
        WriteOutput(analysis, analysis.checked, o);
        ADD_FAILURE() << "reported as done";
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::WriteFailed);
        EXPECT_TRUE(std::string(error.what()).starts_with("无法写入: " + out().string() + ": "))
            << error.what();
    }
}

TEST(SplitFilterText, SplitsAtCrLfAndDropsEmptyPieces) {
    EXPECT_EQ(SplitFilterText(u"a\r\n\r\nb c\r\n"), (std::vector<std::u16string>{u"a", u"b c"}));
    EXPECT_TRUE(SplitFilterText(u"").empty());
    EXPECT_EQ(SplitFilterText(u"x\ny"), (std::vector<std::u16string>{u"x\ny"}));
}

} // namespace
} // namespace lumarin::engine
