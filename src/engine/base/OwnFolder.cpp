// SPDX-License-Identifier: MIT
#include "engine/base/OwnFolder.h"

#include "engine/base/EngineError.h"
#include "engine/base/FileDescriptor.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

// With O_NOFOLLOW, a link in the file's place is what ELOOP means.
std::string Reason(int error, int flags) {
    if (error == ELOOP && (flags & O_NOFOLLOW) != 0) return "是符号链接";
    return std::strerror(error);
}

std::string LimitText(std::size_t limit) {
    constexpr std::size_t kMiB = 1024 * 1024;
    return limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MB"
                             : std::to_string(limit) + " 字节";
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            if (put == 0) errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// A name no other writer picks: the process and a random part.
std::string TemporaryName(const std::string& name) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    return "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(random() >> 16) +
           ".tmp";
}

// Reads `name` in `folder` (a descriptor, or AT_FDCWD); `flags` are added to the opening's.
std::string ReadAt(int folder, const std::string& name, int flags, const std::string& shown,
                   std::size_t limit) {
    // Not blocking: a FIFO opens at once, and is then refused as no regular file.
    const FileDescriptor file(
        ::openat(folder, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | flags));
    if (file.get() < 0) throw EngineError::readFailed(shown, Reason(errno, flags));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) throw EngineError::readFailed(shown, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) throw EngineError::readFailed(shown, "不是普通文件");
    const std::string tooLarge = "超过 " + LimitText(limit);
    if (static_cast<std::size_t>(info.st_size) > limit) throw EngineError::readFailed(shown, tooLarge);
    // A file that grows while it is read still stops at the limit.
    std::string bytes;
    std::array<char, 64 * 1024> block{};
    for (;;) {
        const ssize_t got = ::read(file.get(), block.data(), block.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw EngineError::readFailed(shown, std::strerror(errno));
        if (got == 0) return bytes;
        if (bytes.size() + static_cast<std::size_t>(got) > limit)
            throw EngineError::readFailed(shown, tooLarge);
        bytes.append(block.data(), static_cast<std::size_t>(got));
    }
}

} // namespace

OwnFolder::OwnFolder(const std::filesystem::path& folder, bool create) : m_path(folder) {
    if (create) {
        std::error_code error;
        std::filesystem::create_directories(folder.parent_path(), error);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            throw EngineError::writeFailed(folder.string(), std::strerror(errno));
    }
    // The folder itself may not be a link: whatever it points to is no folder of ours.
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (m_fd >= 0) return;
    const int error = errno;
    std::error_code ignored;
    const bool link = error == ELOOP || (error == ENOTDIR && std::filesystem::is_symlink(folder, ignored));
    if (link && create) throw EngineError::symbolicLink(folder.string());
    throw EngineError::readFailed(folder.string(), link ? "是符号链接" : std::strerror(error));
}

OwnFolder::~OwnFolder() {
    if (m_fd >= 0) ::close(m_fd);
}

bool OwnFolder::has(const std::string& name) const {
    struct stat info {};
    return ::fstatat(m_fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
}

std::string OwnFolder::read(const std::string& name, std::size_t limit) const {
    return ReadAt(m_fd, name, O_NOFOLLOW, (m_path / name).string(), limit);
}

void OwnFolder::replace(const std::string& name, std::string_view bytes) const {
    const std::string shown = (m_path / name).string();
    const std::string temporary = TemporaryName(name);
    const int fd = ::openat(m_fd, temporary.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throw EngineError::writeFailed(shown, std::strerror(errno));
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed ||
        ::renameat(m_fd, temporary.c_str(), m_fd, name.c_str()) != 0) {
        const int error = !written ? writeError : errno;
        ::unlinkat(m_fd, temporary.c_str(), 0);
        throw EngineError::writeFailed(shown, std::strerror(error));
    }
}

bool OwnFolder::remove(const std::string& name) const {
    return ::unlinkat(m_fd, name.c_str(), 0) == 0;
}

} // namespace lumarin::engine
