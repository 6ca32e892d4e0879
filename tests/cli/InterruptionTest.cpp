// SPDX-License-Identifier: MIT
// lumarin-split stopped by a signal while it writes books: each book's temporary file goes with
// it, and the run ends by that signal as an unguarded one would.
#include "CliTestSupport.h"
#include "support/EpubContents.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <string_view>
#include <thread>

namespace lumarin::cli::test {
namespace {

// Whether a temporary book (a name that starts like the book's and goes on past it, or past
// ".epub") is in `folder`.
bool HoldsTemporaryBook(const fs::path& folder, std::string_view book) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > book.size() && name.starts_with(book) && !name.ends_with(".epub"))
            return true;
    }
    return false;
}

std::string LongNovel() {
    std::string text = "书名\n";
    for (int i = 1; i <= 3000; ++i) {
        text += "第" + std::to_string(i) + "章 题\n";
        for (int line = 0; line < 10; ++line)
            text += "　　正文正文正文。\n";
    }
    return text;
}

TEST(InterruptionTest, ASignalWhileABookIsWrittenLeavesNoTemporaryFile) {
    TempDir dir;
    const fs::path source = dir.write("novel.txt", LongNovel());
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        const RunResult run = RunSplitOnTerminal({"--epub", source.string()}, [&](pid_t child) {
            // The progress bar fills the unread terminal long before the book is done, so the
            // run waits there with its temporary file open. (Give up after two minutes if it
            // never gets there, and let the checks below say what happened.)
            for (int wait = 0; wait < 24000 && !HoldsTemporaryBook(dir.path(), "novel.epub");
                 ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            ::kill(child, signal);
        });
        EXPECT_EQ(run.exitCode, 128 + signal) << run.err;
        EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"novel.txt"});
    }
}

// Books written side by side: the signal stops every book still being written, each removes
// its temporary file, and the run ends by the signal having reported as done only books that
// are whole on disk.
TEST(InterruptionTest, ASignalDuringAParallelBatchStopsEveryBookCleanly) {
    TempDir dir;
    const std::string novel = LongNovel();
    for (int i = 1; i <= 8; ++i)
        dir.write("books/novel" + std::to_string(i) + ".txt", novel);
    const fs::path out = dir / "out";
    fs::create_directories(out);
    const RunResult run = RunSplitOnTerminal(
        {"-j", "3", "--epub", "-o", out.string(), (dir / "books").string()}, [&](pid_t child) {
            // A book's temporary file is there for most of the time it is written. (Give up
            // after two minutes, and let the checks below say what happened.)
            for (int wait = 0; wait < 120000 && !HoldsTemporaryBook(out, "novel"); ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ::kill(child, SIGINT);
        });
    EXPECT_EQ(run.exitCode, 128 + SIGINT) << run.err;
    std::size_t reported = 0;
    for (const std::string& line : SplitLines(run.err)) {
        const auto at = line.find("已写入 ");
        if (at == std::string::npos) continue;
        ++reported;
        const fs::path book = line.substr(at + std::string("已写入 ").size());
        EXPECT_FALSE(lumarin::test::ReadEpub(book).empty()) << book << " reported done";
    }
    const auto left = ListFiles(out);
    EXPECT_LT(reported, 8u) << "the signal came after the last book";
    EXPECT_GE(left.size(), reported);
    for (const std::string& name : left)
        EXPECT_TRUE(name.ends_with(".epub")) << name << " left behind";
}

} // namespace
} // namespace lumarin::cli::test
