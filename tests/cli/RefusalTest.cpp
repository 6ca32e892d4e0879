// SPDX-License-Identifier: MIT
// Every way a run can be refused or fail: the exit status, the message on stderr, and that a
// failure never passes for a finished split.
#include "CliTestSupport.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace lumarin::cli::test {
namespace {

struct RefusalCase {
    const char* name;
    std::vector<std::string> args; // "SRC" stands for the source, "DIR" for the test folder
    int exitCode;
    std::string message; // expected at the start of stderr ("" when CLI11 words it)
};

const std::vector<RefusalCase> kRefusals{
    {"MissingSource", {"DIR/nothing.txt"}, 1, "无此文件!"},
    {"EveryRowChecked", {"--check", "1-3", "SRC"}, 1, "排除全部条件，无法分割!"},
    {"InvalidCondition", {"-c", "第(", "SRC"}, 1, "标题条件无效: "},
    {"SourceIsADevice", {"--list", "/dev/zero"}, 3, "无法读取文件: /dev/zero: Not a regular file"},
    {"OutputBelowARegularFile", {"-o", "SRC/out", "SRC"}, 3, "无法写入: "},
    {"BlankOutputFolder", {"-o", "  ", "SRC"}, 2, "--output is empty"},
    {"NoSource", {"-q"}, 2, ""},
    {"EmptySource", {""}, 2, ""},
    {"UnknownOption", {"--bogus", "SRC"}, 2, ""},
    {"JsonWithoutList", {"--json", "SRC"}, 2, ""},
    {"UnknownExistingMode", {"--existing", "skip", "SRC"}, 2, ""},
    {"RowsNotANumber", {"--check", "2-x", "SRC"}, 2, "invalid ROWS"},
    {"RowsBackwards", {"--check", "3-2", "SRC"}, 2, "invalid ROWS"},
    {"RowZero", {"--uncheck", "0", "SRC"}, 2, "invalid ROWS"},
    {"RowBeyondTheList", {"--check", "4", "SRC"}, 2, "invalid ROWS"},
    {"RowBeyondTheListWhenListing", {"--list", "--check", "2,9", "SRC"}, 2, "invalid ROWS"},
    // A size is a whole number as typed: none of these is read by its leading digits.
    {"SplitSizeWord", {"--split-size", "abc", "SRC"}, 2, "--split-size: not a whole number"},
    {"SplitSizeWithUnit", {"--split-size", "3k", "SRC"}, 2, "--split-size: not a whole number"},
    {"SplitSizeChineseUnit", {"--split-size", "5万", "SRC"}, 2, "--split-size: not a whole number"},
    {"SplitSizeNegative", {"--split-size=-300", "SRC"}, 2, "--split-size: not a whole number"},
    {"SplitSizeHex", {"--split-size", "0x10", "SRC"}, 2, "--split-size: not a whole number"},
    {"SplitSizeEmpty", {"--split-size=", "SRC"}, 2, "--split-size: not a whole number"},
};

std::string Substitute(std::string arg, const fs::path& dir, const fs::path& source) {
    for (const auto& [token, value] : {std::pair{std::string("SRC"), source.string()},
                                       std::pair{std::string("DIR"), dir.string()}}) {
        for (std::size_t at = 0; (at = arg.find(token, at)) != std::string::npos;
             at += value.size()) {
            arg.replace(at, token.size(), value);
        }
    }
    return arg;
}

// Test names and failure messages show the case name, not the bytes of the struct.
void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, ExitsWithItsStatusAndWritesNothing) {
    const RefusalCase& c = GetParam();
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source,
               Encode(JoinLines(NovelLines({"第一章 开始", "第二章 继续", "第三章 结束"}), "\r\n"),
                      "GBK"));
    std::vector<std::string> args{"-q"};
    for (const auto& arg : c.args) {
        args.push_back(Substitute(arg, dir.path(), source));
    }

    const RunResult run = RunSplit(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out.find("处理完毕"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << run.err;
    EXPECT_NE(run.err, "");
    EXPECT_FALSE(fs::exists(dir / "novel")) << "a refusal leaves no output folder behind";
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& test) { return std::string(test.param.name); });

