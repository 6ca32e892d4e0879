// SPDX-License-Identifier: MIT
#include "cli/TocFile.h"

#include <cerrno>
#include <sys/stat.h>

namespace lumarin::cli {

engine::ReviewFile ReadTocFile(const std::string& path) {
    struct stat info {};
    // "-" is standard input, which the engine refuses by name.
    if (path != "-" && ::lstat(path.c_str(), &info) != 0 && errno == ENOENT)
        throw TocFileError("--toc: no such file: " + path);
    return engine::ReadReviewFile(path);
}

} // namespace lumarin::cli
