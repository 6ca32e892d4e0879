// SPDX-License-Identifier: MIT
#pragma once

#include "support/TestFiles.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace lumarin::cli::test {

namespace fs = std::filesystem;

// What one run of the real lumarin-split left behind.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built lumarin-split with these arguments (no shell involved). With `stdoutFile`,
// standard output goes to that file instead of into the result.
RunResult RunSplit(const std::vector<std::string>& args, const std::string& stdoutFile = {});

// Runs `command` (the program's path first) the same way; with a `limit`, a run still going
// after it is killed and gives kTimedOut.
RunResult RunProgram(std::vector<std::string> command, const std::string& stdoutFile = {},
                     std::optional<std::chrono::seconds> limit = std::nullopt);

// The exit status of a run killed at its time limit: a test of what must not block fails
// instead of hanging the suite.
inline constexpr int kTimedOut = -2;
RunResult RunSplitWithin(const std::vector<std::string>& args, std::chrono::seconds limit);

// Same, with stdout and stderr on a pseudo-terminal, as a person at a terminal would see it.
// `whileUnread` runs before the terminal is read: a run that prints more than the terminal
// holds waits for it there.
RunResult RunSplitOnTerminal(const std::vector<std::string>& args,
                             const std::function<void()>& whileUnread = {});
// Same, handing `whileUnread` the process id of the run (to signal it, say).
RunResult RunSplitOnTerminal(const std::vector<std::string>& args,
                             const std::function<void(pid_t run)>& whileUnread);

using lumarin::test::ListFiles;
using lumarin::test::MakeFullDevice;
using lumarin::test::ReadBytes;
using lumarin::test::Snapshot;
using lumarin::test::TempDir;
using lumarin::test::WriteBytes;

// UTF-8 text in another charset (through iconv, not the program's own converter).
inline std::string Encode(const std::string& utf8, const std::string& charset) {
    return lumarin::test::EncodeWithIconv(utf8, charset);
}

// The text's lines, without their ends (LF or CR LF).
std::vector<std::string> SplitLines(const std::string& text);

// The lines joined, each followed by `ending`.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& ending);

// A novel as test data: front matter, then chapters separated far enough (10 lines or more)
// that none of them is a table of contents row.
std::vector<std::string> NovelLines(const std::vector<std::string>& headings,
                                    const std::string& frontMatter = "书名：测试");

// A novel with volumes whose front matter, volume lines, headings and text hold every
// character XML gives a meaning: & < > " '.
std::vector<std::string> AwkwardNovelLines();

// Why `xml` is not a well-formed XML document (read by Qt's reader, not the program's
// writer); empty when it is.
std::string XmlProblem(const std::string& xml);

} // namespace lumarin::cli::test