// A book without a single heading says so, and how to split it, in chapter files and in a book.
TEST(RefusalTest, ABookWithoutHeadingsNamesTheWayToSplitIt) {
    TempDir dir;
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back("　　第" + std::to_string(i) + "段回忆，那年夏天的雨下了很久。");
    const auto source = dir.write("memoir.txt", JoinLines(lines, "\n"));
    for (const auto& [option, target] : {std::pair{"-o", dir / "out"},
                                         std::pair{"--epub", dir / "memoir.epub"}}) {
        std::vector<std::string> args{"-q", option, target.string(), source.string()};
        const RunResult refused = RunSplit(args);
        EXPECT_EQ(refused.exitCode, 1) << refused.err;
        EXPECT_TRUE(refused.err.starts_with("没有章节标题，无法分割!")) << refused.err;
        EXPECT_NE(refused.err.find("--split-size"), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(target)) << target;
        args.insert(args.begin(), {"--split-size", "200"});
        const RunResult parts = RunSplit(args);
        EXPECT_EQ(parts.exitCode, 0) << parts.err;
    }
    // Rows the reader ticked all are another matter.
    const auto novel =
        dir.write("novel.txt", JoinLines(NovelLines({"第一章 开始", "第二章 继续"}), "\n"));
    const RunResult ticked = RunSplit({"-q", "--check", "1-2", novel.string()});
    EXPECT_TRUE(ticked.err.starts_with("排除全部条件，无法分割!")) << ticked.err;
    EXPECT_EQ(ticked.err.find("--split-size"), std::string::npos) << ticked.err;
}

// A write that fails part way (the file size limit stands in for a full disk: the run inherits
// it, and the ignored SIGXFSZ, so its writes fail with EFBIG) stops the run, never reported done.
TEST(WriteFailureTest, FullDiskStopsTheRunAndIsNeverReportedAsDone) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    auto lines = NovelLines({"第一章 开始", "第二章 继续"});
    lines.insert(lines.end() - 3, std::string(400000, 'x'));
    WriteBytes(source, Encode(JoinLines(lines, "\r\n"), "GBK"));
    const auto root = dir / "out" / "novel";

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 300000;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const RunResult run =
        RunSplit({"-q", "-g", "0", "-p", "%n", "-o", (dir / "out").string(), source.string()},
                 (dir / "stdout.txt").string());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(ReadBytes(dir / "stdout.txt"), "");
    EXPECT_EQ(run.err, "无法写入: " + (root / "002.txt").string() + ": File too large\n");
}

TEST(WriteFailureTest, UnwritableOutputFolderIsAFailure) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(NovelLines({"第一章 开始"}), "\r\n"), "GBK"));
    // A folder that even root cannot create anything in.
    const RunResult run = RunSplit({"-q", "-o", "/proc", source.string()});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("无法写入: ", 0), 0u) << run.err;
}

// Standard output is where the result goes; failing to write it is a write failure like any other.
TEST(WriteFailureTest, FullStandardOutputIsAFailureWithAMessage) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    WriteBytes(source, Encode(JoinLines(NovelLines({"第一章 开始"}), "\r\n"), "GBK"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--list"}, {"--list", "--json"}, {"-q"}}) {
        auto all = args;
        all.push_back(source.string());
        const RunResult run = RunSplit(all, "/dev/full");
        EXPECT_EQ(run.exitCode, 3) << args.back();
        EXPECT_EQ(run.err.rfind("无法写入: ", 0), 0u) << args.back() << ": " << run.err;
    }
}

TEST(MatchLimitTest, RunawayConditionStopsWithTheLineNumber) {
    TempDir dir;
    const auto source = dir / "novel.txt";
    std::vector<std::string> lines{"第一章 开始"};
    lines.resize(56, "正文");
    lines.push_back(std::string(40, 'a') + "!"); // line 57: (a|aa)+$ backtracks without end here
    WriteBytes(source, JoinLines(lines, "\n"));
    const RunResult run =
        RunSplit({"-q", "--list", "-c", "(a|aa)+$|第(一)(章)(.*)", source.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("57"), std::string::npos) << run.err;
}

} // namespace
} // namespace lumarin::cli::test
