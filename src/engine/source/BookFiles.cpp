// SPDX-License-Identifier: MIT
#include "engine/source/BookFiles.h"

#include <algorithm>

namespace lumarin::engine {

namespace fs = std::filesystem;

bool HasTextExtension(const fs::path& name) {
    const std::string ending = name.extension().string();
    constexpr std::string_view kTxt = ".txt";
    return ending.size() == kTxt.size() &&
           std::equal(kTxt.begin(), kTxt.end(), ending.begin(), [](char want, char c) {
               return want == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
           });
}

namespace {

void Collect(const fs::path& folder, bool recursive, FolderBooks& found) {
    std::error_code error;
    std::vector<fs::path> subfolders;
    fs::directory_iterator it(folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code ignored; // an entry that vanished meanwhile is simply no book
        const bool isFolder = it->is_directory(ignored);
        if (!isFolder && HasTextExtension(it->path().filename())) {
            found.books.push_back(it->path());
        } else if (recursive && isFolder && !it->is_symlink(ignored)) {
            subfolders.push_back(it->path());
        }
    }
    if (error) found.unreadable.push_back({folder, error});
    for (const fs::path& subfolder : subfolders) {
        Collect(subfolder, recursive, found);
    }
}

} // namespace

FolderBooks ListBooks(const fs::path& folder, bool recursive) {
    FolderBooks found;
    Collect(folder, recursive, found);
    std::sort(found.books.begin(), found.books.end());
    return found;
}

} // namespace lumarin::engine
