// SPDX-License-Identifier: MIT
#include "engine/output/ChapterFile.h"

#include "engine/base/EngineError.h"
#include "engine/output/OpenHook.h"
#include "engine/source/SourceStamp.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

constexpr std::size_t kFlushAt = 256 * 1024;
// Room past the flush mark, so the line that crosses it rarely grows the buffer.
constexpr std::size_t kBufferSlack = 64 * 1024;

} // namespace

bool HasOtherNames(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink > 1;
}

ChapterFile::ChapterFile(int folder, const std::string& name,
                         const std::filesystem::path& shownPath, std::string_view byteOrderMark,
                         OpenMode mode, const SourceStamp* source)
    : m_path(shownPath), m_folder(folder), m_name(name) {
    // Non-blocking so that a FIFO without a reader fails instead of hanging the run.
    // Never O_TRUNC: a file is emptied only once the open descriptor shows it is ours.
    int flags = O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    if (mode == OpenMode::New) flags |= O_EXCL;
    if (mode == OpenMode::StartOver) {
        // A link of either kind is replaced by a new file: emptying it would empty its target.
        struct stat link {};
        if (::fstatat(folder, name.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISLNK(link.st_mode) || HasOtherNames(link)) &&
            ::unlinkat(folder, name.c_str(), 0) != 0)
            fail(errno);
    }
    if (BeforeOpenForTesting()) BeforeOpenForTesting()(name);
    m_fd = ::openat(folder, name.c_str(), flags, 0666);
    if (m_fd < 0) {
        if (errno == EEXIST) throw EngineError::outputExists(m_path.string());
        fail(errno);
    }
    try {
        const struct stat info = judgeOpenFile(source);
        if (mode == OpenMode::StartOver && info.st_size != 0 && ::ftruncate(m_fd, 0) != 0)
            fail(errno);
        if (mode == OpenMode::Append) m_keptSize = info.st_size;
        m_buffer.reserve(kFlushAt + kBufferSlack);
        if (mode == OpenMode::StartOver || info.st_size == 0) m_buffer.append(byteOrderMark);
    } catch (...) {
        ::close(m_fd);
        m_fd = -1;
        throw;
    }
}

// Whatever name led here, only a regular file that has this one name and is
// not the source may be written.
struct stat ChapterFile::judgeOpenFile(const SourceStamp* source) const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) fail(errno);
    if (!S_ISREG(info.st_mode))
        throw EngineError::writeFailed(m_path.string(), "Not a regular file");
    if (source != nullptr && source->sameFile(info.st_dev, info.st_ino))
        throw EngineError::writesToSource(m_path.string());
    if (HasOtherNames(info)) throw EngineError::hardLink(m_path.string());
    return info;
}

ChapterFile::~ChapterFile() {
    if (m_fd >= 0) ::close(m_fd); // only reached on the way out of a failure already reported
}

void ChapterFile::abandon() noexcept {
    m_buffer.clear();
    if (m_fd < 0) return;
    if (m_keptSize > 0) {
        (void)::ftruncate(m_fd, m_keptSize);
    } else {
        // Only while the name still leads to this file: it may have been replaced since.
        struct stat opened {}, named {};
        if (::fstat(m_fd, &opened) == 0 &&
            ::fstatat(m_folder, m_name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino)
            (void)::unlinkat(m_folder, m_name.c_str(), 0);
    }
    ::close(m_fd);
    m_fd = -1;
}

void ChapterFile::fail(int error) const {
    // With O_NOFOLLOW a link in the file's place is what ELOOP means.
    if (error == ELOOP) throw EngineError::symbolicLink(m_path.string());
    throw EngineError::writeFailed(m_path.string(), std::strerror(error));
}

void ChapterFile::commit() {
    if (m_buffer.size() >= kFlushAt) flush();
}

void ChapterFile::flush() {
    const char* data = m_buffer.data();
    std::size_t left = m_buffer.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    m_buffer.clear();
}

void ChapterFile::close() {
    flush();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) fail(errno);
}

} // namespace lumarin::engine
