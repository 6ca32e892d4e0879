// SPDX-License-Identifier: MIT
#include "CliTestSupport.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace lumarin::cli::test {

namespace {

std::vector<char*> ArgvFor(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return argv;
}

std::vector<std::string> CommandFor(const std::vector<std::string>& args) {
    std::vector<std::string> command{LUMARIN_SPLIT_PATH};
    command.insert(command.end(), args.begin(), args.end());
    return command;
}

int WaitForExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Waits at most `limit` (none: for ever); a run still going then is killed.
int WaitForExit(pid_t pid, std::optional<std::chrono::seconds> limit) {
    if (!limit) return WaitForExit(pid);
    const auto deadline = std::chrono::steady_clock::now() + *limit;
    int status = 0;
    while (true) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (ended < 0 && errno != EINTR)
            throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            WaitForExit(pid);
            return kTimedOut;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    while (true) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            return text; // EIO is how a pseudo-terminal reports that the other side closed
        }
    }
}

} // namespace

RunResult RunSplit(const std::vector<std::string>& args, const std::string& stdoutFile) {
    return RunProgram(CommandFor(args), stdoutFile);
}

RunResult RunSplitWithin(const std::vector<std::string>& args, std::chrono::seconds limit) {
    return RunProgram(CommandFor(args), {}, limit);
}

RunResult RunProgram(std::vector<std::string> command, const std::string& stdoutFile,
                     std::optional<std::chrono::seconds> limit) {
    TempDir capture;
    const std::string outPath = stdoutFile.empty() ? (capture / "stdout").string() : stdoutFile;
    const std::string errPath = capture / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    auto argv = ArgvFor(command);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + command[0] + ": " + std::strerror(spawned));
    }
    RunResult result;
    result.exitCode = WaitForExit(pid, limit);
    result.out = stdoutFile.empty() ? ReadBytes(outPath) : std::string();
    result.err = ReadBytes(errPath);
    return result;
}

RunResult RunSplitOnTerminal(const std::vector<std::string>& args,
                             const std::function<void()>& whileUnread) {
    return RunSplitOnTerminal(args, [&whileUnread](pid_t) {
        if (whileUnread) {
            whileUnread();
        }
    });
}

RunResult RunSplitOnTerminal(const std::vector<std::string>& args,
                             const std::function<void(pid_t run)>& whileUnread) {
    auto command = CommandFor(args);
    auto argv = ArgvFor(command);
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid < 0) {
        throw std::runtime_error(std::string("forkpty: ") + std::strerror(errno));
    }
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (whileUnread) {
        whileUnread(pid);
    }
    RunResult result;
    result.err = ReadAll(master); // stdout and stderr share the terminal
    close(master);
    result.exitCode = WaitForExit(pid);
    return result;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& ending) {
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += ending;
    }
    return text;
}

std::vector<std::string> NovelLines(const std::vector<std::string>& headings,
                                    const std::string& frontMatter) {
    std::vector<std::string> lines{frontMatter, ""};
    int paragraph = 0;
    for (const auto& heading : headings) {
        lines.push_back(heading);
        lines.push_back("");
        for (int i = 0; i < 5; ++i) {
            lines.push_back("　　第" + std::to_string(++paragraph) + "段，风吹过江面。");
            lines.push_back("");
        }
    }
    return lines;
}

std::vector<std::string> AwkwardNovelLines() {
    std::vector<std::string> lines{"《A&B》", "作者：<某>"};
    for (const char* heading : {"第一卷 风&雨", "第1章 甲&乙", "第2章 <夜> \"雨\"",
                                "第二卷 '云' <涌>", "第3章 A & B < C", "第4章 \"终\""}) {
        lines.emplace_back(heading);
        for (int i = 0; i < 12; ++i)
            lines.push_back("　　第" + std::to_string(i) + "段：a<b && c>d \"引\" '号'。");
    }
    return lines;
}

std::string XmlProblem(const std::string& xml) {
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    while (!reader.atEnd())
        reader.readNext();
    if (!reader.hasError()) return {};
    return reader.errorString().toStdString() + " at line " + std::to_string(reader.lineNumber());
}

} // namespace lumarin::cli::test
