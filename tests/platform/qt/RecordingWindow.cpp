// SPDX-License-Identifier: MIT
#include "RecordingWindow.h"

#include "platform/Window.h"

#include <QTest>
#include <algorithm>
#include <map>

namespace lumarin::platform::qt::hosttest {

namespace {

const std::u16string kClassName = u"Lumarin.HostTest";

std::map<HWND, RecordingWindow*>& Windows() {
    static std::map<HWND, RecordingWindow*> windows;
    return windows;
}

// CreateWindowEx sends its first messages before the handle is known here.
RecordingWindow* g_creating = nullptr;

} // namespace

RecordingWindow::RecordingWindow(LONG style, DWORD exStyle, int width, int height) {
    WNDCLASS wc;
    wc.lpfnWndProc = &RecordingWindow::Proc;
    wc.lpszClassName = kClassName;
    RegisterClass(wc);
    g_creating = this;
    m_hwnd =
        CreateWindowEx(exStyle, kClassName, u"", style | WS_VISIBLE, 0, 0, width, height, 0, 0);
    g_creating = nullptr;
    Windows()[m_hwnd] = this;
    m_host = std::make_unique<WindowHostWidget>(m_hwnd);
    m_host->show();
    static_cast<void>(QTest::qWaitForWindowExposed(m_host.get()));
}

RecordingWindow::~RecordingWindow() {
    m_host.reset();
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    Windows().erase(m_hwnd);
}

LRESULT RecordingWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto it = Windows().find(hwnd);
    RecordingWindow* self = it != Windows().end() ? it->second : g_creating;
    if (self == nullptr) return DefWindowProc(hwnd, msg, wParam, lParam);
    self->m_messages.push_back({msg, wParam, lParam});
    if (msg >= WM_OLEDRAGENTER && msg <= WM_OLEDRAGDROP) {
        const auto* info = reinterpret_cast<const DropInfo*>(lParam);
        self->m_drops.push_back(
            {msg, info->data != nullptr ? info->data->Files() : std::vector<std::u16string>{},
             info->button, info->shift, info->pt, info->state});
    }
    LRESULT result = 0;
    if (self->react && self->react(msg, wParam, lParam, result)) return result;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

std::vector<Message> RecordingWindow::messages(UINT msg) const {
    std::vector<Message> out;
    std::copy_if(m_messages.begin(), m_messages.end(), std::back_inserter(out),
                 [msg](const Message& m) { return m.msg == msg; });
    return out;
}

std::vector<UINT> RecordingWindow::sequence(std::initializer_list<UINT> kinds) const {
    std::vector<UINT> out;
    for (const Message& m : m_messages)
        if (std::find(kinds.begin(), kinds.end(), m.msg) != kinds.end()) out.push_back(m.msg);
    return out;
}

void RecordingWindow::clear() {
    m_messages.clear();
    m_drops.clear();
}

} // namespace lumarin::platform::qt::hosttest
