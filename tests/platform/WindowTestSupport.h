#pragma once
// Shared by the window tests: a class whose procedure records every message,
// and a fixture that destroys whatever a test left behind.

#include "platform/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumarin::platform::test {

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline constexpr char16_t kRecordingClass[] = u"Test.Recording";

std::vector<Message>& MessageLog();
// Messages (numbers only) that reached hwnd, in order.
std::vector<UINT> MessagesTo(HWND hwnd);
std::vector<Message> MessagesOf(HWND hwnd, UINT msg);
LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Create(LONG style = 0, DWORD exStyle = 0, int width = 200, int height = 100,
                HWND parent = 0);
};

} // namespace lumarin::platform::test
