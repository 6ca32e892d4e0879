// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

namespace lumarin::platform::test {
namespace {

using TimerTest = WindowTest;

TEST_F(TimerTest, FiredTimersSendWmTimerOnlyWhileRunning) {
    const HWND hwnd = Create();
    EXPECT_EQ(SetTimer(hwnd, 5, 15), 5u);
    EXPECT_TRUE(IsTimerRunning(hwnd, 5));
    FireTimer(hwnd, 5);
    FireTimer(hwnd, 6); // never set
    EXPECT_TRUE(KillTimer(hwnd, 5));
    FireTimer(hwnd, 5);
    const auto ticks = MessagesOf(hwnd, WM_TIMER);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0].wParam, 5u);
    EXPECT_FALSE(KillTimer(hwnd, 5));
    EXPECT_EQ(SetTimer(hwnd, 0, 15), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(TimerTest, HostRunsTheTimersAndIsToldOfEveryChange) {
    const HWND hwnd = Create();
    SetTimer(hwnd, 1, 200); // before the host comes
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    SetTimer(hwnd, 2, 15);
    SetTimer(hwnd, 2, 1); // restarted; too short an interval is raised to the minimum
    KillTimer(hwnd, 1);
    EXPECT_EQ(host.started, (std::vector<std::pair<UINT_PTR, UINT>>{{1, 200}, {2, 15}, {2, 10}}));
    EXPECT_EQ(host.stopped, (std::vector<UINT_PTR>{1}));

    DestroyWindow(hwnd);
    EXPECT_EQ(host.stopped, (std::vector<UINT_PTR>{1, 2})) << "destruction stops the rest";
    EXPECT_EQ(host.destroyed, 1);
    EXPECT_FALSE(IsTimerRunning(hwnd, 2));
}

// A timer whose window is destroyed by its own tick.
TEST_F(TimerTest, TickMayDestroyTheWindow) {
    WNDCLASS wc;
    wc.lpszClassName = u"Test.TimerSuicide";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_TIMER) DestroyWindow(h);
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(wc);
    const HWND hwnd = CreateWindowEx(0, u"Test.TimerSuicide", u"", 0, 0, 0, 10, 10, 0, 0);
    SetTimer(hwnd, 9, 50);
    FireTimer(hwnd, 9);
    EXPECT_FALSE(IsWindow(hwnd));
    FireTimer(hwnd, 9);
}

} // namespace
} // namespace lumarin::platform::test
