// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"
#include "platform/ScrollBar.h"
#include "platform/WindowSurface.h"

namespace lumarin::platform::test {
namespace {

using GeometryTest = WindowTest;

SIZE ClientSize(HWND hwnd) {
    RECT rect;
    EXPECT_TRUE(GetClientRect(hwnd, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    return SIZE{rect.right, rect.bottom};
}

SIZE SizeParameter(const Message& m) {
    const auto lp = static_cast<std::uintptr_t>(m.lParam);
    return SIZE{LOWORD(lp), HIWORD(lp)};
}

TEST_F(GeometryTest, ClientAreaShrinksByFrameAndVisibleBars) {
    struct Case {
        const char* name;
        LONG style;
        DWORD exStyle;
        int width, height;
        SIZE client;
    };
    const Case cases[] = {
        {"plain", 0, 0, 200, 100, {200, 100}},
        {"border", WS_BORDER, 0, 200, 100, {198, 98}},
        {"thick frame", WS_THICKFRAME, 0, 200, 100, {192, 92}},
        {"thick frame with border", WS_THICKFRAME | WS_BORDER, 0, 200, 100, {192, 92}},
        {"static edge", 0, WS_EX_STATICEDGE, 200, 100, {198, 98}},
        {"client edge", 0, WS_EX_CLIENTEDGE, 200, 100, {196, 96}},
        {"window edge", 0, WS_EX_WINDOWEDGE, 200, 100, {196, 96}},
        {"border and client edge", WS_BORDER, WS_EX_CLIENTEDGE, 200, 100, {194, 94}},
        {"vertical bar", WS_VSCROLL, 0, 200, 100, {183, 100}},
        {"horizontal bar", WS_HSCROLL, 0, 200, 100, {200, 83}},
        {"both bars in a client edge",
         WS_VSCROLL | WS_HSCROLL,
         WS_EX_CLIENTEDGE,
         200,
         100,
         {179, 79}},
        {"too small for its bars", WS_VSCROLL | WS_HSCROLL | WS_BORDER, 0, 10, 10, {0, 0}},
    };
    for (const Case& c : cases) {
        const HWND hwnd = Create(c.style, c.exStyle, c.width, c.height);
        EXPECT_EQ(ClientSize(hwnd), c.client) << c.name;
        const PixelBuffer* surface = GetWindowSurface(hwnd);
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->width, c.client.cx) << c.name;
        EXPECT_EQ(surface->height, c.client.cy) << c.name;
    }
}

TEST_F(GeometryTest, FrameIsRecomputedOnlyOnFrameChange) {
    const HWND hwnd = Create(0, WS_EX_STATICEDGE);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
    MessageLog().clear();

    SetWindowLongPtr(hwnd, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    EXPECT_EQ(ClientSize(hwnd), (SIZE{198, 98})) << "styles alone do not move the frame";

    EXPECT_TRUE(SetWindowPos(hwnd, 0, 0, 0, 0, 0, keep | SWP_FRAMECHANGED));
    EXPECT_EQ(ClientSize(hwnd), (SIZE{196, 96}));
    EXPECT_EQ(GetFrameInsets(hwnd), (RECT{2, 2, 2, 2}));
    auto sizes = MessagesOf(hwnd, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(SizeParameter(sizes[0]), (SIZE{196, 96}));

    EXPECT_TRUE(SetWindowPos(hwnd, 0, 0, 0, 0, 0, keep | SWP_FRAMECHANGED));
    EXPECT_EQ(MessagesOf(hwnd, WM_SIZE).size(), 1u) << "same client size, no WM_SIZE";

    // The bar bits of the style are read again on a frame change as well.
    SetWindowLongPtr(hwnd, GWL_STYLE, WS_VSCROLL);
    SetWindowPos(hwnd, 0, 0, 0, 0, 0, keep | SWP_FRAMECHANGED);
    EXPECT_TRUE(IsScrollBarVisible(hwnd, SB_VERT));
    EXPECT_EQ(ClientSize(hwnd), (SIZE{179, 96}));
}

TEST_F(GeometryTest, ShowingAndHidingBarsResizesTheClientArea) {
    const HWND hwnd = Create(WS_BORDER);
    MessageLog().clear();
    struct Step {
        int bar;
        BOOL show;
        SIZE client;
        bool sizeMessage;
    };
    const Step steps[] = {
        {SB_VERT, true, {181, 98}, true},   {SB_VERT, true, {181, 98}, false},
        {SB_HORZ, true, {181, 81}, true},   {SB_BOTH, false, {198, 98}, true},
        {SB_BOTH, false, {198, 98}, false}, {SB_BOTH, true, {181, 81}, true},
    };
    for (const Step& s : steps) {
        const std::size_t before = MessagesOf(hwnd, WM_SIZE).size();
        EXPECT_TRUE(ShowScrollBar(hwnd, s.bar, s.show));
        EXPECT_EQ(ClientSize(hwnd), s.client);
        const auto sizes = MessagesOf(hwnd, WM_SIZE);
        EXPECT_EQ(sizes.size(), before + (s.sizeMessage ? 1 : 0));
        if (s.sizeMessage) {
            EXPECT_EQ(SizeParameter(sizes.back()), s.client);
        }
        EXPECT_EQ(GetWindowSurface(hwnd)->width, s.client.cx);
    }
    const LONG style = static_cast<LONG>(GetWindowLongPtr(hwnd, GWL_STYLE));
    EXPECT_EQ(style & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
}

TEST_F(GeometryTest, MovingKeepsTheClientSizeAndResizingReportsIt) {
    const HWND hwnd = Create(WS_BORDER);
    MessageLog().clear();
    EXPECT_TRUE(SetWindowPos(hwnd, 0, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    RECT rect;
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect, (RECT{30, 40, 230, 140}));
    EXPECT_TRUE(MessagesOf(hwnd, WM_SIZE).empty());

    EXPECT_TRUE(MoveWindow(hwnd, 0, 0, 50, 60, true));
    const auto sizes = MessagesOf(hwnd, WM_SIZE);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(SizeParameter(sizes[0]), (SIZE{48, 58}));
    EXPECT_EQ(GetWindowSurface(hwnd)->height, 58);

    EXPECT_TRUE(SetWindowPos(hwnd, 0, 0, 0, -5, -5, SWP_NOMOVE));
    EXPECT_EQ(ClientSize(hwnd), (SIZE{0, 0})) << "a negative size is an empty window";
}

TEST_F(GeometryTest, SurfaceKeepsItsPixelsWhereTheyStillFit) {
    const HWND hwnd = Create(0, 0, 20, 20);
    const PixelBuffer* fresh = GetWindowSurface(hwnd);
    EXPECT_EQ(fresh->at(0, 0), 0xFFFFFFFFu);
    PixelBuffer* surface = MutableWindowSurface(hwnd);
    surface->at(3, 4) = 0xFF123456u;
    MoveWindow(hwnd, 0, 0, 30, 10, true);
    const PixelBuffer* resized = GetWindowSurface(hwnd);
    EXPECT_EQ(resized->width, 30);
    EXPECT_EQ(resized->at(3, 4), 0xFF123456u);
    EXPECT_EQ(resized->at(25, 5), 0xFFFFFFFFu);
}

TEST_F(GeometryTest, TopMostBandIsToldToTheHostOncePerChange) {
    const HWND hwnd = Create();
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, keep);
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, keep);
    EXPECT_NE(GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_NOZORDER);
    SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, keep);
    EXPECT_EQ(host.topMosts, (std::vector<bool>{true, false}));
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(GeometryTest, HitTestingFindsClientBarsAndFrame) {
    const HWND hwnd = Create(WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 200, 100);
    RecordingHost host;
    host.origin = POINT{1000, 500};
    AttachWindowHost(hwnd, &host);
    // Client 181 x 81 starting one pixel inside the window.
    struct Case {
        POINT client;
        LRESULT expected;
    };
    const Case cases[] = {
        {{0, 0}, HTCLIENT},     {{180, 80}, HTCLIENT},  {{181, 10}, HTVSCROLL},
        {{197, 80}, HTVSCROLL}, {{10, 81}, HTHSCROLL},  {{180, 97}, HTHSCROLL},
        {{185, 85}, HTNOWHERE}, {{-1, 10}, HTBORDER},   {{198, 10}, HTBORDER},
        {{-2, 10}, HTNOWHERE},  {{10, 200}, HTNOWHERE},
    };
    for (const Case& c : cases) {
        POINT screen = c.client;
        ASSERT_TRUE(ClientToScreen(hwnd, &screen));
        const LPARAM lp = MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
        EXPECT_EQ(SendMessage(hwnd, WM_NCHITTEST, 0, lp), c.expected)
            << c.client.x << "," << c.client.y;
    }
    EXPECT_EQ(GetScrollBarRect(hwnd, SB_VERT), (RECT{182, 1, 199, 82}));
    EXPECT_EQ(GetScrollBarRect(hwnd, SB_HORZ), (RECT{1, 82, 182, 99}));
}

TEST_F(GeometryTest, ScreenCoordinatesComeFromTheHost) {
    const HWND hwnd = Create();
    POINT pt{5, 6};
    EXPECT_TRUE(ClientToScreen(hwnd, &pt));
    EXPECT_EQ(pt, (POINT{5, 6})) << "headless: the client origin is the screen origin";
    RecordingHost host;
    host.origin = POINT{100, -20};
    AttachWindowHost(hwnd, &host);
    EXPECT_TRUE(ClientToScreen(hwnd, &pt));
    EXPECT_EQ(pt, (POINT{105, -14}));
    EXPECT_TRUE(ScreenToClient(hwnd, &pt));
    EXPECT_EQ(pt, (POINT{5, 6}));
    EXPECT_FALSE(ClientToScreen(hwnd, nullptr));
}

} // namespace
} // namespace lumarin::platform::test
