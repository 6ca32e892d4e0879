// SPDX-License-Identifier: MIT
// What the host does for the window besides input: painting through the
// window procedure, sizes, timers, cursors, and letting go of a dead window.

#include "RecordingWindow.h"
#include "platform/Gdi.h"
#include "platform/Window.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace lumarin::platform::qt::hosttest {
namespace {

// Fills the client area in one colour, the way a procedure answers WM_PAINT.
bool PaintIn(HWND hwnd, COLORREF colour, UINT msg) {
    if (msg != WM_PAINT) return false;
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &ps);
    return true;
}

TEST(WindowHostLifetimeTest, WhatTheProcedurePaintsIsWhatTheWidgetShows) {
    RecordingWindow window(WS_BORDER, 0);
    window.react = [&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        return PaintIn(window.hwnd(), RGB(200, 30, 40), msg);
    };
    InvalidateRect(window.hwnd(), nullptr, true);
    const QImage shown = window.host().grab().toImage();
    EXPECT_FALSE(window.messages(WM_PAINT).empty());
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(200, 30, 40));
    // WS_BORDER: a one-pixel frame in the window-frame colour around the client.
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_EQ(shown.pixelColor(0, 50),
              QColor(GetRValue(frame), GetGValue(frame), GetBValue(frame)));
    EXPECT_EQ(shown.pixelColor(1, 50), QColor(200, 30, 40));
}

TEST(WindowHostLifetimeTest, ResizingTheWidgetSendsTheNewClientSize) {
    RecordingWindow window(WS_VSCROLL, WS_EX_CLIENTEDGE);
    window.host().resize(300, 220);
    const auto sizes = window.messages(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(LOWORD(static_cast<WPARAM>(sizes.back().lParam)), 300 - 4 - bar);
    EXPECT_EQ(HIWORD(static_cast<WPARAM>(sizes.back().lParam)), 220 - 4);
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 300 - 4 - bar);
}

TEST(WindowHostLifetimeTest, TimersTickOnTheEventLoopUntilKilled) {
    RecordingWindow window(0, 0);
    int ticks = 0;
    window.react = [&](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
        if (msg == WM_TIMER && wp == 7 && ++ticks == 3)
            KillTimer(window.hwnd(), 7); // from inside its own tick
        return false;
    };
    SetTimer(window.hwnd(), 7, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }));
    EXPECT_FALSE(IsTimerRunning(window.hwnd(), 7));
    QTest::qWait(50);
    EXPECT_EQ(ticks, 3);
    for (const auto& m : window.messages(WM_TIMER))
        EXPECT_EQ(m.wParam, 7u);
}

TEST(WindowHostLifetimeTest, TheWindowsCursorBecomesTheWidgetsCursor) {
    RecordingWindow window(0, 0);
    const std::pair<HCURSOR, Qt::CursorShape> cases[] = {{IDC_SIZEWE, Qt::SplitHCursor},
                                                         {IDC_NO, Qt::ForbiddenCursor},
                                                         {IDC_ARROW, Qt::ArrowCursor}};
    for (const auto& [id, shape] : cases) {
        window.host().cursorChanged(LoadCursor(id));
        EXPECT_EQ(window.host().cursor().shape(), shape);
    }
}

TEST(WindowHostLifetimeTest, TheTopMostBandKeepsTheWidgetOnTop) {
    RecordingWindow window(0, 0);
    SetWindowPos(window.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(window.host().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.host().isVisible());
    SetWindowPos(window.hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(window.host().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.host().isVisible());
}

TEST(WindowHostLifetimeTest, AfterTheWindowIsDestroyedTheWidgetSendsNothing) {
    RecordingWindow window(0, 0);
    const HWND hwnd = window.hwnd();
    SetTimer(hwnd, 1, 10);
    DestroyWindow(hwnd);
    EXPECT_FALSE(window.host().windowAlive());
    window.clear();
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::keyClick(&window.host(), Qt::Key_Down);
    window.host().resize(120, 90);
    static_cast<void>(window.host().grab());
    QTest::qWait(30);
    EXPECT_TRUE(window.messages(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(window.messages(WM_KEYDOWN).empty());
    EXPECT_TRUE(window.messages(WM_TIMER).empty());
    EXPECT_EQ(GetWindowHost(hwnd), nullptr);
}

} // namespace
} // namespace lumarin::platform::qt::hosttest
