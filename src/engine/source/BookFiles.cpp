// SPDX-License-Identifier: MIT
#include "engine/source/BookFiles.h"

#include <algorithm>
#include <set>

namespace lumarin::engine {

namespace fs = std::filesystem;

std::string FolderStem(const fs::path& source) {
    const std::string name = source.filename().string();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + "_chapters";
    std::string stem = name.substr(0, dot);
    // "..txt" and "...txt" would name the chosen folder itself or its parent.
    if (stem == "." || stem == "..") stem += "_chapters";
    return stem;
}

bool HasTextExtension(const fs::path& name) {
    const std::string ending = name.extension().string();
    constexpr std::string_view kTxt = ".txt";
    return ending.size() == kTxt.size() &&
           std::equal(kTxt.begin(), kTxt.end(), ending.begin(), [](char want, char c) {
               return want == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
           });
}

namespace {

bool HoldsChapterMarker(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_regular_file(fs::symlink_status(folder / kChapterFolderMarker, ignored));
}

void Collect(const fs::path& folder, bool recursive, FolderBooks& found) {
    std::error_code error;
    std::vector<fs::path> subfolders;
    std::set<std::string> chapterFolderNames;
    fs::directory_iterator it(folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code ignored; // an entry that vanished meanwhile is simply no book
        const bool isFolder = it->is_directory(ignored);
        if (!isFolder && HasTextExtension(it->path().filename())) {
            found.books.push_back(it->path());
            chapterFolderNames.insert(FolderStem(it->path()));
        } else if (recursive && isFolder && !it->is_symlink(ignored)) {
            subfolders.push_back(it->path());
        }
    }
    if (error) found.unreadable.push_back({folder, error});
    for (const fs::path& subfolder : subfolders) {
        if (chapterFolderNames.contains(subfolder.filename().string()) ||
            HoldsChapterMarker(subfolder)) {
            found.chapterFolders.push_back(subfolder);
        } else {
            Collect(subfolder, recursive, found);
        }
    }
}

} // namespace

FolderBooks ListBooks(const fs::path& folder, bool recursive) {
    FolderBooks found;
    Collect(folder, recursive, found);
    std::sort(found.books.begin(), found.books.end());
    std::sort(found.chapterFolders.begin(), found.chapterFolders.end());
    return found;
}

} // namespace lumarin::engine
