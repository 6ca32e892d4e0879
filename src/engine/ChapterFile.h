#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumarin::engine {

// One output file opened for appending (created when missing), written
// through a bounded buffer. A new, empty file first gets `byteOrderMark`.
// Every failure throws EngineError "无法写入: " + path + ": " + reason.
class ChapterFile {
public:
    ChapterFile(const std::filesystem::path& path, std::string_view byteOrderMark);
    ~ChapterFile();
    ChapterFile(const ChapterFile&) = delete;
    ChapterFile& operator=(const ChapterFile&) = delete;

    // The buffer the next line goes into; flushed by commit() when full.
    std::string& buffer() noexcept { return m_buffer; }
    void commit();

    // Writes what is buffered and closes; failures of either are reported.
    void close();

private:
    void flush();
    [[noreturn]] void fail(int error) const;

    std::filesystem::path m_path;
    int m_fd = -1;
    std::string m_buffer;
};

} // namespace lumarin::engine
