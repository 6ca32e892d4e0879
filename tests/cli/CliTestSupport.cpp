// SPDX-License-Identifier: MIT
#include "CliTestSupport.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
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

RunResult RunProgram(std::vector<std::string> command, const std::string& stdoutFile) {
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
    result.exitCode = WaitForExit(pid);
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

} // namespace lumarin::cli::test
