#include "CliTestSupport.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iconv.h>
#include <pty.h>
#include <random>
#include <spawn.h>
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
    auto command = CommandFor(args);
    auto argv = ArgvFor(command);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        throw std::runtime_error(std::string("cannot start lumarin-split: ") +
                                 std::strerror(spawned));
    }
    RunResult result;
    result.exitCode = WaitForExit(pid);
    result.out = stdoutFile.empty() ? ReadBytes(outPath) : std::string();
    result.err = ReadBytes(errPath);
    return result;
}

RunResult RunSplitOnTerminal(const std::vector<std::string>& args) {
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
    RunResult result;
    result.err = ReadAll(master); // stdout and stderr share the terminal
    close(master);
    result.exitCode = WaitForExit(pid);
    return result;
}

TempDir::TempDir() {
    std::random_device seed;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = base / ("lumarin-cli-test-" + std::to_string(seed()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string Encode(const std::string& utf8, const std::string& charset) {
    iconv_t cd = iconv_open(charset.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv cannot convert to " + charset);
    }
    std::string out(utf8.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dest = out.data();
    std::size_t destLeft = out.size();
    const std::size_t done = iconv(cd, &in, &inLeft, &dest, &destLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text not representable in " + charset);
    }
    out.resize(out.size() - destLeft);
    return out;
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> ListFiles(const fs::path& root) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
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
