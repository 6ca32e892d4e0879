// SPDX-License-Identifier: MIT
#pragma once
// Files for tests of every layer: a scratch folder, raw bytes in and out, and
// text in a legacy charset through the C library's converter (so test data
// never comes from the converter the program itself uses).

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::test {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    // Writes `bytes` to `name` below the folder (creating sub-folders) and returns its path.
    std::filesystem::path write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// Throws when the file cannot be written.
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);
// Empty for a file that does not exist.
std::string ReadBytes(const std::filesystem::path& file);

// Every regular file below `root`, relative with "/", sorted; empty when root does not exist.
std::vector<std::string> ListFiles(const std::filesystem::path& root);

// Everything below `root`, links not followed: relative path with "/" ->
// "dir", "link:" + target, "file:" + content or "special". Shows any change a run made.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root);

// Makes `file` a node of the device that is always full, so writing to it
// fails as on a full disk. 0 on success, -1 with errno set.
int MakeFullDevice(const std::filesystem::path& file);

// UTF-8 text in another charset ("GBK", "BIG5", "UTF-16LE" ...) through iconv.
// Throws on text the charset cannot hold.
std::string EncodeWithIconv(const std::string& utf8, const std::string& charset);

} // namespace lumarin::test
