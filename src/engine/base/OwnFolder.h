// SPDX-License-Identifier: MIT
#pragma once
// A folder of the program's own small files (saved reviews): nothing in it is
// taken on trust. A link in the folder's place or in a file's place is
// refused rather than followed, a FIFO or a device is never opened for
// reading (so nothing blocks), a file is read up to a limit only, and a file
// is replaced whole: written under a temporary name and renamed over the old
// one, so a reader never sees half of it and a planted link is replaced, not
// written through.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumarin::engine {

class OwnFolder {
public:
    // Opens `folder`, making it (and its parents) first when `create`. Throws
    // EngineError when it cannot be opened or is a link: WriteFailed when
    // `create`, else ReadFailed.
    OwnFolder(const std::filesystem::path& folder, bool create);
    ~OwnFolder();
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return m_path; }

    // Whether anything at all (a link too) has this name.
    bool has(const std::string& name) const;
    // The whole regular file `name`, of at most `limit` bytes. Throws
    // EngineError (ReadFailed) for a link, anything but a regular file, a
    // larger file, or a failed read.
    std::string read(const std::string& name, std::size_t limit) const;
    // Puts `bytes` in the place of `name`, whatever was there (a link is
    // replaced, never followed). Throws EngineError (WriteFailed); then `name`
    // is as it was.
    void replace(const std::string& name, std::string_view bytes) const;
    // Removes `name` (a link itself, not what it points to); false when nothing was there.
    bool remove(const std::string& name) const;

private:
    std::filesystem::path m_path;
    int m_fd = -1;
};

} // namespace lumarin::engine
