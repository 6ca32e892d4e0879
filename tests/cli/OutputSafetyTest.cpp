// SPDX-License-Identifier: MIT
// The real lumarin-split against files that are already there, planted links, its own source,
// source names that point out of the chosen folder, a source cut short while it is split, and
// output paths the file system refuses.
#include "CliTestSupport.h"

#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace lumarin::cli::test {
namespace {

const std::vector<std::string> kThree{"第一章 开始", "第二章 继续", "第三章 结束"};

class OutputSafety : public ::testing::Test {
protected:
    fs::path writeNovel(const std::string& name,
                        const std::vector<std::string>& headings = kThree) {
        const fs::path source = dir / name;
        fs::create_directories(source.parent_path());
        WriteBytes(source, JoinLines(NovelLines(headings), "\n"));
        return source;
    }

    RunResult split(const fs::path& source, std::vector<std::string> args) {
        args.insert(args.begin(), "-q");
        args.push_back(source.string());
        return RunSplit(args);
    }

    TempDir dir;
};

TEST_F(OutputSafety, EachModeTreatsExistingFilesAndPlantedLinksItsOwnWay) {
    const fs::path source = writeNovel("novel.txt");
    const fs::path out = dir / "novel";
    const fs::path outside = dir / "outside.txt";
    const std::string chapter1 = "第一章 开始\r\n";
    const struct {
        const char* mode;
        int exitCode;
        std::string message; // "" for a finished split
    } cases[] = {
        {"refuse", 1, "输出文件已存在: " + (out / "000.txt").string() + "\n"},
        {"append", 3, "无法写入: " + (out / "002.txt").string() + ": is a symbolic link\n"},
        {"overwrite", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        fs::remove_all(out);
        WriteBytes(outside, "keep me");
        ASSERT_EQ(split(source, {"-g", "0", "-p", "%n"}).exitCode, 0);
        fs::remove(out / "002.txt");
        fs::create_symlink(outside, out / "002.txt");
        const auto before = Snapshot(dir.path());

        const RunResult run = split(source, {"-g", "0", "-p", "%n", "--existing", c.mode});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err, c.message);
        EXPECT_EQ(ReadBytes(outside), "keep me") << "never written through the link";
        if (c.exitCode != 0) {
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(Snapshot(dir.path()), before);
            continue;
        }
        EXPECT_EQ(run.out, "处理完毕！共4个文件！\n");
        EXPECT_FALSE(fs::is_symlink(out / "002.txt"));
        EXPECT_EQ(ReadBytes(out / "002.txt").rfind("第二章 继续\r\n", 0), 0u);
        EXPECT_EQ(ReadBytes(out / "001.txt").find(chapter1, 1), std::string::npos)
            << "overwritten, not appended";
    }
}

TEST_F(OutputSafety, AppendAddsToTheEndAndOverwriteStartsAfresh) {
    const fs::path source = writeNovel("novel.txt");
    const fs::path file = dir / "novel" / "全部.txt";
    ASSERT_EQ(split(source, {"-g", "0", "-p", "全部"}).exitCode, 0);
    const std::string once = ReadBytes(file);
    EXPECT_EQ(once.rfind("书名：测试\r\n", 0), 0u);
    EXPECT_NE(once.find("第三章 结束\r\n"), std::string::npos);
    ASSERT_EQ(split(source, {"-g", "0", "-p", "全部", "--existing", "append"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(file), once + once);
    ASSERT_EQ(split(source, {"-g", "0", "-p", "全部", "--existing", "overwrite"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(file), once) << "every chapter of this run, and only those";
}

TEST_F(OutputSafety, ALinkWhereAGroupFolderGoesIsRefusedInEveryMode) {
    const fs::path source = writeNovel("novel.txt");
    fs::create_directories(dir / "novel");
    fs::create_directories(dir / "elsewhere");
    fs::create_symlink(dir / "elsewhere", dir / "novel" / "1-3(第1章+)");
    for (const char* mode : {"refuse", "overwrite", "append"}) {
        const RunResult run = split(source, {"--existing", mode});
        EXPECT_EQ(run.exitCode, 3) << mode;
        EXPECT_EQ(run.err, "无法写入: " + (dir / "novel" / "1-3(第1章+)").string() +
                               ": is a symbolic link\n");
        EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
        EXPECT_EQ(ListFiles(dir / "novel"), std::vector<std::string>{});
    }
}

TEST_F(OutputSafety, ARunNeverWritesToItsOwnSource) {
    const struct {
        const char* name;
        const char* source;
        std::vector<std::string> args; // "DIR" stands for the test folder
        const char* link;              // made as a link to "."
    } cases[] = {
        {"SourceInsideTheOutputFolder",
         "w/n/n.txt",
         {"-g", "0", "-p", "n", "-o", "DIR/w"},
         nullptr},
        {"TitleEqualsTheFileName", "开始/开始.txt", {"-g", "0", "-p", "%s", "-o", "DIR"}, nullptr},
        {"LinkBesideTheSource", "n.txt", {"-g", "0", "-p", "n"}, "n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path source = writeNovel(c.source);
        if (c.link) fs::create_symlink(".", dir / c.link);
        std::vector<std::string> args = c.args;
        for (auto& arg : args)
            if (arg.rfind("DIR", 0) == 0) arg = dir.path().string() + arg.substr(3);
        const auto before = Snapshot(dir.path());
        for (const char* mode : {"append", "overwrite"}) {
            auto withMode = args;
            withMode.insert(withMode.end(), {"--existing", mode});
            const RunResult run = split(source, withMode);
            EXPECT_EQ(run.exitCode, 1) << mode;
            EXPECT_EQ(run.err.rfind("无法写入: ", 0), 0u) << run.err;
            EXPECT_TRUE(run.err.ends_with(": is the source file\n")) << run.err;
            EXPECT_EQ(Snapshot(dir.path()), before) << mode;
        }
        fs::remove_all(dir.path());
        fs::create_directories(dir.path());
    }
}

TEST_F(OutputSafety, SourceNamesCannotSteerTheOutputOutOfTheChosenFolder) {
    for (const auto& [name, folder] :
         {std::pair{"...txt", ".._chapters"}, std::pair{"..txt", "._chapters"}}) {
        const fs::path source = writeNovel(std::string("in/") + name);
        const RunResult run = split(source, {"-g", "0", "-o", (dir / "in" / "out").string()});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ListFiles(dir / "in" / "out" / folder).size(), 4u) << name;
        EXPECT_EQ(ListFiles(dir / "in").size(), 5u) << name << ": the source and four chapters";
        fs::remove_all(dir / "in");
    }
}

// A terminal that nobody reads holds the run at its progress bar; the source is cut short
// meanwhile, and the rest of the run must notice.
TEST_F(OutputSafety, ASourceCutShortWhileSplitIsNeverReportedAsDone) {
    std::vector<std::string> headings;
    for (int i = 1; i <= 3000; ++i)
        headings.push_back("第" + std::to_string(i) + "章 题");
    const fs::path source = dir / "novel.txt";
    std::string text = "书名\n";
    const std::string paragraph(400, 'x');
    for (const auto& heading : headings) {
        text += heading + "\n";
        for (int line = 0; line < 10; ++line)
            text += paragraph + "\n";
    }
    WriteBytes(source, text);

    const fs::path early = dir / "novel" / "1-3000(第1章+)" / "300-300题.txt";
    const RunResult run = RunSplitOnTerminal({"-p", "%n-%c%s", "-g", "5000", source.string()}, [&] {
        // The run gets here long before the terminal fills, and can go no further than that.
        // (A run that fails before it gets here must not hang the test: give up after two
        // minutes and let the checks below say what happened.)
        for (int wait = 0; wait < 24000 && !fs::exists(early); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        fs::resize_file(source, 10);
    });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("源文件已改变，请重新分析!"), std::string::npos);
    EXPECT_EQ(run.err.find("处理完毕"), std::string::npos);
}

TEST_F(OutputSafety, FileSystemErrorsAreSaidInTheProgramsWords) {
    const fs::path source = writeNovel("novel.txt");
    fs::create_symlink("loop", dir / "loop");
    WriteBytes(dir / "file", "a file");
    const struct {
        const char* name;
        fs::path folder;
        std::string reason;
    } cases[] = {
        {"LinkLoop", dir / "loop" / "out", "Too many levels of symbolic links"},
        {"NameTooLong", dir / std::string(256, 'x'), "File name too long"},
        {"FileInPlaceOfTheFolder", dir / "file", "Not a directory"},
    };
    for (const auto& c : cases) {
        const RunResult run = split(source, {"-o", c.folder.string()});
        EXPECT_EQ(run.exitCode, 3) << c.name;
        EXPECT_EQ(run.err, "无法写入: " + (c.folder / "novel").string() + ": " + c.reason + "\n")
            << c.name;
    }
}

} // namespace
} // namespace lumarin::cli::test
