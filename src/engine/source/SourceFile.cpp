// SPDX-License-Identifier: MIT
#include "engine/source/SourceFile.h"

#include "engine/base/EngineError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

} // namespace

SourceFile::SourceFile(const std::filesystem::path& path) : m_path(path) {
    // Non-blocking, so that opening a FIFO without a writer returns and can be refused.
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) throw EngineError::noSuchFile();
        throw EngineError::readFailed(path.string(), Reason(error));
    }
    // Devices and pipes may never end (/dev/zero) and cannot be read twice.
    struct stat info {};
    std::string reason;
    if (::fstat(m_fd, &info) != 0)
        reason = Reason(errno);
    else if (S_ISDIR(info.st_mode))
        reason = Reason(EISDIR);
    else if (!S_ISREG(info.st_mode))
        reason = "Not a regular file";
    else if (::fcntl(m_fd, F_SETFL, 0) != 0)
        reason = Reason(errno);
    if (!reason.empty()) {
        ::close(m_fd);
        m_fd = -1;
        throw EngineError::readFailed(path.string(), reason);
    }
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
}

SourceFile::~SourceFile() {
    if (m_fd >= 0) ::close(m_fd);
}

SourceStamp SourceFile::stamp() const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) throw EngineError::readFailed(m_path.string(), Reason(errno));
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
    };
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size), nanoseconds(info.st_mtim),
            nanoseconds(info.st_ctim)};
}

std::size_t SourceFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw EngineError::readFailed(m_path.string(), Reason(errno));
    }
}

void SourceFile::rewind() {
    if (::lseek(m_fd, 0, SEEK_SET) != 0)
        throw EngineError::readFailed(m_path.string(), Reason(errno));
}

} // namespace lumarin::engine
