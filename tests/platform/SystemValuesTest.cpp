// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include <climits>

namespace lumarin::platform::test {
namespace {

using SystemValuesTest = WindowTest;

TEST_F(SystemValuesTest, VersionIsSixPointOne) {
    const DWORD version = GetVersion();
    EXPECT_EQ(version & 0xFF, 6u);
    EXPECT_EQ((version >> 8) & 0xFF, 1u);
    EXPECT_EQ(version & 0x80000000u, 0u);
}

TEST_F(SystemValuesTest, MetricsOfBarsAndBorders) {
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
}

TEST_F(SystemValuesTest, WheelScrollLinesFollowTheDesktop) {
    UINT lines = 0;
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    SetWheelScrollLines(WHEEL_PAGESCROLL);
    EXPECT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, WHEEL_PAGESCROLL);
    EXPECT_FALSE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, nullptr, 0));
    EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &lines, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SystemValuesTest, OleColoursTranslate) {
    ASSERT_TRUE(SetSystemColor(COLOR_HIGHLIGHT, RGB(1, 2, 3)));
    struct Case {
        OLE_COLOR color;
        bool ok;
        COLORREF rgb;
    };
    const Case cases[] = {
        {0x00123456, true, 0x00123456},
        {0, true, 0},
        {static_cast<OLE_COLOR>(0x80000005u), true, RGB(255, 255, 255)},
        {static_cast<OLE_COLOR>(0x80000008u), true, RGB(0, 0, 0)},
        {static_cast<OLE_COLOR>(0x8000000Du), true, RGB(1, 2, 3)},
        {static_cast<OLE_COLOR>(0x8000000Fu), true, RGB(212, 208, 200)},
        {static_cast<OLE_COLOR>(0x80000014u), true, RGB(255, 255, 255)},
        {static_cast<OLE_COLOR>(0x80000015u), true, RGB(64, 64, 64)},
        {static_cast<OLE_COLOR>(0x80000019u), false, 0},
        {static_cast<OLE_COLOR>(0x80000040u), false, 0},
        {static_cast<OLE_COLOR>(0x80FFFFFFu), false, 0},
        {0x01000005, false, 0},
    };
    for (const Case& c : cases) {
        COLORREF rgb = 0xDEADBEEF;
        EXPECT_EQ(OleTranslateColor(c.color, &rgb), c.ok) << std::hex << c.color;
        if (c.ok) {
            EXPECT_EQ(rgb, c.rgb) << std::hex << c.color;
        } else {
            EXPECT_EQ(rgb, 0xDEADBEEFu) << "a failure leaves the result alone";
        }
    }
    EXPECT_FALSE(SetSystemColor(25, 0));
    EXPECT_FALSE(SetSystemColor(-1, 0));
    EXPECT_EQ(GetSysColor(99), 0u);
}

TEST_F(SystemValuesTest, MulDivRoundsToNearest) {
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {8, 96, 72, 11}, {5, 96, 72, 7}, {9, 96, 72, 12},     {7, 1, 2, 4},
        {-7, 1, 2, -4},  {10, 3, 4, 8},  {-10, 3, 4, -8},     {10, -3, 4, -8},
        {6, 1, 4, 2},    {1, 1, 0, -1},  {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX},
        {0, 5, 7, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << "*" << c.numerator << "/" << c.denominator;
    }
}

TEST_F(SystemValuesTest, CursorPositionShapeAndFileDrops) {
    SetCurrentCursorPos(POINT{40, 50});
    POINT pt;
    EXPECT_TRUE(GetCursorPos(&pt));
    EXPECT_EQ(pt, (POINT{40, 50}));
    EXPECT_TRUE(SetCursorPos(7, 8));
    GetCursorPos(&pt);
    EXPECT_EQ(pt, (POINT{7, 8}));
    EXPECT_FALSE(GetCursorPos(nullptr));

    const HWND a = Create();
    const HWND b = Create();
    RecordingHost host;
    AttachWindowHost(a, &host);
    AttachWindowHost(b, &host);
    EXPECT_EQ(LoadCursor(IDC_SIZEWE), IDC_SIZEWE);
    EXPECT_EQ(LoadCursor(12345), 0u);
    const HCURSOR before = SetCursor(IDC_SIZEWE);
    EXPECT_EQ(SetCursor(IDC_SIZEWE), IDC_SIZEWE);
    SetCursor(before);
    EXPECT_EQ(host.cursors, (std::vector<HCURSOR>{IDC_SIZEWE, before})) << "one host, told once";

    EXPECT_TRUE(DragAcceptFiles(a, true));
    EXPECT_NE(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_TRUE(DragAcceptFiles(a, false));
    EXPECT_EQ(GetWindowLongPtr(a, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(SystemValuesTest, KeyStateHasTheHighBitWhileDown) {
    struct Case {
        int vk;
        bool down;
        SHORT expected;
    };
    const Case cases[] = {
        {static_cast<int>(VK_SHIFT), true, static_cast<SHORT>(0x8000)},
        {static_cast<int>(VK_CONTROL), false, 0},
        {static_cast<int>(VK_MENU), true, static_cast<SHORT>(0x8000)},
        {-1, true, 0},
        {256, true, 0},
    };
    for (const Case& c : cases) {
        SetKeyState(c.vk, c.down);
        EXPECT_EQ(GetKeyState(c.vk), c.expected) << c.vk;
    }
    EXPECT_LT(GetKeyState(static_cast<int>(VK_SHIFT)), 0) << "callers test the sign";
    SetKeyState(static_cast<int>(VK_SHIFT), false);
    SetKeyState(static_cast<int>(VK_MENU), false);
    EXPECT_EQ(GetKeyState(static_cast<int>(VK_SHIFT)), 0);
}

TEST_F(SystemValuesTest, ShowWindowReportsThePreviousState) {
    const HWND hwnd = Create();
    EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
    EXPECT_TRUE(ShowWindow(hwnd, SW_HIDE));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(MessagesOf(hwnd, WM_SHOWWINDOW).size(), 2u);
}

} // namespace
} // namespace lumarin::platform::test
