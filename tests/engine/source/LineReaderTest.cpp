// SPDX-License-Identifier: MIT
#include "engine/source/LineReader.h"

#include "TestFiles.h"
#include "engine/base/ByteSearch.h"
#include "engine/base/EngineError.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineBreaks.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::TempDir;

std::vector<std::string> ReadLines(const std::filesystem::path& file, Encoding encoding,
                                   std::size_t blockSize) {
    SourceFile source(file);
    BlockReader blocks(source, encoding, blockSize);
    LineReader reader(blocks);
    std::vector<std::string> lines;
    Line line;
    while (reader.next(line)) {
        EXPECT_EQ(line.number, static_cast<LineNumber>(lines.size() + 1));
        lines.emplace_back(line.raw);
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LinesEndAtCrLfLoneCrAndLoneLf) {
    const struct {
        std::string bytes;
        Lines expected;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {"\r\r\n\n\r", {"", "", "", ""}},
        {"a\n\rb", {"a", "", "b"}}, // LF CR is two line ends
        {"x\r", {"x"}},
        {std::string(100, 'z') + "\r\n" + std::string(70, 'y'),
         {std::string(100, 'z'), std::string(70, 'y')}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const auto file = dir.write("lines.txt", c.bytes);
        // Tiny blocks put block ends everywhere, CR LF pairs and long lines included.
        for (const std::size_t blockSize : {std::size_t{16}, std::size_t{17}, std::size_t{1} << 20})
            EXPECT_EQ(ReadLines(file, Encoding::Gb18030, blockSize), c.expected)
                << c.bytes << " " << blockSize;
    }
}

TEST(LineReader, ByteOrderMarkIsNoPartOfTheFirstLine) {
    TempDir dir;
    const auto utf8 = dir.write("bom8.txt", "\xEF\xBB\xBF"
                                            "a\r\nb");
    EXPECT_EQ(ReadLines(utf8, Encoding::Utf8Bom, 16), (Lines{"a", "b"}));
    const auto le =
        dir.write("le.txt", "\xFF\xFE" + Encode(u"第\r\n章\r\r\n\n末", "UTF-16LE") + "\x01");
    EXPECT_EQ(ReadLines(le, Encoding::Utf16LE, 16),
              (Lines{Encode(u"第", "UTF-16LE"), Encode(u"章", "UTF-16LE"), "", "",
                     Encode(u"末", "UTF-16LE") + "\x01"}));
    // U+0A0D holds both break bytes without being a line end.
    const auto be = dir.write("be.txt", "\xFE\xFF" + Encode(u"\u0A0D\u0D0A\n末", "UTF-16BE"));
    EXPECT_EQ(ReadLines(be, Encoding::Utf16BE, 16),
              (Lines{Encode(u"\u0A0D\u0D0A", "UTF-16BE"), Encode(u"末", "UTF-16BE")}));
}

TEST(LineBreaks, CountMatchesTheLineReader) {
    const std::string samples[] = {
        "",
        "a",
        "\r\n",
        "\r\r",
        "\n\r",
        std::string(40, '\n'),
        "a\rb\r\nc\nd\r",
        std::string(300, 'x') + "\r" + std::string(300, '\n') + "\r\n\r",
    };
    LineBreaks breaks(Encoding::Gb18030);
    for (const std::string& sample : samples) {
        std::size_t expected = 0;
        for (std::size_t i = 0; i < sample.size(); ++i)
            expected += sample[i] == '\n' ||
                        (sample[i] == '\r' && (i + 1 == sample.size() || sample[i + 1] != '\n'));
        EXPECT_EQ(breaks.count(sample), expected) << sample.size();
    }
}

// The lines ForEachLine finds in each block, as the line reader reads them.
std::vector<std::string> ForEachLineOf(const std::filesystem::path& file, Encoding encoding,
                                       std::size_t blockSize) {
    SourceFile source(file);
    BlockReader blocks(source, encoding, blockSize);
    const LineBreaks breaks(encoding);
    std::vector<std::string> lines;
    std::string_view block;
    while (blocks.next(block)) {
        std::size_t expectedStart = 0;
        ForEachLine(breaks, block, [&](std::size_t start, std::size_t end, std::size_t next) {
            EXPECT_EQ(start, expectedStart);
            lines.emplace_back(block.substr(start, end - start));
            expectedStart = next;
        });
        EXPECT_EQ(expectedStart, block.size());
    }
    return lines;
}

TEST(LineBreaks, ForEachLineFindsTheLinesTheReaderReads) {
    // Line ends on both sides of every 64-byte boundary, CR LF pairs split by one.
    std::string mixed;
    for (int i = 0; i < 40; ++i)
        mixed += std::string(static_cast<std::size_t>(i * 7 % 67), 'x') + (i % 3 == 0   ? "\r\n"
                                                                           : i % 3 == 1 ? "\r"
                                                                                        : "\n");
    const std::string samples[] = {
        "",
        "a",
        "a\n",
        "x\r",
        "\r\n",
        "a\r\nb\rc\nd",
        "a\n\rb",
        "\r\r\n\n\r",
        std::string(40, '\n'),
        std::string(63, 'y') + "\r\n" + std::string(62, 'z') + "\r\r\n",
        std::string(64, 'y') + "\r" + std::string(63, '\n') + "\r\nend",
        Encode(u"第一章\r\n　　正文。\r\n", "GB18030"),
        mixed,
        mixed + "tail",
    };
    TempDir dir;
    for (const std::string& sample : samples) {
        const auto gbk = dir.write("lines.txt", sample);
        for (const std::size_t blockSize : {std::size_t{16}, std::size_t{70}, std::size_t{1} << 20})
            EXPECT_EQ(ForEachLineOf(gbk, Encoding::Gb18030, blockSize),
                      ReadLines(gbk, Encoding::Gb18030, blockSize))
                << sample.size() << " " << blockSize;
    }
    const auto le = dir.write("le.txt", Encode(u"第\r\n章\r\r\n\n末", "UTF-16LE") + "\x01");
    EXPECT_EQ(ForEachLineOf(le, Encoding::Utf16LE, 16), ReadLines(le, Encoding::Utf16LE, 16));
}

TEST(ByteSearch, FindsEveryPositionIncludingBlockTails) {
    std::string hay(100, 'a');
    for (const std::size_t at :
         {std::size_t{0}, std::size_t{15}, std::size_t{16}, std::size_t{83}, std::size_t{98}}) {
        std::string text = hay;
        text.replace(at, 2, "\xB5\xDA");
        EXPECT_EQ(FindBytes(text, "\xB5\xDA", 0), at);
        EXPECT_EQ(FindBytes(text, "\xB5\xDA", at + 1), text.size());
    }
    EXPECT_EQ(FindBytes("abcabd", "abd", 0), 3u);
    EXPECT_EQ(FindBytes("ab", "abc", 0), 2u);
    EXPECT_EQ(FindBytes(std::string(40, 'x') + "xyz", "xyz", 0), 40u);
}

TEST(SourceFile, MissingFolderAndUnreadable) {
    TempDir dir;
    try {
        SourceFile missing(dir.path() / "none.txt");
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.message(), u"无此文件!");
        EXPECT_EQ(error.kind(), ErrorKind::Refused);
    }
    try {
        SourceFile folder(dir.path());
        ADD_FAILURE();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), ErrorCode::ReadFailed);
        EXPECT_EQ(error.kind(), ErrorKind::Io);
        EXPECT_TRUE(error.message().starts_with(u"无法读取文件: ")) << error.what();
        EXPECT_NE(std::string(error.what()).find(dir.path().string() + ": Is a directory"),
                  std::string::npos)
            << error.what();
    }
}

} // namespace
} // namespace lumarin::engine
