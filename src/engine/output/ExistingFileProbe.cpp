// SPDX-License-Identifier: MIT
// The disk looked at for a plan, before anything is written: what is already
// where the plan's files and folders go.
#include "engine/output/ExistingFileProbe.h"

#include "engine/base/EngineError.h"
#include "engine/output/ChapterFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace lumarin::engine {
namespace {

enum class Presence { Missing, Folder, File, Link, HardLink };

// What is at `path`, without following a link in its last part.
Presence Look(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return Presence::Missing;
        throw EngineError::writeFailed(path.string(), std::strerror(errno));
    }
    if (S_ISLNK(info.st_mode)) return Presence::Link;
    if (S_ISDIR(info.st_mode)) return Presence::Folder;
    return HasOtherNames(info) ? Presence::HardLink : Presence::File;
}

// Whether a folder of the plan can be entered: missing (made later) or a real folder.
bool FolderExists(const std::filesystem::path& folder) {
    switch (Look(folder)) {
    case Presence::Missing:
        return false;
    case Presence::Folder:
        return true;
    case Presence::Link:
        throw EngineError::symbolicLink(folder.string());
    case Presence::File:
    case Presence::HardLink:
        break;
    }
    throw EngineError::writeFailed(folder.string(), std::strerror(ENOTDIR));
}

// Whatever way a planned path reaches it (links included), it must not be the source.
void RefuseTheSource(const OutputPlan& plan, const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && plan.stamp.sameFile(info.st_dev, info.st_ino))
        throw EngineError::writesToSource(path.string());
}

} // namespace

std::vector<ExistingFile> FindExistingFiles(const OutputPlan& plan) {
    for (std::int32_t f = 0; f < plan.fileCount; ++f) {
        const PlannedFile file = PlannedFileAt(plan, f);
        if (file.firstOpen) RefuseTheSource(plan, PathOf(plan, file));
    }
    std::vector<ExistingFile> found;
    if (!FolderExists(plan.outputFolder)) return found;
    std::int32_t group = -1;
    bool groupExists = true;
    for (std::int32_t f = 0; f < plan.fileCount; ++f) {
        const PlannedFile file = PlannedFileAt(plan, f);
        if (file.group != group) {
            group = file.group;
            groupExists = group < 0 || FolderExists(plan.outputFolder / file.folder);
        }
        if (!groupExists || !file.firstOpen) continue;
        switch (Look(PathOf(plan, file))) {
        case Presence::Missing:
            break;
        case Presence::Link:
            found.push_back({f, ExistingFile::Kind::SymbolicLink});
            break;
        case Presence::HardLink:
            found.push_back({f, ExistingFile::Kind::HardLink});
            break;
        case Presence::Folder:
        case Presence::File:
            found.push_back({f, ExistingFile::Kind::File});
            break;
        }
    }
    return found;
}

} // namespace lumarin::engine
