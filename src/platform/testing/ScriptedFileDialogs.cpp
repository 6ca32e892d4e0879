// SPDX-License-Identifier: MIT
#include "platform/testing/ScriptedFileDialogs.h"

namespace lumarin::platform::testing {

std::u16string ScriptedFileDialogs::Next(std::deque<std::u16string>& script) {
    if (script.empty()) return {};
    std::u16string answer = std::move(script.front());
    script.pop_front();
    return answer;
}

std::u16string ScriptedFileDialogs::OpenFile(HWND owner, const std::u16string& title,
                                             const std::u16string& startFolder,
                                             const Filter& filter) {
    m_openCalls.push_back(Call{owner, title, startFolder, filter});
    return Next(m_files);
}

std::u16string ScriptedFileDialogs::SaveFile(HWND owner, const std::u16string& title,
                                             const std::u16string& startPath,
                                             const Filter& filter) {
    m_saveCalls.push_back(Call{owner, title, startPath, filter});
    return Next(m_saves);
}

std::u16string ScriptedFileDialogs::BrowseFolder(HWND owner, const std::u16string& title,
                                                 const std::u16string& startFolder) {
    m_browseCalls.push_back(Call{owner, title, startFolder, {}});
    return Next(m_folders);
}

} // namespace lumarin::platform::testing
