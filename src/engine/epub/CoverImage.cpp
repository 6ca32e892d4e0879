// SPDX-License-Identifier: MIT
#include "engine/epub/CoverImage.h"

#include "engine/base/EngineError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

// A cover larger than this is not a cover.
constexpr off_t kLargestCover = 64 * 1024 * 1024;

constexpr std::string_view kJpegStart = "\xFF\xD8\xFF";
constexpr std::string_view kPngStart = "\x89PNG\r\n\x1A\n";

std::string ReadWhole(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) throw EngineError::readFailed(path.string(), std::strerror(errno));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        throw EngineError::readFailed(path.string(), std::strerror(error));
    }
    if (!S_ISREG(info.st_mode) || info.st_size > kLargestCover) {
        ::close(fd);
        if (S_ISREG(info.st_mode)) throw EngineError::notAnImage(path.string());
        throw EngineError::readFailed(path.string(), std::strerror(EISDIR));
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            const int error = got < 0 ? errno : EIO;
            ::close(fd);
            throw EngineError::readFailed(path.string(), std::strerror(error));
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return bytes;
}

} // namespace

CoverImage ReadCoverImage(const std::filesystem::path& path) {
    CoverImage cover;
    cover.bytes = ReadWhole(path);
    const std::string_view bytes = cover.bytes;
    if (bytes.starts_with(kJpegStart)) {
        cover.mediaType = "image/jpeg";
        cover.fileName = "images/cover.jpg";
    } else if (bytes.starts_with(kPngStart)) {
        cover.mediaType = "image/png";
        cover.fileName = "images/cover.png";
    } else {
        throw EngineError::notAnImage(path.string());
    }
    return cover;
}

} // namespace lumarin::engine
