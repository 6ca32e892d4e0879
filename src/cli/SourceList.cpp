// SPDX-License-Identifier: MIT
#include "cli/SourceList.h"

#include "engine/base/EngineError.h"
#include "engine/base/ExitCode.h"
#include "engine/base/TextUtil.h"
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

void AddFolder(const fs::path& folder, bool recursive, SourceList& list) {
    engine::FolderBooks found = engine::ListBooks(folder, recursive);
    list.chapterFolders.insert(list.chapterFolders.end(), found.chapterFolders.begin(),
                               found.chapterFolders.end());
    if (found.books.empty() && found.unreadable.empty()) {
        list.books.push_back({folder,
                              engine::ToUtf8(u"文件夹中没有 .txt 文件: " +
                                             engine::ShownPath(folder.string())),
                              static_cast<int>(ExitCode::Refused)});
        return;
    }
    for (auto& book : found.books) {
        list.books.push_back({std::move(book), {}, 0});
    }
    for (const auto& [unreadable, reason] : found.unreadable) {
        list.books.push_back(
            {unreadable,
             engine::EngineError::readFailed(unreadable.string(), reason.message()).what(),
             static_cast<int>(ExitCode::IoFailure)});
    }
}

} // namespace

SourceList ExpandSources(const std::vector<std::string>& sources, bool recursive) {
    SourceList list;
    for (const std::string& source : sources) {
        if (IsFolder(source)) {
            AddFolder(source, recursive, list);
        } else {
            list.books.push_back({source, {}, 0});
        }
    }
    return list;
}

bool NamesSeveralBooks(const std::vector<std::string>& sources) {
    return sources.size() > 1 || std::any_of(sources.begin(), sources.end(),
                                             [](const std::string& s) { return IsFolder(s); });
}

} // namespace lumarin::cli
