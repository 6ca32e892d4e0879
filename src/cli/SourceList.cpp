// SPDX-License-Identifier: MIT
#include "cli/SourceList.h"

#include "engine/base/EngineError.h"
#include "engine/base/ExitCode.h"
#include "engine/source/BookFiles.h"

#include <algorithm>

namespace lumarin::cli {

namespace fs = std::filesystem;
using engine::ExitCode;

namespace {

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

void AddFolder(const fs::path& folder, bool recursive, std::vector<SourceEntry>& entries) {
    engine::FolderBooks found = engine::ListBooks(folder, recursive);
    if (found.books.empty() && found.unreadable.empty()) {
        entries.push_back({folder, "文件夹中没有 .txt 文件: " + folder.string(),
                           static_cast<int>(ExitCode::Refused)});
        return;
    }
    for (auto& book : found.books) {
        entries.push_back({std::move(book), {}, 0});
    }
    for (const auto& [unreadable, reason] : found.unreadable) {
        entries.push_back(
            {unreadable,
             engine::EngineError::readFailed(unreadable.string(), reason.message()).what(),
             static_cast<int>(ExitCode::IoFailure)});
    }
}

} // namespace

std::vector<SourceEntry> ExpandSources(const std::vector<std::string>& sources, bool recursive) {
    std::vector<SourceEntry> entries;
    for (const std::string& source : sources) {
        if (IsFolder(source)) {
            AddFolder(source, recursive, entries);
        } else {
            entries.push_back({source, {}, 0});
        }
    }
    return entries;
}

bool NamesSeveralBooks(const std::vector<std::string>& sources) {
    return sources.size() > 1 || std::any_of(sources.begin(), sources.end(),
                                             [](const std::string& s) { return IsFolder(s); });
}

} // namespace lumarin::cli
