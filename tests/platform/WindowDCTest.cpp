// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"
#include "WindowTestSupport.h"
#include "platform/Gdi.h"
#include "platform/WindowHost.h"

namespace lumarin::platform {
namespace {

using testing::MemoryCanvas;

// A host that only counts how often the surface was reported changed.
class SurfaceCounter : public IWindowHost {
public:
    int changes = 0;
    void invalidated() override {}
    void surfaceChanged() override { ++changes; }
    void scrollBarsChanged() override {}
    void frameChanged() override {}
    void focusRequested() override {}
    void captureChanged(bool) override {}
    void cursorChanged(HCURSOR) override {}
    void topMostChanged(bool) override {}
    void timerStarted(UINT_PTR, UINT) override {}
    void timerStopped(UINT_PTR) override {}
    POINT screenOrigin() const override { return {}; }
};

class WindowDC : public test::WindowTest {};

TEST_F(WindowDC, DrawsIntoTheWindowSurfaceAndTellsTheHost) {
    HWND hwnd = Create(0, 0, 40, 30);
    SurfaceCounter host;
    AttachWindowHost(hwnd, &host);
    HDC dc = GetDC(hwnd);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_EQ(GetDCPixels(dc), GetWindowSurface(hwnd));

    RECT r{2, 3, 6, 5};
    FillRect(dc, &r, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(host.changes, 1);
    const PixelBuffer* surface = GetWindowSurface(hwnd);
    EXPECT_EQ(FromPixel(surface->at(2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(FromPixel(surface->at(6, 3)), RGB(255, 255, 255));

    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 5, 0);
    EXPECT_EQ(host.changes, 2);
    MoveToEx(dc, 0, 0, nullptr);
    EXPECT_EQ(host.changes, 2) << "moving the pen draws nothing";

    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
    EXPECT_EQ(GetObjectType(dc), 0u);
    AttachWindowHost(hwnd, nullptr);
}

TEST_F(WindowDC, BlitFromTheBackBufferLandsOnTheWindow) {
    HWND hwnd = Create(0, 0, 40, 30);
    SurfaceCounter host;
    AttachWindowHost(hwnd, &host);
    MemoryCanvas back(60, 30);
    back.fillDistinct();
    HDC dc = GetDC(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    // Scrolled right by 7: the window shows the back buffer from x = 7 on.
    EXPECT_TRUE(BitBlt(dc, 0, 0, client.right, client.bottom, back.dc(), 7, 0, SRCCOPY));
    EXPECT_EQ(host.changes, 1);
    const PixelBuffer* surface = GetWindowSurface(hwnd);
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            ASSERT_EQ(surface->at(x, y), back.buffer().at(x + 7, y)) << x << "," << y;
    ReleaseDC(hwnd, dc);
    AttachWindowHost(hwnd, nullptr);
}

TEST_F(WindowDC, FollowsTheSurfaceWhenTheWindowIsResized) {
    HWND hwnd = Create(0, 0, 20, 10);
    HDC dc = GetDC(hwnd);
    MoveWindow(hwnd, 0, 0, 50, 40, true);
    const PixelBuffer* surface = GetDCPixels(dc);
    ASSERT_EQ(surface, GetWindowSurface(hwnd));
    EXPECT_EQ(surface->width, 50);
    RECT r{45, 35, 50, 40};
    FillRect(dc, &r, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(FromPixel(GetWindowSurface(hwnd)->at(49, 39)), RGB(0, 0, 0));
    ReleaseDC(hwnd, dc);
}

TEST_F(WindowDC, BelongsToItsWindowOnly) {
    HWND hwnd = Create();
    HWND other = Create();
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(ReleaseDC(other, dc), 0);
    EXPECT_EQ(DeleteDC(dc), false) << "a window DC goes back with ReleaseDC";
    HDC memory = CreateCompatibleDC(dc);
    EXPECT_EQ(ReleaseDC(hwnd, memory), 0) << "a memory DC is deleted, not released";
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 5, 5);
    EXPECT_EQ(SelectObject(dc, bitmap), 0u) << "a window DC takes no bitmap";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), 0u);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 0) << "released twice";
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(WindowDC, NoDCForADeadWindowAndADeadWindowsDCDrawsNothing) {
    EXPECT_EQ(GetDC(0), 0u);
    EXPECT_EQ(GetDC(987654), 0u);
    HWND hwnd = Create();
    HDC dc = GetDC(hwnd);
    DestroyWindow(hwnd);
    EXPECT_EQ(GetDC(hwnd), 0u);
    RECT r{0, 0, 5, 5};
    EXPECT_EQ(FillRect(dc, &r, GetStockObject(BLACK_BRUSH)), 0);
    EXPECT_EQ(GetDCPixels(dc), nullptr);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1) << "released after the window died, as EndPaint may";
}

TEST_F(WindowDC, PaintCycleHandsOutAWindowDC) {
    HWND hwnd = Create(0, 0, 30, 20);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    RECT r{0, 0, 30, 20};
    FillRect(dc, &r, GetStockObject(GRAY_BRUSH));
    EndPaint(hwnd, &ps);
    EXPECT_EQ(GetObjectType(dc), 0u) << "EndPaint gives the DC back";
    EXPECT_EQ(FromPixel(GetWindowSurface(hwnd)->at(29, 19)), RGB(128, 128, 128));
}

} // namespace
} // namespace lumarin::platform
