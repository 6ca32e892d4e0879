// SPDX-License-Identifier: MIT
#pragma once
// Data carried by a drag-and-drop: a list of files and/or text.
// A drop notification (WM_OLEDRAG*) carries a DropInfo* in lParam.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

namespace lumarin::platform {

inline constexpr int vbCFText = 1;
inline constexpr int vbCFFiles = 15;

inline constexpr DWORD vbDropEffectNone = 0;
inline constexpr DWORD vbDropEffectCopy = 1;
inline constexpr DWORD vbDropEffectMove = 2;

class DataObject {
public:
    DataObject() = default;
    explicit DataObject(std::vector<std::u16string> files) : m_files(std::move(files)) {}

    bool GetFormat(int format) const;
    const std::vector<std::u16string>& Files() const { return m_files; }
    const std::u16string& Text() const { return m_text; }
    void SetFiles(std::vector<std::u16string> files) { m_files = std::move(files); }
    void SetText(std::u16string text) { m_text = std::move(text); }

private:
    std::vector<std::u16string> m_files;
    std::u16string m_text;
};

struct DropInfo {
    DataObject* data = nullptr;
    DWORD effect = vbDropEffectCopy; // in/out
    int button = 0;                  // 1 left, 2 right, 4 middle
    int shift = 0;                   // 1 Shift, 2 Ctrl, 4 Alt
    POINT pt;                        // client coordinates
    int state = 0;                   // for WM_OLEDRAGOVER: 0 enter, 1 leave, 2 over
};

} // namespace lumarin::platform
