// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/ReviewFile.h"

#include <string>

namespace lumarin::cli {

// A --toc file as read from disk. A name with no file is TocFileError (a
// usage error: nothing was analysed yet); a special file, one too large or one
// that is no review is the engine's refusal ("不是普通文件: ...", "目录文件无效: ...").
class TocFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

engine::ReviewFile ReadTocFile(const std::string& path);

} // namespace lumarin::cli
