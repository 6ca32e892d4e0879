// SPDX-License-Identifier: MIT
#include "engine/source/SmallFile.h"

#include "engine/base/EngineError.h"
#include "engine/base/FileDescriptor.h"
#include "engine/base/TextUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

// Standard input is no file to read, whatever it is connected to.
constexpr std::string_view kStandardInput = "-";

std::u16string_view Kind(mode_t mode) {
    if (S_ISDIR(mode)) return u"文件夹";
    if (S_ISFIFO(mode)) return u"命名管道";
    if (S_ISSOCK(mode)) return u"套接字";
    return u"设备";
}

} // namespace

std::string ReadSmallFile(const std::filesystem::path& path, std::int64_t largestBytes,
                          std::u16string_view what) {
    if (path == kStandardInput) throw EngineError::notRegularFile(path.string(), u"标准输入");
    // Non-blocking: a FIFO without a writer opens at once, and is refused below.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) throw EngineError::readFailed(path.string(), std::strerror(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        throw EngineError::readFailed(path.string(), std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        throw EngineError::notRegularFile(path.string(), Kind(info.st_mode));
    if (info.st_size > largestBytes)
        throw EngineError::fileTooLarge(
            what, path.string(), u"上限" + ToU16Decimal(largestBytes / (1024 * 1024)) + u" MB");
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw EngineError::readFailed(path.string(), std::strerror(errno));
        if (got == 0) break; // shorter than it was: what is there is the file
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace lumarin::engine
