// SPDX-License-Identifier: MIT
// Splits the same small novel stored in every encoding and line-end style the program reads,
// and checks the files byte for byte in the source's own encoding.
#include "CliTestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

struct EncodingCase {
    const char* name;
    const char* charset;    // iconv name used to write the test file
    std::string bom;        // written before the text, and expected at the start of every file
    const char* lineEnd;    // as stored in the source; the output always ends lines with CR LF
    const char* reportedAs; // "encoding" of --list --json
    bool traditional;       // Big5 cannot hold the simplified characters
};

const std::vector<EncodingCase> kCases{
    {"Gbk_CrLf", "GBK", "", "\r\n", "GB18030", false},
    {"Gb18030_Lf", "GB18030", "", "\n", "GB18030", false},
    {"Utf8_Lf", "UTF-8", "", "\n", "UTF-8", false},
    {"Utf8Bom_Cr", "UTF-8", "\xEF\xBB\xBF", "\r", "UTF-8-BOM", false},
    {"Utf16Le_CrLf", "UTF-16LE", "\xFF\xFE", "\r\n", "UTF-16LE", false},
    {"Utf16Be_Lf", "UTF-16BE", "\xFE\xFF", "\n", "UTF-16BE", false},
    {"Big5_CrLf", "BIG5", "", "\r\n", "Big5", true},
};

std::vector<std::string> Headings(bool traditional) {
    if (traditional) {
        return {"第一章 開始", "第二章 繼續", "第三章 結束"};
    }
    return {"第一章 开始", "第二章 继续", "第三章 结束"};
}

std::vector<std::string> Chapter(const std::vector<std::string>& lines, std::size_t from,
                                 std::size_t to) {
    std::vector<std::string> kept;
    for (std::size_t i = from; i < to && i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            kept.push_back(lines[i]); // blank lines are deleted by default
        }
    }
    return kept;
}

// The Big5 source carries a longer traditional text, as a real one would, so that the encoding
// detector has something to judge.
std::vector<std::string> SourceLines(const EncodingCase& c) {
    auto lines = NovelLines(Headings(c.traditional),
                            c.traditional ? "書名：燈下舊事　作者：無名氏" : "书名：测试");
    if (c.traditional) {
        for (auto& line : lines) {
            if (line.rfind("　　", 0) == 0) {
                line = "　　他們在渡口等了很久，風雨之後，燈還亮著，遠處傳來鐘聲。";
            }
        }
    }
    return lines;
}

// Test names and failure messages show the case name, not the bytes of the struct.
void PrintTo(const EncodingCase& c, std::ostream* out) {
    *out << c.name;
}

class EncodingSplitTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingSplitTest, WritesEveryChapterInTheSourceEncoding) {
    const EncodingCase& c = GetParam();
    TempDir dir;
    const auto lines = SourceLines(c);
    const auto source = dir / "novel.txt";
    WriteBytes(source, c.bom + Encode(JoinLines(lines, c.lineEnd), c.charset));

    const RunResult run = RunSplit({"-q", "-o", (dir / "out").string(), source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共4个文件！\n");
    EXPECT_EQ(run.err, "");

    const auto headings = Headings(c.traditional);
    // A heading's title starts after "第一章 ": three characters of three UTF-8 bytes and a space.
    const std::string group = "1-3(第1章+)/";
    const auto root = dir / "out" / "novel";
    EXPECT_EQ(ListFiles(root),
              (std::vector<std::string>{"000-0(Index).txt",
                                        group + "001-1" + headings[0].substr(10) + ".txt",
                                        group + "002-2" + headings[1].substr(10) + ".txt",
                                        group + "003-3" + headings[2].substr(10) + ".txt"}));
    // Chapters start on lines 3, 15 and 27 of the source (NovelLines spaces them by 12).
    const std::vector<std::pair<std::size_t, std::size_t>> spans{
        {0, 2}, {2, 14}, {14, 26}, {26, 99}};
    const auto files = ListFiles(root);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto expected = Chapter(lines, spans[i].first, spans[i].second);
        EXPECT_EQ(ReadBytes(root / files[i]),
                  c.bom + Encode(JoinLines(expected, "\r\n"), c.charset))
            << files[i];
    }
}

TEST_P(EncodingSplitTest, ListReportsTheEncodingAndTheHeadings) {
    const EncodingCase& c = GetParam();
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, c.bom + Encode(JoinLines(SourceLines(c), c.lineEnd), c.charset));

    const RunResult run = RunSplit({"--list", "--json", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QJsonObject doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(doc["encoding"].toString().toStdString(), c.reportedAs);
    EXPECT_EQ(doc["count"].toInt(), 3);
    EXPECT_EQ(doc["unchecked"].toInt(), 3);
    EXPECT_EQ(doc["lines"].toInt(), 38);
    EXPECT_EQ(doc["rows"][2]["heading"].toString().toStdString(), Headings(c.traditional)[2]);
    EXPECT_FALSE(fs::exists(dir / "novel")) << "--list must write nothing";
}

INSTANTIATE_TEST_SUITE_P(Encodings, EncodingSplitTest, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace lumarin::cli::test
