// SPDX-License-Identifier: MIT
#pragma once
// File and folder choosers for tests: answer from a script (empty = cancelled
// once the script is used up) and record what they were asked.

#include "platform/Services.h"

#include <deque>
#include <vector>

namespace lumarin::platform::testing {

class ScriptedFileDialogs final : public IFileDialogs {
public:
    using Filter = std::vector<std::pair<std::u16string, std::u16string>>;
    struct Call {
        HWND owner = 0;
        std::u16string title;
        std::u16string startFolder;
        Filter filter; // empty for the folder chooser
    };

    std::u16string OpenFile(HWND owner, const std::u16string& title,
                            const std::u16string& startFolder, const Filter& filter) override;
    std::u16string BrowseFolder(HWND owner, const std::u16string& title,
                                const std::u16string& startFolder) override;

    std::u16string SaveFile(HWND owner, const std::u16string& title,
                            const std::u16string& startPath, const Filter& filter) override;

    void ScriptSaveFile(std::u16string path) { m_saves.push_back(std::move(path)); }
    const std::vector<Call>& SaveFileCalls() const { return m_saveCalls; }
    void ScriptOpenFile(std::u16string path) { m_files.push_back(std::move(path)); }
    void ScriptBrowseFolder(std::u16string path) { m_folders.push_back(std::move(path)); }
    const std::vector<Call>& OpenFileCalls() const { return m_openCalls; }
    const std::vector<Call>& BrowseFolderCalls() const { return m_browseCalls; }

private:
    static std::u16string Next(std::deque<std::u16string>& script);

    std::deque<std::u16string> m_files;
    std::deque<std::u16string> m_folders;
    std::deque<std::u16string> m_saves;
    std::vector<Call> m_saveCalls;
    std::vector<Call> m_openCalls;
    std::vector<Call> m_browseCalls;
};

} // namespace lumarin::platform::testing
