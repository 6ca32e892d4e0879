// SPDX-License-Identifier: MIT
// Where the chapters land: files per chapter group, group folders, naming, filters, blank lines,
// conversion, and what the short-chapter rule does to a table of contents.
#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

const std::vector<std::string> kFive{"第一章 一", "第二章 二", "第三章 三", "第四章 四",
                                     "第五章 五"};

struct LayoutCase {
    const char* name;
    std::vector<std::string> headings;
    std::vector<std::string> args;
    std::vector<std::string> files; // below the output folder
    int fileCount;                  // as the final message counts them
};

const std::vector<LayoutCase> kLayouts{
    {"DefaultsOneGroupFolder",
     {"第一章 开始", "第二章 继续", "第三章 结束"},
     {},
     {"000-0(Index).txt", "1-3(第1章+)/001-1开始.txt", "1-3(第1章+)/002-2继续.txt",
      "1-3(第1章+)/003-3结束.txt"},
     4},
    {"TwoChaptersPerFileNamedAfterTheFirst",
     kFive,
     {"-n", "2"},
     {"000-0(Index).txt", "1-3(第1章+)/001-1一.txt", "1-3(第1章+)/002-3三.txt",
      "1-3(第1章+)/003-5五.txt"},
     4},
    {"NoGroupFolders",
     kFive,
     {"-g", "0"},
     {"000-0(Index).txt", "001-1一.txt", "002-2二.txt", "003-3三.txt", "004-4四.txt",
      "005-5五.txt"},
     6},
    {"LastGroupFolderNamesItsLastFile",
     kFive,
     {"-g", "2"},
     {"000-0(Index).txt", "1-2(第1章+)/001-1一.txt", "1-2(第1章+)/002-2二.txt",
      "3-4(第3章+)/003-3三.txt", "3-4(第3章+)/004-4四.txt", "5-5(第5章+)/005-5五.txt"},
     6},
    {"CountsReadLikeTheWindowFields",
     kFive,
     {"-n", "2.5abc", "-g", "-1.6"},
     {"000-0(Index).txt", "1-2(第1章+)/001-1一.txt", "1-2(第1章+)/002-3三.txt",
      "3-3(第5章+)/003-5五.txt"},
     4},
    {"PatternWithoutFileNumberAppends",
     {"第一章 同名", "第二章 同名", "第三章 别名"},
     {"-p", "%s", "-g", "0"},
     {"(Index).txt", "别名.txt", "同名.txt"},
     3}, // the files written, not the chapters' turns
    {"TitleCharactersUnfitForFileNames",
     {"第一章 何处?/来:*\"<>|", "第二章 %n"},
     {"-g", "0"},
     {"000-0(Index).txt", "001-1何处来.txt", "002-2%n.txt"},
     3},
    {"CheckedRowMergesIntoThePreviousChapter",
     kFive,
     {"-g", "0", "--check", "2,4-5"},
     {"000-0(Index).txt", "001-1一.txt", "002-3三.txt"},
     3},
    {"UncheckAppliesAfterCheck",
     kFive,
     {"-g", "0", "--uncheck", "2", "--check", "1-5"},
     {"000-0(Index).txt", "001-2二.txt"},
     2},
};

// Test names and failure messages show the case name, not the bytes of the struct.
void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class SplitLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SplitLayoutTest, PutsEveryFileWhereItBelongs) {
    const LayoutCase& c = GetParam();
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(NovelLines(c.headings), "\r\n"), "GBK"));
    std::vector<std::string> args{"-q", "-o", (dir / "out").string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.push_back(source.string());

    const RunResult run = RunSplit(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共" + std::to_string(c.fileCount) + "个文件！\n");
    EXPECT_EQ(ListFiles(dir / "out" / "novel"), c.files);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SplitLayoutTest, ::testing::ValuesIn(kLayouts),
                         [](const auto& test) { return std::string(test.param.name); });

std::string SplitOneChapter(const std::vector<std::string>& body,
                            const std::vector<std::string>& args,
                            const std::string& charset = "GBK") {
    TempDir dir;
    std::vector<std::string> lines{"第一章 唯一"};
    lines.insert(lines.end(), body.begin(), body.end());
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), charset));
    std::vector<std::string> all{"-q", "-g", "0", "-p", "%n", "-o", (dir / "out").string()};
    all.insert(all.end(), args.begin(), args.end());
    all.push_back(source.string());
    const RunResult run = RunSplit(all);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return ReadBytes(dir / "out" / "novel" / "001.txt");
}

