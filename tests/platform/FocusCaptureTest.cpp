// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

namespace lumarin::platform::test {
namespace {

using FocusTest = WindowTest;

std::vector<std::pair<HWND, UINT>> FocusTrail() {
    std::vector<std::pair<HWND, UINT>> trail;
    for (const Message& m : MessageLog()) {
        if (m.msg == WM_SETFOCUS || m.msg == WM_KILLFOCUS || m.msg == WM_CAPTURECHANGED ||
            m.msg == WM_DESTROY) {
            trail.emplace_back(m.hwnd, m.msg);
        }
    }
    return trail;
}

TEST_F(FocusTest, FocusMovesWithKillThenSetAndNamesTheOtherWindow) {
    const HWND a = Create();
    const HWND b = Create();
    RecordingHost hostB;
    AttachWindowHost(b, &hostB);

    EXPECT_EQ(SetFocus(a), 0);
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(SetFocus(b), b) << "no change, no messages";
    EXPECT_EQ(SetFocus(0), b);
    EXPECT_EQ(GetFocus(), 0);

    EXPECT_EQ(FocusTrail(),
              (std::vector<std::pair<HWND, UINT>>{
                  {a, WM_SETFOCUS}, {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}, {b, WM_KILLFOCUS}}));
    EXPECT_EQ(MessagesOf(a, WM_SETFOCUS)[0].wParam, 0u);
    EXPECT_EQ(MessagesOf(a, WM_KILLFOCUS)[0].wParam, static_cast<WPARAM>(b));
    EXPECT_EQ(MessagesOf(b, WM_SETFOCUS)[0].wParam, static_cast<WPARAM>(a));
    EXPECT_EQ(MessagesOf(b, WM_KILLFOCUS)[0].wParam, 0u);
    EXPECT_EQ(hostB.focusRequests, 1);
}

TEST_F(FocusTest, DestroyedWindowGivesUpFocusAndCaptureBeforeItsDestroyMessage) {
    const HWND a = Create();
    SetFocus(a);
    SetCapture(a);
    MessageLog().clear();
    DestroyWindow(a);
    EXPECT_EQ(FocusTrail(), (std::vector<std::pair<HWND, UINT>>{
                                {a, WM_KILLFOCUS}, {a, WM_CAPTURECHANGED}, {a, WM_DESTROY}}));
    EXPECT_EQ(GetFocus(), 0);
    EXPECT_EQ(GetCapture(), 0);
}

// A window that, on losing the focus, hands it on somewhere else: the window
// the focus was first meant for must not be told it has it.
HWND g_redirectTo = 0;
LRESULT RedirectFocus(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_KILLFOCUS && g_redirectTo != 0) {
        const HWND target = g_redirectTo;
        g_redirectTo = 0;
        SetFocus(target);
    }
    return RecordingProc(h, m, w, l);
}

TEST_F(FocusTest, FocusMovedOnDuringKillFocusWins) {
    const HWND a = Create();
    const HWND b = Create();
    const HWND c = Create();
    SetWindowLongPtr(a, GWLP_WNDPROC, FromWndProc(RedirectFocus));
    SetFocus(a);
    g_redirectTo = c;
    MessageLog().clear();
    SetFocus(b);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_TRUE(MessagesTo(b).empty()) << "b never had the focus: not told either way";
    ASSERT_EQ(MessagesOf(c, WM_SETFOCUS).size(), 1u);
}

TEST_F(FocusTest, FocusOnABadHandleChangesNothing) {
    const HWND a = Create();
    SetFocus(a);
    EXPECT_EQ(SetFocus(123456), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(GetFocus(), a);
}

TEST_F(FocusTest, CaptureMovesWithCaptureChangedToTheLoser) {
    const HWND a = Create();
    const HWND b = Create();
    RecordingHost hostA;
    AttachWindowHost(a, &hostA);

    EXPECT_EQ(SetCapture(a), 0);
    EXPECT_EQ(GetCapture(), a);
    EXPECT_EQ(SetCapture(a), a);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), 0);
    EXPECT_TRUE(ReleaseCapture()) << "nothing captured is not an error";

    const auto toA = MessagesOf(a, WM_CAPTURECHANGED);
    ASSERT_EQ(toA.size(), 1u);
    EXPECT_EQ(toA[0].lParam, static_cast<LPARAM>(b));
    const auto toB = MessagesOf(b, WM_CAPTURECHANGED);
    ASSERT_EQ(toB.size(), 1u);
    EXPECT_EQ(toB[0].lParam, 0);
    EXPECT_EQ(hostA.captures, (std::vector<bool>{true, false}));
}

TEST_F(FocusTest, DisablingTheCapturingWindowReleasesIt) {
    const HWND a = Create();
    SetCapture(a);
    EXPECT_FALSE(EnableWindow(a, false)) << "it was enabled before";
    EXPECT_EQ(GetCapture(), 0);
    EXPECT_FALSE(IsWindowEnabled(a));
    EXPECT_TRUE(EnableWindow(a, true)) << "it was disabled before";
    const auto enables = MessagesOf(a, WM_ENABLE);
    ASSERT_EQ(enables.size(), 2u);
    EXPECT_EQ(enables[0].wParam, 0u);
    EXPECT_EQ(enables[1].wParam, 1u);
}

} // namespace
} // namespace lumarin::platform::test
