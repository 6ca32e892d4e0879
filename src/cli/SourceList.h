// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumarin::cli {

// One book of a run: a file to split, or a source that failed before any book was read from it
// (a folder that cannot be listed or holds no .txt file), with its message and exit status.
struct SourceEntry {
    std::filesystem::path path;
    std::string failure; // empty: a book to run
    int exitStatus = 0;
};

struct SourceList {
    std::vector<SourceEntry> books;
    // Sub-folders not entered because they hold the chapters of a book beside them.
    std::vector<std::filesystem::path> chapterFolders;
};

// The books named on the command line, in order: a file stands for itself (whatever its name,
// and also when it does not exist, so that the run says so), a folder for its .txt files (any
// letter case) sorted by name, and with `recursive` those of its sub-folders too (links to
// folders are not entered, so a loop of links cannot hold the run, nor are the folders of
// chapters written beside their books).
SourceList ExpandSources(const std::vector<std::string>& sources, bool recursive);

// Whether these sources make a run of several books: more than one, or any folder.
bool NamesSeveralBooks(const std::vector<std::string>& sources);

} // namespace lumarin::cli