TEST(LineFilterTest, FiltersRunInOrderBeforeTheBlankLineTest) {
    const std::vector<std::string> body{"甲乙丙", "乙", "　 　", "\t", "丙丙甲"};
    // "甲乙" goes first, so the second filter "乙丙" no longer finds its text in line one.
    EXPECT_EQ(SplitOneChapter(body, {"-f", "甲乙", "-f", "乙丙", "-f", "乙"}),
              Encode(JoinLines({"第一章 唯一", "丙", "\t", "丙丙甲"}, "\r\n"), "GBK"));
    EXPECT_EQ(
        SplitOneChapter(body, {"--keep-blank-lines", "-f", "乙"}),
        Encode(JoinLines({"第一章 唯一", "甲丙", "", "　 　", "\t", "丙丙甲"}, "\r\n"), "GBK"));
}

TEST(SimplifiedTest, Big5SourceBecomesSimplifiedGb18030) {
    TempDir dir;
    std::vector<std::string> lines{"書名：舊事", ""};
    for (const char* heading : {"第一章 開始", "第二章 歸來"}) {
        lines.push_back(heading);
        for (int i = 0; i < 10; ++i) {
            lines.push_back("　　他們在渡口等了很久，風雨之後，燈還亮著，遠處傳來鐘聲。");
        }
    }
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "BIG5"));

    const RunResult run =
        RunSplit({"-q", "-s", "-g", "0", "-o", (dir / "out").string(), source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // File names keep the titles as the analysis read them; only the text is converted.
    const auto root = dir / "out" / "novel";
    ASSERT_EQ(ListFiles(root),
              (std::vector<std::string>{"000-0(Index).txt", "001-1開始.txt", "002-2歸來.txt"}));
    std::vector<std::string> expected{"第二章 归来"};
    expected.insert(expected.end(), 10,
                    "　　他们在渡口等了很久，风雨之后，灯还亮著，远处传来钟声。");
    EXPECT_EQ(ReadBytes(root / "002-2歸來.txt"), Encode(JoinLines(expected, "\r\n"), "GB18030"));
}

TEST(SimplifiedTest, Utf8SourceStaysUtf8) {
    EXPECT_EQ(SplitOneChapter({"這裡有燈"}, {"-s"}, "UTF-8"),
              JoinLines({"第一章 唯一", "这里有灯"}, "\r\n"));
}

// NUL is text like any other: the line goes through the conversion whole.
TEST(SimplifiedTest, NulCharacterDoesNotCutTheLine) {
    using namespace std::string_literals;
    const struct {
        const char* source;
        const char* output;
    } cases[] = {{"UTF-8", "UTF-8"}, {"BIG5", "GB18030"}};
    for (const auto& c : cases) {
        EXPECT_EQ(SplitOneChapter({"這裡\0有燈，計\0畫，計畫"s}, {"-s"}, c.source),
                  Encode(JoinLines({"第一章 唯一", "这里\0有灯，计\0画，计划"s}, "\r\n"), c.output))
            << c.source;
    }
}

struct AppendCase {
    const char* name;
    const char* charset;
    std::string bom;
};

class AppendTest : public ::testing::TestWithParam<AppendCase> {};

// With --existing append a second run doubles the files; a byte order mark belongs only at the
// start of a file, never in the middle of it.
TEST_P(AppendTest, SecondRunAppendsToTheSameFiles) {
    const AppendCase& c = GetParam();
    TempDir dir;
    const auto source = dir / "novel.txt";
    const std::string front = Encode(JoinLines({"书名：测试", ""}, "\r\n"), c.charset);
    const std::string text = Encode(JoinLines(NovelLines({"第一章 开始"}), "\r\n"), c.charset);
    const std::string chapter = text.substr(front.size());
    WriteBytes(source, c.bom + text);
    const std::vector<std::string> args{
        "-q", "--keep-blank-lines",   "-g",           "0", "-p", "%n", "--existing", "append",
        "-o", (dir / "out").string(), source.string()};
    ASSERT_EQ(RunSplit(args).exitCode, 0);
    ASSERT_EQ(RunSplit(args).exitCode, 0);
    const auto root = dir / "out" / "novel";
    EXPECT_EQ(ReadBytes(root / "000.txt"), c.bom + front + front);
    EXPECT_EQ(ReadBytes(root / "001.txt"), c.bom + chapter + chapter);
}

INSTANTIATE_TEST_SUITE_P(Encodings, AppendTest,
                         ::testing::Values(AppendCase{"Gbk", "GBK", ""},
                                           AppendCase{"Utf16Le", "UTF-16LE", "\xFF\xFE"}),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace lumarin::cli::test
