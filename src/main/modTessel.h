#pragma once
// The file and folder choosers of the main window.

#include "platform/WinTypes.h"

#include <string>

namespace lumarin::app {

// The open-file chooser for the source text, starting in the program's folder.
// Returns the full path, or an empty string when cancelled.
std::u16string ShowOpenDialog(platform::HWND owner);

// The folder chooser. A trailing "/" is removed from strInitialFolder (the
// caller's variable too). Returns the chosen folder without a trailing "/",
// or an empty string when cancelled.
std::u16string BrowseFolder(platform::HWND owner, std::u16string& strInitialFolder);

// The folder the program runs from.
std::u16string ProgramFolder();

} // namespace lumarin::app
