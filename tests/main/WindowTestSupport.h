#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumarin::app::test {

namespace fs = std::filesystem;

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// UTF-8 lines written as GBK with CR LF, through the C library's converter.
void WriteGbkLines(const fs::path& file, const std::vector<std::string>& lines);
std::string ReadBytes(const fs::path& file);
std::string ToGbk(const std::string& utf8);

// Every regular file below root, relative, with "/", sorted.
std::vector<std::string> ListFiles(const fs::path& root);

} // namespace lumarin::app::test
