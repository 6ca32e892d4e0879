#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine::test {

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path write(const std::string& name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

std::string ReadBytes(const std::filesystem::path& file);

// Text in a named ICU encoding ("GB18030", "Big5", "UTF-16LE" ...).
std::string Encode(std::u16string_view text, const char* encoding);

// Every regular file below `folder`, relative and sorted, with "/" separators.
std::vector<std::string> ListFiles(const std::filesystem::path& folder);

} // namespace lumarin::engine::test
