// SPDX-License-Identifier: MIT
#include "cli/TocFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumarin::cli {

engine::ReviewFile ReadTocFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw TocFileError("--toc: no such file: " + path);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad())
        throw TocFileError("--toc: cannot read " + path + ": " + std::strerror(errno));
    return engine::ParseReviewFile(text.str());
}

} // namespace lumarin::cli
