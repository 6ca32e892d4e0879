// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace lumarin::engine {

// The folder made for a source's chapters: its file name up to the last "."
// ("_chapters" appended when the name has none, or when the rest would be
// empty, "." or "..", which would name a folder that is already there).
std::string FolderStem(const std::filesystem::path& source);

// The file the output puts in every folder of chapter files it makes, so that a listing of
// books can tell the folders this program wrote, wherever they are, from folders of books.
inline constexpr std::string_view kChapterFolderMarker = ".lumarin-chapters";

// A name ending in ".txt" in any letter case: "BOOK.TXT" is a book too.
bool HasTextExtension(const std::filesystem::path& name);

// The books of a folder: its .txt files (not folders with such names), sorted by path, and
// with `recursive` those of its sub-folders too. Links to folders are not entered, so a loop
// of links cannot hold a listing; a folder that cannot be listed is named with its reason,
// and the books around it are still found. A sub-folder that holds the chapter files of a book
// (it holds kChapterFolderMarker, or it is named as a book beside it, FolderStem, as folders
// written before the marker are) is not entered either, and is named, so that splitting a
// library twice does not split the first run's chapter files as books.
struct FolderBooks {
    struct Unreadable {
        std::filesystem::path folder;
        std::error_code reason;
    };
    std::vector<std::filesystem::path> books;
    std::vector<Unreadable> unreadable;
    std::vector<std::filesystem::path> chapterFolders;
};

FolderBooks ListBooks(const std::filesystem::path& folder, bool recursive);

} // namespace lumarin::engine
