// SPDX-License-Identifier: MIT
// lumarin-split stopped by a signal while it writes a book: the book's temporary file goes with
// it, and the run ends by that signal as an unguarded one would.
#include "CliTestSupport.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <string_view>
#include <thread>

namespace lumarin::cli::test {
namespace {

// Whether the book's temporary file (its name and a suffix) is in `folder`.
bool HoldsTemporaryBook(const fs::path& folder, std::string_view book) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > book.size() && name.starts_with(book)) return true;
    }
    return false;
}

TEST(InterruptionTest, ASignalWhileABookIsWrittenLeavesNoTemporaryFile) {
    TempDir dir;
    std::string text = "书名\n";
    for (int i = 1; i <= 3000; ++i) {
        text += "第" + std::to_string(i) + "章 题\n";
        for (int line = 0; line < 10; ++line)
            text += "　　正文正文正文。\n";
    }
    const fs::path source = dir.write("novel.txt", text);
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

} // namespace
} // namespace lumarin::cli::test
