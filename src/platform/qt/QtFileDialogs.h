// SPDX-License-Identifier: MIT
#pragma once
// File and folder choosers through QFileDialog.

#include "platform/Services.h"

#include <QString>

namespace lumarin::platform::qt {

class QtFileDialogs final : public IFileDialogs {
public:
    using Filter = std::vector<std::pair<std::u16string, std::u16string>>;

    std::u16string SaveFile(HWND owner, const std::u16string& title,
                            const std::u16string& startPath, const Filter& filter) override;
    std::u16string OpenFile(HWND owner, const std::u16string& title,
                            const std::u16string& startFolder, const Filter& filter) override;
    std::u16string BrowseFolder(HWND owner, const std::u16string& title,
                                const std::u16string& startFolder) override;

    // (caption, "*.txt;*.log") pairs as a QFileDialog filter: one line per pair,
    // "caption (*.txt *.log)"; a caption that already ends in its pattern list
    // keeps it, and "*.*" means every file.
    static QString QtFilter(const Filter& filter);
};

} // namespace lumarin::platform::qt
