#pragma once

#include <filesystem>
#include <string>
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

// Same, with stdout and stderr on a pseudo-terminal, as a person at a terminal would see it.
RunResult RunSplitOnTerminal(const std::vector<std::string>& args);

// A fresh directory removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }

private:
    fs::path m_path;
};

// UTF-8 text in another charset through the C library's iconv, so that the test data does not
// come from the converter the program itself uses. Throws on text the charset cannot hold.
std::string Encode(const std::string& utf8, const std::string& charset);

void WriteBytes(const fs::path& file, const std::string& bytes);
std::string ReadBytes(const fs::path& file);

// Every regular file below `root`, as paths relative to it with "/", sorted.
std::vector<std::string> ListFiles(const fs::path& root);

// The lines joined, each followed by `ending`.
std::string JoinLines(const std::vector<std::string>& lines, const std::string& ending);

// A novel as test data: front matter, then chapters separated far enough (10 lines or more)
// that none of them is a table of contents row.
std::vector<std::string> NovelLines(const std::vector<std::string>& headings,
                                    const std::string& frontMatter = "书名：测试");

} // namespace lumarin::cli::test
