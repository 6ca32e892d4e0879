// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include "platform/Services.h"
#include "platform/WindowHost.h"

namespace lumarin::platform::test {

namespace {

std::vector<HWND>& Created() {
    static std::vector<HWND> windows;
    return windows;
}

} // namespace

std::vector<Message>& MessageLog() {
    static std::vector<Message> log;
    return log;
}

std::vector<UINT> MessagesTo(HWND hwnd) {
    std::vector<UINT> result;
    for (const Message& m : MessageLog()) {
        if (m.hwnd == hwnd) result.push_back(m.msg);
    }
    return result;
}

std::vector<Message> MessagesOf(HWND hwnd, UINT msg) {
    std::vector<Message> result;
    for (const Message& m : MessageLog()) {
        if (m.hwnd == hwnd && m.msg == msg) result.push_back(m);
    }
    return result;
}

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MessageLog().push_back(Message{hwnd, msg, wParam, lParam});
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void WindowTest::SetUp() {
    WNDCLASS wc;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = kRecordingClass;
    ASSERT_NE(RegisterClass(wc), 0);
    MessageLog().clear();
    SetLastError(ERROR_SUCCESS);
}

void WindowTest::TearDown() {
    for (HWND hwnd : Created()) {
        if (IsWindow(hwnd)) {
            AttachWindowHost(hwnd, nullptr);
            DestroyWindow(hwnd);
        }
    }
    Created().clear();
    ResetSystemSettings();
    MessageLog().clear();
}

HWND WindowTest::Create(LONG style, DWORD exStyle, int width, int height, HWND parent) {
    const HWND hwnd =
        CreateWindowEx(exStyle, kRecordingClass, u"", style, 0, 0, width, height, parent, 0);
    EXPECT_NE(hwnd, 0);
    Created().push_back(hwnd);
    return hwnd;
}

} // namespace lumarin::platform::test
