// SPDX-License-Identifier: MIT
// The chapter list of --list and --list --json: what a reviewer reads before splitting.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

// A table of contents of three rows, then the three chapters it lists.
std::vector<std::string> NovelWithContents() {
    std::vector<std::string> lines{"目录", "第一章 开始", "第二章 继续", "第三章　结束 ", ""};
    const auto body = NovelLines({"第一章 开始", "第二章 继续", "第三章　结束 "}, "正文");
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

TEST(ListOutputTest, TextListShowsMarksLabelsAndTheCount) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(NovelWithContents(), "\r\n"), "GBK"));

    const RunResult run = RunSplit({"-l", "--uncheck", "2", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\t[x]\t.\t第一章 开始\t1-开始\n"
                       "2\t[ ]\t1\t第二章 继续\t2-继续\n"
                       "3\t[x]\t.\t第三章　结束 \t3-结束\n"
                       "4\t[ ]\t2\t第一章 开始\t1-开始\n"
                       "5\t[ ]\t3\t第二章 继续\t2-继续\n"
                       "6\t[ ]\t4\t第三章　结束 \t3-结束\n"
                       "4/6\n");
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
}

TEST(ListOutputTest, JsonCarriesTheWholeTable) {
    TempDir dir;
    const auto source = dir / "目录 \"书\".txt";
    const auto lines = NovelWithContents();
    WriteBytes(source, Encode(JoinLines(lines, "\n"), "UTF-8"));

    const RunResult run = RunSplit({"--list", "--json", "--check", "5", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    QJsonParseError error{};
    const QJsonObject doc =
        QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;
    EXPECT_EQ(doc["source"].toString().toStdString(), source.string());
    EXPECT_EQ(doc["encoding"].toString(), "UTF-8");
    EXPECT_EQ(doc["lines"].toInt(), static_cast<int>(lines.size()));
    EXPECT_EQ(doc["end_line"].toInt(), static_cast<int>(lines.size()) + 1);
    EXPECT_EQ(doc["count"].toInt(), 6);
    EXPECT_EQ(doc["unchecked"].toInt(), 2);
    const QJsonArray rows = doc["rows"].toArray();
    ASSERT_EQ(rows.size(), 6);

    struct Row {
        int startLine;
        int number;
        const char* title;
        bool checked;
        const char* label;
    };
    const Row expected[] = {{2, 1, "开始", true, "."},  {3, 2, "继续", true, "."},
                            {4, 3, "结束", true, "."},  {8, 1, "开始", false, "1"},
                            {20, 2, "继续", true, "."}, {32, 3, "结束", false, "2"}};
    for (int i = 0; i < 6; ++i) {
        const QJsonObject row = rows[i].toObject();
        SCOPED_TRACE(i);
        EXPECT_EQ(row["row"].toInt(), i + 1);
        EXPECT_EQ(row["start_line"].toInt(), expected[i].startLine);
        EXPECT_EQ(row["number"].toInt(), expected[i].number);
        EXPECT_EQ(row["title"].toString().toStdString(), expected[i].title);
        EXPECT_EQ(row["heading"].toString().toStdString(), lines[expected[i].startLine - 1]);
        EXPECT_EQ(row["checked"].toBool(), expected[i].checked);
        EXPECT_EQ(row["label"].toString().toStdString(), expected[i].label);
    }
}

TEST(ListOutputTest, NoHeadingsGivesAnEmptyList) {
    TempDir dir;
    const auto source = dir / "plain.txt";
    WriteBytes(source, "just text\r\nno chapters\r\n");
    const RunResult run = RunSplit({"--list", source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0/0\n");
}

TEST(ProgressTest, BarOnlyOnATerminalAndNeverWithQuiet) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source,
               Encode(JoinLines(NovelLines({"第一章 开始", "第二章 继续"}), "\r\n"), "GBK"));
    const auto out = (dir / "out").string();

    const RunResult terminal = RunSplitOnTerminal({"-o", out, source.string()});
    EXPECT_EQ(terminal.exitCode, 0);
    EXPECT_NE(terminal.err.find("完成:3%"), std::string::npos) << terminal.err;
    EXPECT_NE(terminal.err.find("完成:55%"), std::string::npos) << terminal.err;
    EXPECT_NE(terminal.err.find("处理完毕！共3个文件！"), std::string::npos) << terminal.err;

    const RunResult quiet =
        RunSplitOnTerminal({"-q", "--existing", "overwrite", "-o", out, source.string()});
    EXPECT_EQ(quiet.exitCode, 0);
    EXPECT_EQ(quiet.err.find("完成:"), std::string::npos) << quiet.err;

    const RunResult piped = RunSplit({"--existing", "overwrite", "-o", out, source.string()});
    EXPECT_EQ(piped.exitCode, 0);
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(piped.out, "处理完毕！共3个文件！\n");
}

} // namespace
} // namespace lumarin::cli::test
