// SPDX-License-Identifier: MIT
#include "engine/output/OutputDirectory.h"

#include "engine/base/EngineError.h"
#include "engine/output/OpenHook.h"
#include "engine/source/BookFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumarin::engine {
namespace {

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
    if (error == ELOOP) throw EngineError::symbolicLink(path.string());
    throw EngineError::writeFailed(path.string(), std::strerror(error));
}

// Makes the folder `name` inside `parent` and opens it, never through a link.
int MakeFolderAt(int parent, const std::string& name, const std::filesystem::path& shown) {
    if (::mkdirat(parent, name.c_str(), 0777) != 0 && errno != EEXIST) Fail(shown, errno);
    if (BeforeOpenForTesting()) BeforeOpenForTesting()(name);
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        // With O_DIRECTORY a link put there since is "not a directory": say what it is.
        const int error = errno;
        struct stat info {};
        if (error == ENOTDIR && ::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(info.st_mode))
            throw EngineError::symbolicLink(shown.string());
        Fail(shown, error);
    }
    return fd;
}

// Leaves the marker that tells a listing of books this folder holds chapter files (BookFiles).
// One already there, whatever it is, is left as it is: it is never opened.
void MarkChapterFolder(int folder, const std::filesystem::path& shown) {
    constexpr std::string_view kText =
        "lumarin 写出的章节文件夹：lumarin-split -R 不会把其中的文件当作书。\n";
    const std::string name(kChapterFolderMarker);
    const int fd = ::openat(folder, name.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return;
        Fail(shown / name, errno);
    }
    const bool written = ::write(fd, kText.data(), kText.size()) == static_cast<ssize_t>(kText.size());
    const int error = errno;
    if (::close(fd) != 0 || !written) Fail(shown / name, written ? errno : error);
}

} // namespace

int MakeChosenFolder(const std::filesystem::path& folder, const std::filesystem::path& shown) {
    std::filesystem::path prefix;
    for (const auto& part : folder) {
        prefix /= part;
        if (::mkdir(prefix.c_str(), 0777) == 0 || errno == EEXIST) continue;
        const int error = errno;
        struct stat info {};
        if (::stat(prefix.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
            throw EngineError::writeFailed(shown.string(), std::strerror(error));
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw EngineError::writeFailed(shown.string(), std::strerror(errno));
    return fd;
}

OutputDirectory::OutputDirectory(const OutputPlan& plan) : m_plan(plan) {
    const int chosen = MakeChosenFolder(plan.chosenFolder, plan.outputFolder);
    try {
        m_output = MakeFolderAt(chosen, plan.stem, plan.outputFolder);
        // One run writes a book's folder at a time; a second is refused, not queued,
        // so that neither a window nor a script is left waiting without a word.
        if (::flock(m_output, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(m_output);
            m_output = -1;
            if (error == EWOULDBLOCK) throw EngineError::outputBusy(plan.outputFolder.string());
            Fail(plan.outputFolder, error);
        }
        MarkChapterFolder(m_output, plan.outputFolder);
    } catch (...) {
        if (m_output >= 0) ::close(m_output);
        ::close(chosen);
        throw;
    }
    ::close(chosen);
}

OutputDirectory::~OutputDirectory() {
    if (m_group >= 0) ::close(m_group);
    if (m_output >= 0) ::close(m_output);
}

int OutputDirectory::folderFor(const PlannedFile& file) {
    if (file.group < 0) return m_output;
    if (m_group < 0 || file.group != m_groupNumber) {
        if (m_group >= 0) ::close(m_group);
        m_group = -1;
        m_group = MakeFolderAt(m_output, file.folder, m_plan.outputFolder / file.folder);
        m_groupNumber = file.group;
    }
    return m_group;
}

} // namespace lumarin::engine
