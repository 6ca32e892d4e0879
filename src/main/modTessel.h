// SPDX-License-Identifier: MIT
#pragma once
// The file and folder choosers of the main window.

#include "platform/WinTypes.h"

#include <initializer_list>
#include <string>

namespace lumarin::app {

// The open-file chooser for the source text, opening in startFolder.
// Returns the full path, or an empty string when cancelled.
std::u16string ShowOpenDialog(platform::HWND owner, const std::u16string& startFolder);

// A picture for a book's cover; empty when cancelled.
std::u16string ShowCoverDialog(platform::HWND owner, const std::u16string& startFolder);

// The folder chooser. A trailing "/" is removed from strInitialFolder (the
// caller's variable too). Returns the chosen folder without a trailing "/",
// or an empty string when cancelled.
std::u16string BrowseFolder(platform::HWND owner, std::u16string& strInitialFolder);

// The folder a file path lies in, or empty when the path names no file or
// folder with an absolute path.
std::u16string FolderOf(const std::u16string& path);

// Where a chooser opens: the first candidate that is an existing folder with an
// absolute path, else the user's home folder.
std::u16string FirstExistingFolder(std::initializer_list<std::u16string> candidates);

} // namespace lumarin::app
