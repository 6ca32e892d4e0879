// SPDX-License-Identifier: MIT
// A web novel of more than a thousand chapters, split with the default heading condition.
#include "CliTestSupport.h"
#include "support/ChineseNumerals.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

constexpr int kChapters = 1200;

std::string Utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

// Every third heading writes its number digit by digit (第一〇五〇章), the others as usual.
std::string Heading(int chapter) {
    const std::u16string number = chapter % 3 == 0 ? lumarin::test::DigitByDigit(chapter)
                                                   : lumarin::test::WrittenOut(chapter);
    return "第" + Utf8(number) + "章 题" + std::to_string(chapter);
}

std::string Numbered(const char* format, int a, int b, int c) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

TEST(LongNovelTest, EveryChapterPastAThousandIsFoundAndNamed) {
    std::vector<std::string> headings;
    for (int chapter = 1; chapter <= kChapters; ++chapter)
        headings.push_back(Heading(chapter));
    // A table of contents (every row one line after the previous: no split points), then the text.
    std::vector<std::string> lines{"书名：长篇", "目录"};
    lines.insert(lines.end(), headings.begin(), headings.end());
    const auto body = NovelLines(headings, "正文");
    lines.insert(lines.end(), body.begin(), body.end());

    TempDir dir;
    const auto source = dir / "long.txt";
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "GBK"));
    const RunResult run = RunSplit({"-q", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共" + std::to_string(kChapters + 1) + "个文件！\n");

    std::vector<std::string> expected{"000-0(Index).txt"};
    for (int chapter = 1; chapter <= kChapters; ++chapter) {
        const int first = (chapter - 1) / 50 * 50 + 1;
        expected.push_back(Numbered("%d-%d(第%d章+)/", first, first + 49, first) +
                           Numbered("%03d-%d题%d.txt", chapter, chapter, chapter));
    }
    std::sort(expected.begin(), expected.end()); // as ListFiles gives them
    const auto folder = dir / "long";
    EXPECT_EQ(ListFiles(folder), expected);

    const std::string last = ReadBytes(folder / "1151-1200(第1151章+)" / "1200-1200题1200.txt");
    EXPECT_TRUE(last.starts_with(Encode(Heading(kChapters) + "\r\n", "GBK"))) << last.substr(0, 40);
    const std::string front = ReadBytes(folder / "000-0(Index).txt");
    EXPECT_NE(front.find(Encode(Heading(kChapters) + "\r\n", "GBK")), std::string::npos)
        << "the table of contents stays in the front matter";
}

} // namespace
} // namespace lumarin::cli::test
