// SPDX-License-Identifier: MIT
// --encoding and --output-encoding: a source read in the encoding the user names, chapter
// files written in the one the user asks for.
#include "CliTestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

const std::vector<std::string> kHeadings{"第一章 开始", "第二章 继续", "第三章 结束"};

QJsonObject ListJson(const std::vector<std::string>& args) {
    const RunResult run = RunSplit(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

// A UTF-16 novel without a byte order mark: detection reads it as GB18030 and finds no
// heading. Naming the encoding gets them back; any choice is used as given.
TEST(EncodingChoiceTest, ChosenInputEncodingIsUsedAsGiven) {
    TempDir dir;
    const auto utf16 =
        dir.write("utf16.txt", Encode(JoinLines(NovelLines(kHeadings), "\n"), "UTF-16LE"));
    const auto utf8 =
        dir.write("stray.txt", JoinLines(NovelLines(kHeadings, "书名：测试\xFF"), "\n"));
    const auto bom = dir.write("bom.txt", "\xEF\xBB\xBF" + JoinLines(NovelLines(kHeadings), "\n"));
    const auto gbk = dir.write("gbk.txt", Encode(JoinLines(NovelLines(kHeadings), "\n"), "GBK"));

    const struct {
        std::filesystem::path source;
        const char* choice;
        const char* reported;
        int headings;
    } cases[] = {
        {utf16, "auto", "GB18030", 0},
        {utf16, "utf-16le", "UTF-16LE", 3},
        {utf8, "utf-8", "UTF-8", 3},
        {bom, "utf-8", "UTF-8-BOM", 3}, // the mark stays out of the first line
        {gbk, "gb18030", "GB18030", 3},
        {gbk, "utf-8", "UTF-8", 0}, // wrong, but what was asked for
        {gbk, "utf-16be", "UTF-16BE", 0},
    };
    for (const auto& c : cases) {
        const QJsonObject doc =
            ListJson({"--list", "--json", "--encoding", c.choice, c.source.string()});
        EXPECT_EQ(doc["encoding"].toString().toStdString(), c.reported) << c.choice;
        EXPECT_EQ(doc["count"].toInt(), c.headings) << c.source << ' ' << c.choice;
    }

    // A stray byte in a chosen UTF-8 is carried into the front matter file untouched.
    const RunResult run =
        RunSplit({"-q", "--encoding", "utf-8", "-o", (dir / "out").string(), utf8.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir / "out" / "stray" / "000-0(Index).txt"), "书名：测试\xFF\r\n");
}

TEST(EncodingChoiceTest, OutputEncodingOfTheChapterFiles) {
    TempDir dir;
    const std::string text = JoinLines(NovelLines(kHeadings), "\r\n");
    const auto gbk = dir.write("gbk.txt", Encode(text, "GBK"));
    const auto utf8 = dir.write("utf8.txt", text);
    const std::string bom = "\xEF\xBB\xBF";
    const std::string chapterOne = JoinLines({kHeadings[0], "　　第1段，风吹过江面。"}, "\r\n");

    const struct {
        std::filesystem::path source;
        const char* choice;
        std::string expected; // the start of chapter one's file
    } cases[] = {
        {gbk, "source", Encode(chapterOne, "GBK")},
        {gbk, "utf-8", chapterOne},
        {gbk, "utf-8-bom", bom + chapterOne},
        {utf8, "source", chapterOne},
        {utf8, "utf-8-bom", bom + chapterOne},
        {utf8, "gb18030", Encode(chapterOne, "GB18030")},
    };
    int run = 0;
    for (const auto& c : cases) {
        const auto out = dir / ("out" + std::to_string(++run));
        const RunResult result = RunSplit({"-q", "-g", "0", "--output-encoding", c.choice, "-o",
                                           out.string(), c.source.string()});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const auto folder = out / c.source.stem();
        EXPECT_EQ(ReadBytes(folder / "001-1开始.txt").substr(0, c.expected.size()), c.expected)
            << c.source << ' ' << c.choice;
        EXPECT_EQ(ListFiles(folder).size(), 4u);
    }
}

// Characters beyond GBK (four-byte GB18030 codes and a supplementary-plane character) survive
// both ways: the UTF-8 files, converted back by iconv, are the GB18030 files.
TEST(EncodingChoiceTest, Utf8OutputConvertsBackToTheGb18030Output) {
    TempDir dir;
    auto lines = NovelLines(kHeadings, "书名：€ ḿ 𠀀 ☺");
    lines.push_back("　　末尾：𪚥 ﹏ ¥");
    const auto source = dir.write("novel.txt", Encode(JoinLines(lines, "\n"), "GB18030"));

    for (const char* choice : {"utf-8", "gb18030"}) {
        const RunResult run = RunSplit(
            {"-q", "--output-encoding", choice, "-o", (dir / choice).string(), source.string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    const auto utf8Root = dir / "utf-8" / "novel";
    const auto gbRoot = dir / "gb18030" / "novel";
    const auto files = ListFiles(gbRoot);
    ASSERT_EQ(files.size(), 4u);
    ASSERT_EQ(ListFiles(utf8Root), files);
    for (const auto& file : files) {
        EXPECT_EQ(Encode(ReadBytes(utf8Root / file), "GB18030"), ReadBytes(gbRoot / file)) << file;
    }
    EXPECT_NE(ReadBytes(utf8Root / files.back()).find("𪚥"), std::string::npos);
}

TEST(EncodingChoiceTest, UnknownEncodingNamesAreUsageErrors) {
    TempDir dir;
    const auto source = dir.write("novel.txt", JoinLines(NovelLines(kHeadings), "\n"));
    for (const auto& option : {"--encoding", "--output-encoding"}) {
        const RunResult run =
            RunSplit({option, "latin1", "-o", (dir / "out").string(), source.string()});
        EXPECT_EQ(run.exitCode, 2) << option;
        EXPECT_NE(run.err.find("latin1"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

} // namespace
} // namespace lumarin::cli::test
