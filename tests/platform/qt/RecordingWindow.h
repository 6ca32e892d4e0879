// SPDX-License-Identifier: MIT
#pragma once
// A real platform window whose procedure records every message it receives
// (and the contents of drop notifications), shown by a WindowHostWidget.

#include "platform/DataObject.h"
#include "platform/WinTypes.h"
#include "platform/qt/WindowHostWidget.h"

#include <functional>
#include <memory>
#include <vector>

namespace lumarin::platform::qt::hosttest {

struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct DropRecord {
    UINT msg;
    std::vector<std::u16string> files;
    int button;
    int shift;
    POINT pt;
    int state;
};

class RecordingWindow {
public:
    RecordingWindow(LONG style, DWORD exStyle, int width = 200, int height = 150);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    WindowHostWidget& host() { return *m_host; }

    std::vector<Message> messages(UINT msg) const; // those of one kind, in order
    std::vector<UINT> sequence(std::initializer_list<UINT> kinds) const;
    const std::vector<DropRecord>& drops() const { return m_drops; }
    void clear();

    // Runs after recording; return true to answer with `result` instead of DefWindowProc.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT& result)> react;

private:
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = 0;
    std::unique_ptr<WindowHostWidget> m_host;
    std::vector<Message> m_messages;
    std::vector<DropRecord> m_drops;
};

} // namespace lumarin::platform::qt::hosttest
