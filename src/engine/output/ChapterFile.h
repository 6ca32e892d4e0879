// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

struct stat;

namespace lumarin::engine {

struct SourceStamp;

// A regular file that has another name too (a hard link): writing to it
// changes the file under that other name as well.
bool HasOtherNames(const struct stat& info);

// How a chapter file is opened.
enum class OpenMode {
    Append,    // add to whatever is there
    StartOver, // empty the file first; a link there (either kind) is removed, not followed
    New,       // the file must not exist yet
};

// One output file, opened inside an open folder without following a link
// (created when missing), written at its end through a bounded buffer. An
// empty file first gets `byteOrderMark`. What was opened is judged on the
// open descriptor before a byte changes: it must be a regular file with no
// other name, and not `source`; only then is a StartOver file emptied. So no
// link or rename made by another process between a look and the open can
// make it empty or add to any other file. Every failure throws EngineError:
// "无法写入: " + path + ": " + reason, "... is a symbolic link" for a link,
// "... is a hard link" for a file that has another name, "... is the source
// file", and "输出文件已存在: " + path when a New file is there after all.
class ChapterFile {
public:
    ChapterFile(int folder, const std::string& name, const std::filesystem::path& shownPath,
                std::string_view byteOrderMark, OpenMode mode, const SourceStamp* source = nullptr);

    ~ChapterFile();
    ChapterFile(const ChapterFile&) = delete;
    ChapterFile& operator=(const ChapterFile&) = delete;

    // The buffer the next line goes into; flushed by commit() when full.
    std::string& buffer() noexcept { return m_buffer; }
    void commit();

    // Writes what is buffered and closes; failures of either are reported.
    void close();

    // Takes back what this file was opened for, when a run is cancelled: a
    // file that held text before it was opened for adding is cut back to that
    // text; any other (new, started over, empty) is removed. Nothing is reported.
    void abandon() noexcept;

private:
    void flush();
    struct stat judgeOpenFile(const SourceStamp* source) const;
    [[noreturn]] void fail(int error) const;

    std::filesystem::path m_path;
    int m_folder; // not owned
    std::string m_name;
    off_t m_keptSize = 0; // what an added-to file held before; 0: the file goes on abandon()
    int m_fd = -1;
    std::string m_buffer;
};

} // namespace lumarin::engine
