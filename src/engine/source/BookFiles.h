// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace lumarin::engine {

// A name ending in ".txt" in any letter case: "BOOK.TXT" is a book too.
bool HasTextExtension(const std::filesystem::path& name);

// The books of a folder: its .txt files (not folders with such names), sorted by path, and
// with `recursive` those of its sub-folders too. Links to folders are not entered, so a loop
// of links cannot hold a listing; a folder that cannot be listed is named with its reason,
// and the books around it are still found.
struct FolderBooks {
    struct Unreadable {
        std::filesystem::path folder;
        std::error_code reason;
    };
    std::vector<std::filesystem::path> books;
    std::vector<Unreadable> unreadable;
};

FolderBooks ListBooks(const std::filesystem::path& folder, bool recursive);

} // namespace lumarin::engine
