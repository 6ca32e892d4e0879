// SPDX-License-Identifier: MIT
#include "engine/headings/Analyzer.h"

#include "TestFiles.h"
#include "TestText.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/source/BlockReader.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::TempDir;
using namespace std::string_view_literals;

// Lines joined with LF; heading lines placed by their 1-based number.
std::u16string Novel(LineNumber lineCount,
                     const std::vector<std::pair<LineNumber, std::u16string>>& headings) {
    std::u16string text;
    for (LineNumber n = 1; n <= lineCount; ++n) {
        std::u16string line = u"正文" + ToU16Decimal(n);
        for (const auto& [at, heading] : headings) {
            if (at == n) line = heading;
        }
        text += line + u"\n";
    }
    return text;
}

AnalysisResult AnalyzeText(const TempDir& dir, const std::string& bytes,
                           std::u16string_view condition = kDefaultCondition) {
    return Analyze(dir.write("novel.txt", bytes), condition);
}

TEST(Analyze, TableColumnsAndMarkers) {
    TempDir dir;
    const auto result = AnalyzeText(
        dir,
        Encode(Novel(30, {{3, u"第一章　开始"}, {15, u"第十二章\u3000\u3000风起 云涌 \u3000"}}),
               "GB18030"));
    EXPECT_EQ(result.encoding, Encoding::Gb18030);
    EXPECT_EQ(result.m_lngCount, 2);
    EXPECT_EQ(result.lineCount, 30);
    EXPECT_EQ(result.table.m_lngStartLine, (std::vector<LineNumber>{1, 3, 15, 31}));
    EXPECT_EQ(result.table.m_intChapterNo, (std::vector<std::int16_t>{0, 1, 12, 0}));
    EXPECT_EQ(result.table.m_strTitle,
              (std::vector<std::u16string>{u"(Index)", u"开始", u"风起 云涌", u"(End)"}));
    EXPECT_EQ(result.table.m_strHeading,
              (std::vector<std::u16string>{u"", u"第一章　开始",
                                           u"第十二章\u3000\u3000风起 云涌 \u3000"}));
    EXPECT_EQ(result.table.previewText(2), u"12-风起 云涌");
    EXPECT_EQ(result.checked, (std::vector<bool>{false, false}));
}

TEST(Analyze, ShortChapterRuleChecksThePreviousRow) {
    const struct {
        std::vector<LineNumber> headingLines;
        std::vector<bool> checked;
    } cases[] = {
        {{100, 109}, {true, false}},
        {{100, 110}, {false, false}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 40},
         {true, true, true, true, true, true, true, true, true, false, false}},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15},
         {true, true, true, true, true, true, true, true, true, true, false}},
        {{1}, {false}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        std::vector<std::pair<LineNumber, std::u16string>> headings;
        for (const LineNumber at : c.headingLines)
            headings.emplace_back(at, u"第" + ToU16Decimal(at) + u"章 标题");
        const auto result = AnalyzeText(dir, Encode(Novel(200, headings), "UTF-8"));
        EXPECT_EQ(result.checked, c.checked) << c.headingLines.size();
    }
}

TEST(Analyze, NoHeadingsAndEmptyFile) {
    TempDir dir;
    const auto none = AnalyzeText(dir, "abc\r\ndef\r\n");
    EXPECT_EQ(none.m_lngCount, 0);
    EXPECT_EQ(none.table.m_lngStartLine, (std::vector<LineNumber>{1, 3}));
    EXPECT_EQ(none.table.m_strTitle, (std::vector<std::u16string>{u"(Index)", u"(End)"}));
    EXPECT_TRUE(none.checked.empty());
    const auto empty = AnalyzeText(dir, "");
    EXPECT_EQ(empty.lineCount, 0);
    EXPECT_EQ(empty.table.m_lngStartLine, (std::vector<LineNumber>{1, 1}));
}

TEST(Analyze, NonQualifyingMarkerGivesUnknown) {
    TempDir dir;
    const auto result =
        AnalyzeText(dir, Encode(u"第3节 甲\n第4卷 乙 第5章 丙\n", "UTF-8"), u"第(\\d+)(.) (\\S+)");
    ASSERT_EQ(result.m_lngCount, 2);
    EXPECT_EQ(result.table.previewText(1), u"0-(Unknown)");
    EXPECT_EQ(result.table.previewText(2), u"5-丙");
}

