// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/SourceStamp.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace lumarin::engine {

// An open source file, read sequentially. Opening a missing file throws
// EngineError "无此文件!"; a folder, a device, a pipe, a permission problem or
// a failed read throws "无法读取文件: ...".
class SourceFile {
public:
    explicit SourceFile(const std::filesystem::path& path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    // Identity, size and times of the open file.
    SourceStamp stamp() const;
    const std::filesystem::path& path() const noexcept { return m_path; }

    // Reads up to `size` bytes; 0 at the end of the file.
    std::size_t read(char* buffer, std::size_t size);

    // Starts reading from the beginning again.
    void rewind();

private:
    std::filesystem::path m_path;
    int m_fd = -1;
};

} // namespace lumarin::engine
