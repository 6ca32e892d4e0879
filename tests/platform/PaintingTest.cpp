// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"
#include "platform/WindowSurface.h"

namespace lumarin::platform::test {
namespace {

using PaintingTest = WindowTest;

RECT Update(HWND hwnd) {
    RECT rect{-1, -1, -1, -1};
    GetUpdateRect(hwnd, &rect, false);
    return rect;
}

TEST_F(PaintingTest, InvalidatedAreasGatherWithinTheClientArea) {
    const HWND hwnd = Create(WS_BORDER, 0, 102, 52); // client 100 x 50
    ValidateRect(hwnd, nullptr);
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, false));

    const RECT a{10, 10, 20, 20};
    const RECT b{50, 5, 60, 15};
    const RECT outside{200, 200, 300, 300};
    InvalidateRect(hwnd, &a, false);
    InvalidateRect(hwnd, &b, false);
    InvalidateRect(hwnd, &outside, false);
    EXPECT_EQ(Update(hwnd), (RECT{10, 5, 60, 20}));
    EXPECT_EQ(host.invalidations, 2) << "nothing to paint outside the client area";

    const RECT spill{90, 40, 150, 90};
    InvalidateRect(hwnd, &spill, false);
    EXPECT_EQ(Update(hwnd), (RECT{10, 5, 100, 50}));

    const RECT part{0, 0, 30, 30};
    ValidateRect(hwnd, &part);
    EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, false)) << "a partial validation keeps the rest";
    InvalidateRect(hwnd, nullptr, true);
    EXPECT_EQ(Update(hwnd), (RECT{0, 0, 100, 50}));
    const RECT all{0, 0, 100, 50};
    ValidateRect(hwnd, &all);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, false));
}

TEST_F(PaintingTest, UpdateWindowPaintsOnlyWhatIsInvalid) {
    const HWND hwnd = Create();
    InvalidateRect(hwnd, nullptr, false);
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_EQ(MessagesOf(hwnd, WM_PAINT).size(), 1u);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, false)) << "the default procedure validates";
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_EQ(MessagesOf(hwnd, WM_PAINT).size(), 1u);
}

TEST_F(PaintingTest, ResizingInvalidatesUnlessAskedNotTo) {
    const HWND hwnd = Create();
    ValidateRect(hwnd, nullptr);
    SetWindowPos(hwnd, 0, 0, 0, 120, 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, false));
    SetWindowPos(hwnd, 0, 0, 0, 130, 80, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(Update(hwnd), (RECT{0, 0, 130, 80}));
}

TEST_F(PaintingTest, SurfaceUpdatesReachTheHost) {
    const HWND hwnd = Create();
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    SurfaceUpdated(hwnd);
    EXPECT_EQ(host.surfaceChanges, 1);
    AttachWindowHost(hwnd, nullptr);
    SurfaceUpdated(hwnd);
    EXPECT_EQ(host.surfaceChanges, 1);
    EXPECT_EQ(GetWindowHost(hwnd), nullptr);
    EXPECT_EQ(MutableWindowSurface(987654), nullptr);
}

} // namespace
} // namespace lumarin::platform::test
