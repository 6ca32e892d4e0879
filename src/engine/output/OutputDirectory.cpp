// SPDX-License-Identifier: MIT
#include "engine/output/OutputDirectory.h"

#include "engine/base/EngineError.h"

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
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) Fail(shown, errno);
    return fd;
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
    } catch (...) {
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
