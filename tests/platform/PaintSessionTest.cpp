// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"
#include "platform/Gdi.h"

namespace lumarin::platform::test {
namespace {

using PaintSessionTest = WindowTest;

// What the painting procedure saw, and what it should do while painting.
struct PaintScript {
    PAINTSTRUCT seen;
    HDC hdc = 0;
    RECT invalidateWhilePainting;
    bool destroyWhilePainting = false;
    LRESULT eraseAnswer = 0;
};
PaintScript g_script;

LRESULT Painter(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_ERASEBKGND) {
        MessageLog().push_back(Message{h, m, w, l});
        return g_script.eraseAnswer;
    }
    if (m != WM_PAINT) return RecordingProc(h, m, w, l);
    PAINTSTRUCT ps;
    g_script.hdc = BeginPaint(h, &ps);
    g_script.seen = ps;
    const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(ps.hdc, &ps.rcPaint, red);
    if (g_script.invalidateWhilePainting.right > 0) {
        InvalidateRect(h, &g_script.invalidateWhilePainting, false);
    }
    if (g_script.destroyWhilePainting) DestroyWindow(h);
    EndPaint(h, &ps);
    DeleteObject(red);
    return 0;
}

HWND CreatePainter() {
    g_script = PaintScript{};
    WNDCLASS wc;
    wc.lpszClassName = u"Test.Painter";
    wc.lpfnWndProc = Painter;
    RegisterClass(wc);
    const HWND hwnd = CreateWindowEx(0, u"Test.Painter", u"", 0, 0, 0, 40, 30, 0, 0);
    EXPECT_NE(hwnd, 0);
    ValidateRect(hwnd, nullptr);
    return hwnd;
}

TEST_F(PaintSessionTest, PaintingTakesTheUpdateRegionAndKeepsWhatIsInvalidatedMeanwhile) {
    const HWND hwnd = CreatePainter();
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    const RECT dirty{5, 5, 10, 8};
    InvalidateRect(hwnd, &dirty, false);
    g_script.invalidateWhilePainting = RECT{20, 20, 25, 25};
    UpdateWindow(hwnd);

    EXPECT_NE(g_script.hdc, 0u);
    EXPECT_EQ(g_script.seen.rcPaint, dirty);
    EXPECT_FALSE(g_script.seen.fErase);
    const PixelBuffer* surface = GetWindowSurface(hwnd);
    EXPECT_EQ(surface->at(5, 5), ToPixel(RGB(255, 0, 0)));
    EXPECT_EQ(surface->at(9, 7), ToPixel(RGB(255, 0, 0)));
    EXPECT_EQ(surface->at(10, 7), 0xFFFFFFFFu) << "only the update box was painted";
    EXPECT_GE(host.surfaceChanges, 1);

    RECT left;
    EXPECT_TRUE(GetUpdateRect(hwnd, &left, false));
    EXPECT_EQ(left, (RECT{20, 20, 25, 25}));
    EXPECT_EQ(GetObjectType(g_script.hdc), 0u) << "EndPaint gave the DC back";
    AttachWindowHost(hwnd, nullptr);
    DestroyWindow(hwnd);
}

TEST_F(PaintSessionTest, PendingEraseGoesFirstAndItsAnswerSetsFErase) {
    const HWND hwnd = CreatePainter();
    for (const LRESULT answer : {LRESULT{0}, LRESULT{1}}) {
        MessageLog().clear();
        g_script.eraseAnswer = answer;
        InvalidateRect(hwnd, nullptr, true);
        UpdateWindow(hwnd);
        const auto erases = MessagesOf(hwnd, WM_ERASEBKGND);
        ASSERT_EQ(erases.size(), 1u);
        EXPECT_EQ(erases[0].wParam, static_cast<WPARAM>(g_script.hdc));
        EXPECT_EQ(g_script.seen.fErase, answer == 0);
        EXPECT_EQ(g_script.seen.rcPaint, (RECT{0, 0, 40, 30}));
    }
    DestroyWindow(hwnd);
}

TEST_F(PaintSessionTest, WindowDestroyedWhilePaintingStillEndsThePaint) {
    const HWND hwnd = CreatePainter();
    g_script.destroyWhilePainting = true;
    InvalidateRect(hwnd, nullptr, false);
    UpdateWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(GetObjectType(g_script.hdc), 0u);
}

TEST_F(PaintSessionTest, BeginPaintRefusesBadArguments) {
    PAINTSTRUCT ps;
    EXPECT_EQ(BeginPaint(424242, &ps), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    const HWND hwnd = Create();
    InvalidateRect(hwnd, nullptr, false);
    EXPECT_EQ(BeginPaint(hwnd, nullptr), 0u);
    EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, false)) << "a refused BeginPaint validates nothing";
    EXPECT_FALSE(EndPaint(hwnd, nullptr));
}

} // namespace
} // namespace lumarin::platform::test