// The raw-byte search and full decoding must find the same headings in every
// encoding, line end and with invalid bytes around.
TEST(Analyze, SameTableInEveryEncoding) {
    std::u16string text = u"序\r\n第一章 甲\r第二章 乙\n\n内容\r\n";
    for (int i = 0; i < 12; ++i)
        text += u"第" + ToU16Decimal(i + 3) + u"章 标题" + ToU16Decimal(i) +
                u"\r\n一二三\n\n\n\n\n\n\n\n\n\n";
    text += u"第九十九章 末";
    const struct {
        std::string bytes;
        Encoding encoding;
    } cases[] = {
        {Encode(text, "GB18030"), Encoding::Gb18030},
        {Encode(text, "UTF-8"), Encoding::Utf8},
        {"\xEF\xBB\xBF" + Encode(text, "UTF-8"), Encoding::Utf8Bom},
        {"\xFF\xFE" + Encode(text, "UTF-16LE"), Encoding::Utf16LE},
        {"\xFE\xFF" + Encode(text, "UTF-16BE"), Encoding::Utf16BE},
    };
    TempDir dir;
    const auto reference = AnalyzeText(dir, cases[0].bytes);
    EXPECT_EQ(reference.m_lngCount, 15);
    EXPECT_EQ(reference.table.m_intChapterNo.back(), 0);
    EXPECT_EQ(reference.table.m_intChapterNo[15], 99);
    for (const auto& c : cases) {
        for (const std::u16string& condition :
             {std::u16string(kDefaultCondition),
              std::u16string(
                  u"(?:第)([一二两三四五六七八九十○零百0-9]{1,6})([章草])(.*)|\\uFFFF")}) {
            const auto result = AnalyzeText(dir, c.bytes, condition);
            EXPECT_EQ(result.encoding, c.encoding);
            EXPECT_EQ(result.lineCount, reference.lineCount) << EncodingName(c.encoding);
            EXPECT_EQ(result.table.m_lngStartLine, reference.table.m_lngStartLine)
                << EncodingName(c.encoding);
            EXPECT_EQ(result.table.m_strTitle, reference.table.m_strTitle)
                << EncodingName(c.encoding);
            EXPECT_EQ(result.table.m_intChapterNo, reference.table.m_intChapterNo)
                << EncodingName(c.encoding);
            EXPECT_EQ(result.checked, reference.checked) << EncodingName(c.encoding);
        }
    }
}

// The automatic choice reads lines by their LFs while every line ends in LF or
// CR LF, and one by one from a lone CR on: every mix of line ends gives the
// same chapters.
TEST(Analyze, AutomaticChoiceSameWithEveryLineEnd) {
    std::vector<std::u16string> lines = {u"书名", u""};
    for (int i = 1; i <= 8; ++i) {
        lines.push_back(u"第" + ToU16Decimal(i) + u"章");
        lines.push_back(u"标题" + ToU16Decimal(i));
        for (int k = 0; k < 12; ++k)
            lines.push_back(k % 4 == 3 ? u"" : u"　　他走了很久，天色渐渐暗了下来。");
    }
    const auto joined = [&](const std::function<std::u16string(std::size_t)>& end) {
        std::u16string text;
        for (std::size_t n = 0; n < lines.size(); ++n)
            text += lines[n] + end(n);
        return text;
    };
    const std::u16string texts[] = {
        joined([](std::size_t) { return u"\n"; }),
        joined([](std::size_t) { return u"\r\n"; }),
        joined([](std::size_t) { return u"\r"; }),
        joined([](std::size_t n) { return n == 40 ? u"\r" : u"\r\n"; }),
        // A lone CR before an empty line ending in LF would make one CR LF.
        joined([&](std::size_t n) {
            const bool beforeText = n + 1 < lines.size() && !lines[n + 1].empty();
            return n % 9 == 4 && beforeText ? u"\r" : n % 2 ? u"\n" : u"\r\n";
        }),
    };
    TempDir dir;
    AnalysisRequest request;
    request.automatic = true;
    const auto reference = Analyze(dir.write("lf.txt", Encode(texts[0], "GB18030")), request);
    ASSERT_NE(reference.rule, nullptr);
    EXPECT_EQ(reference.m_lngCount, 8);
    EXPECT_EQ(reference.table.m_strTitle[1], u"标题1");
    for (const std::u16string& text : texts) {
        for (const char* charset : {"GB18030", "UTF-8"}) {
            const auto result = Analyze(dir.write("book.txt", Encode(text, charset)), request);
            EXPECT_EQ(result.rule, reference.rule) << charset;
            EXPECT_EQ(result.lineCount, reference.lineCount) << charset;
            EXPECT_EQ(result.table.m_lngStartLine, reference.table.m_lngStartLine) << charset;
            EXPECT_EQ(result.table.m_strTitle, reference.table.m_strTitle) << charset;
        }
    }
}

TEST(Analyze, Big5SourceIsReadAsBig5) {
    std::u16string text;
    for (int i = 1; i <= 30; ++i)
        text += u"第" + ToU16Decimal(i) +
                u"章 話說天下大勢\r\n分久必合，合久必分。周末七國分爭，並入於秦。\r\n";
    TempDir dir;
    const auto result = AnalyzeText(dir, Encode(text, "Big5"));
    EXPECT_EQ(result.encoding, Encoding::Big5);
    EXPECT_EQ(result.m_lngCount, 30);
    EXPECT_EQ(result.table.m_strTitle[30], u"話說天下大勢");
}

