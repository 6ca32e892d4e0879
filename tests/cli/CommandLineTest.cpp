// SPDX-License-Identifier: MIT
// The command line itself: how options and paths are read, and how the chapter list is shown.
#include "CliTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace lumarin::cli::test {
namespace {

fs::path WriteNovel(const TempDir& dir) {
    const auto source = dir / "novel.txt";
    WriteBytes(source,
               Encode(JoinLines(NovelLines({"第一章 开始", "第二章 继续", "第三章 结束"}), "\r\n"),
                      "GBK"));
    return source;
}

// "-n=3" would read "=3"; a short option's value never follows "=". ({out} stands for a
// folder inside the test's own, so that a faulty run writes nowhere else.)
TEST(CommandLineTest, ShortOptionWithEqualsIsAUsageError) {
    const std::vector<std::vector<std::string>> cases{
        {"-n=3"}, {"-o={out}"}, {"-qn=3"}, {"-q", "-p=%n"}, {"-l="},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const auto source = WriteNovel(dir);
        std::vector<std::string> args;
        for (std::string arg : c) {
            if (const auto at = arg.find("{out}"); at != std::string::npos)
                arg.replace(at, 5, (dir / "out").string());
            args.push_back(arg);
        }
        const std::string option = args.back();
        args.push_back(source.string());
        const RunResult run = RunSplit(args);
        EXPECT_EQ(run.exitCode, 2) << option;
        EXPECT_EQ(run.err.rfind(option + ": ", 0), 0u) << run.err;
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"}) << option;
    }
}

// The ordinary ways to give a value still work, "=" included where it belongs: the value of
// an option that takes one, and long options.
TEST(CommandLineTest, ValuesWithoutEqualsAndLongOptionsWithIt) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-n3"},
                                                 {"-n", "3"},
                                                 {"--chapters-per-file=3"},
                                                 {"-f", "-x=y", "-n", "3"}}) {
        TempDir dir;
        const auto source = WriteNovel(dir);
        auto all = args;
        for (const char* more : {"-q", "-g", "0", "-o"})
            all.push_back(more);
        all.push_back((dir / "out").string());
        all.push_back(source.string());
        const RunResult run = RunSplit(all);
        EXPECT_EQ(run.exitCode, 0) << args.front() << ": " << run.err;
        EXPECT_EQ(ListFiles(dir / "out"),
                  (std::vector<std::string>{"novel/000-0(Index).txt", "novel/001-1开始.txt"}))
            << args.front();
    }
}

// A folder named with bytes that are not UTF-8 (GBK here) is written to as named.
TEST(CommandLineTest, OutputFolderIsTheBytesGiven) {
    TempDir dir;
    const auto source = WriteNovel(dir);
    const std::string gbkName = Encode("输出", "GBK");
    const RunResult run =
        RunSplit({"-q", "-g", "0", "-o", (dir / gbkName).string(), source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ListFiles(dir / gbkName).size(), 4u);
    EXPECT_EQ(ListFiles(dir.path()).size(), 5u); // the source and the four files, nothing else
}

// An empty rule name names no rule: it is a usage error, never the default condition.
TEST(CommandLineTest, AnEmptyRuleIsAUsageErrorNamingTheOption) {
    TempDir dir;
    const auto source = WriteNovel(dir);
    for (const std::vector<std::string>& rule :
         {std::vector<std::string>{"-r", ""}, std::vector<std::string>{"--rule="}}) {
        std::vector<std::string> args = rule;
        args.push_back(source.string());
        const RunResult run = RunSplit(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.starts_with("--rule")) << run.err;
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
    }
}

// A name holding an escape sequence reaches the terminal escaped, in every message.
TEST(CommandLineTest, MessagesNamingFilesEscapeControlCharacters) {
    TempDir dir;
    const auto source = WriteNovel(dir);
    const std::string name = "t\x1b]0;x\x07\x1b[2J";
    WriteBytes(dir / name, "a file where the folder would go");
    const std::string shown = "t\\x1b]0;x\\x07\\x1b[2J";
    const RunResult split = RunSplit({"-q", "-o", (dir / name).string(), source.string()});
    EXPECT_EQ(split.exitCode, 3);
    EXPECT_TRUE(split.err.starts_with("无法写入: " + (dir / shown / "novel").string() + ": "))
        << split.err;
    const RunResult book = RunSplit({"-q", source.string(), "--epub", (dir / name).string()});
    EXPECT_EQ(book.exitCode, 1);
    EXPECT_EQ(book.err, "输出文件已存在: " + (dir / shown).string() + "\n");
    for (const auto& run : {split, book})
        EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
}

// Names that collide make fewer files than chapters: the count is of files written.
TEST(CommandLineTest, TheCountIsOfFilesWritten) {
    TempDir dir;
    const auto source = WriteNovel(dir);
    const RunResult run =
        RunSplit({"-q", "-g", "0", "-p", "同名", "-o", (dir / "out").string(), source.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "处理完毕！共1个文件！\n");
    EXPECT_EQ(ListFiles(dir / "out"), std::vector<std::string>{"novel/同名.txt"});
}

// Control characters of a heading reach the terminal escaped; JSON carries them as they are.
TEST(ListOutputTest, TextListEscapesControlCharacters) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    const std::string heading = "第一章\t开\x1b[31m始\x7f\xc2\x9b";
    WriteBytes(source, JoinLines(NovelLines({heading}), "\n"));

    const RunResult text = RunSplit({"-l", source.string()});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "1\t[ ]\t1\t第一章\\t开\\x1b[31m始\\x7f\\u009b\t1-\\t开\\x1b[31m始\\x7f\\u009b\n"
              "1/1\n");

    const RunResult json = RunSplit({"-l", "--json", source.string()});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const QJsonObject row = QJsonDocument::fromJson(QByteArray::fromStdString(json.out))
                                .object()["rows"]
                                .toArray()[0]
                                .toObject();
    EXPECT_EQ(row["heading"].toString().toStdString(), heading);
}

} // namespace
} // namespace lumarin::cli::test