TEST(Analyze, InvalidBytesAroundHeadingsAreCarried) {
    TempDir dir;
    const std::string bytes =
        Encode(u"第一章 甲", "GB18030") + "\xFF\r\n\xFF" + Encode(u"第二章 乙", "GB18030") + "\n";
    const auto result = AnalyzeText(dir, bytes);
    ASSERT_EQ(result.m_lngCount, 2);
    EXPECT_EQ(result.table.m_strHeading[1], u"第一章 甲\xDCFF");
    EXPECT_EQ(result.table.m_strTitle[1], u"甲"); // a carried byte ends what "." can match
    EXPECT_EQ(result.table.m_lngStartLine[2], 2);
}

// The first block looks like UTF-8; what comes after it has the last word.
TEST(Analyze, LateInvalidBytesCountAgainstTheWholeFile) {
    std::u16string body;
    while (body.size() < 700'000)
        body += u"第一章 甲乙丙丁戊己庚辛\n";
    const std::string utf8 = Encode(body, "UTF-8");
    std::u16string legacyText;
    while (legacyText.size() < 40'000)
        legacyText += u"甲乙丙丁戊己庚辛\n";
    const struct {
        const char* name;
        std::string bytes;
        Encoding expected;
    } cases[] = {
        {"a stray byte", utf8 + "\xB5\xDA\n", Encoding::Utf8},
        {"a GBK paragraph", utf8 + Encode(u"甲乙丙丁戊己庚辛\n", "GB18030"), Encoding::Utf8},
        {"a GBK tail of many lines", utf8 + Encode(legacyText, "GB18030"), Encoding::Gb18030},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto result = AnalyzeText(dir, c.bytes);
        EXPECT_EQ(result.encoding, c.expected) << c.name;
        if (c.expected == Encoding::Utf8) {
            EXPECT_EQ(result.m_lngCount, static_cast<std::int32_t>(body.size() / 13)) << c.name;
        }
    }
}

TEST(Analyze, Refusals) {
    TempDir dir;
    const auto source = dir.write("novel.txt", "abc\n");
    const struct {
        std::filesystem::path path;
        std::u16string condition;
        ErrorCode code;
    } cases[] = {
        {dir.path() / "missing.txt", std::u16string(kDefaultCondition), ErrorCode::NoSuchFile},
        {dir.path(), std::u16string(kDefaultCondition), ErrorCode::ReadFailed},
        {source, u"第(", ErrorCode::InvalidCondition},
        {dir.path() / "missing.txt", u"第(", ErrorCode::NoSuchFile}, // the file is checked first
    };
    for (const auto& c : cases) {
        try {
            Analyze(c.path, c.condition);
            ADD_FAILURE() << c.path;
        } catch (const EngineError& error) {
            EXPECT_EQ(error.code(), c.code) << error.what();
        }
    }
}

// Checked before any read: a device or a pipe without a writer would never end.
TEST(Analyze, SourcesThatAreNotRegularFilesAreRefusedUnread) {
    TempDir dir;
    const auto fifo = dir.path() / "novel.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::filesystem::path& path : {fifo, std::filesystem::path("/dev/zero")}) {
        try {
            Analyze(path, kDefaultCondition);
            ADD_FAILURE() << path;
        } catch (const EngineError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Io);
            EXPECT_EQ(error.message(),
                      u"无法读取文件: " + FromUtf8(path.string()) + u": Not a regular file");
        }
    }
}

// Both scans: the byte search for 第 and the line by line one (no required character).
TEST(Analyze, LineLongerThanTheLimitIsRefused) {
    TempDir dir;
    const std::string longLine(BlockReader::kMaxLineBytes + 1, 'a');
    const auto source = dir.write("novel.txt", longLine);
    for (const std::u16string_view condition : {kDefaultCondition, u"^(序章|楔子)"sv}) {
        try {
            Analyze(source, condition);
            ADD_FAILURE() << ToUtf8(condition);
        } catch (const EngineError& error) {
            EXPECT_EQ(error.kind(), ErrorKind::Io);
            EXPECT_EQ(error.message(), u"无法读取文件: " + FromUtf8(source.string()) +
                                           u": a line longer than 64 MiB");
        }
    }
    std::filesystem::remove(source);

    const std::string longest(BlockReader::kMaxLineBytes - 1, 'a');
    const auto fits =
        dir.write("fits.txt", longest + "\n" + ToUtf8(Novel(20, {{5, u"第一章 开始"}})));
    const auto result = Analyze(fits, kDefaultCondition);
    EXPECT_EQ(result.m_lngCount, 1);
    EXPECT_EQ(result.table.m_lngStartLine[1], 6);
}

TEST(Analyze, MatchLimitNamesTheLine) {
    TempDir dir;
    const auto source = dir.write("novel.txt", "a\nb\n" + std::string(40, 'a') + "b\n");
    try {
        Analyze(source, u"^(a+)+$", 100000);
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::MatchLimitExceeded);
        EXPECT_EQ(error.kind(), ErrorKind::Refused);
        EXPECT_NE(error.message().find(u"第3行"), std::u16string::npos) << error.what();
    }
}

} // namespace
} // namespace lumarin::engine
