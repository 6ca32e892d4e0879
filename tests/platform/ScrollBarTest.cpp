// SPDX-License-Identifier: MIT
#include "platform/ScrollBar.h"

#include "WindowTestSupport.h"

namespace lumarin::platform::test {
namespace {

using ScrollBarTest = WindowTest;

SCROLLINFO Info(UINT mask) {
    SCROLLINFO si;
    si.fMask = mask;
    return si;
}

SCROLLINFO Read(HWND hwnd, int bar) {
    SCROLLINFO si = Info(SIF_ALL);
    EXPECT_TRUE(GetScrollInfo(hwnd, bar, &si));
    return si;
}

TEST_F(ScrollBarTest, PageAndPositionAreClamped) {
    struct Case {
        const char* name;
        int nMin, nMax;
        UINT nPage;
        int nPos;
        UINT page;
        int pos;
        int minAfter, maxAfter;
    };
    const Case cases[] = {
        {"position stops where the page ends", 0, 60, 10, 100, 10, 51, 0, 60},
        {"position below the range", 0, 60, 10, -5, 10, 0, 0, 60},
        {"inside the range", 0, 60, 10, 33, 10, 33, 0, 60},
        {"no page: up to nMax", 0, 60, 0, 100, 0, 60, 0, 60},
        {"page larger than the range", 0, 60, 100, 30, 61, 0, 0, 60},
        {"page equal to the range", 0, 60, 61, 30, 61, 0, 0, 60},
        {"range not starting at 0", 10, 20, 5, 0, 5, 10, 10, 20},
        {"negative range", -50, 50, 10, 45, 10, 41, -50, 50},
        {"inverted range is empty", 5, 1, 3, 4, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const HWND hwnd = Create(WS_VSCROLL);
        SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS);
        si.nMin = c.nMin;
        si.nMax = c.nMax;
        si.nPage = c.nPage;
        si.nPos = c.nPos;
        EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &si, true), c.pos) << c.name;
        const SCROLLINFO got = Read(hwnd, SB_VERT);
        EXPECT_EQ(got.nPage, c.page) << c.name;
        EXPECT_EQ(got.nPos, c.pos) << c.name;
        EXPECT_EQ(got.nMin, c.minAfter) << c.name;
        EXPECT_EQ(got.nMax, c.maxAfter) << c.name;
    }
}

TEST_F(ScrollBarTest, ShrinkingTheRangePullsThePositionBack) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_ALL);
    si.nMax = 100;
    si.nPage = 10;
    si.nPos = 80;
    SetScrollInfo(hwnd, SB_HORZ, &si, true);
    si = Info(SIF_RANGE);
    si.nMax = 50;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &si, true), 41);
    si = Info(SIF_PAGE);
    si.nPage = 20;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &si, true), 31);
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 31);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0) << "the bars are independent";
}

TEST_F(ScrollBarTest, ScrollPosReturnsThePreviousPositionAndClamps) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE);
    si.nMax = 60;
    si.nPage = 10;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 20, true), 0);
    EXPECT_EQ(SetScrollPos(hwnd, SB_VERT, 999, true), 20);
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 51);
}

TEST_F(ScrollBarTest, TrackPositionIsSetOnlyOnRequestAndClamped) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE | SIF_POS);
    si.nMax = 60;
    si.nPage = 10;
    si.nPos = 5;
    si.nTrackPos = 40; // not in the mask
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_EQ(Read(hwnd, SB_VERT).nTrackPos, 0);
    si = Info(SIF_TRACKPOS);
    si.nTrackPos = 70;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    const SCROLLINFO got = Read(hwnd, SB_VERT);
    EXPECT_EQ(got.nTrackPos, 51);
    EXPECT_EQ(got.nPos, 5) << "dragging the thumb does not move the position";
}

TEST_F(ScrollBarTest, GetScrollInfoFillsOnlyTheAskedFields) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_ALL);
    si.nMin = 2;
    si.nMax = 30;
    si.nPage = 4;
    si.nPos = 9;
    SetScrollInfo(hwnd, SB_HORZ, &si, true);
    SCROLLINFO got = Info(SIF_POS);
    got.nMin = got.nMax = -7;
    got.nPage = 77;
    EXPECT_TRUE(GetScrollInfo(hwnd, SB_HORZ, &got));
    EXPECT_EQ(got.nPos, 9);
    EXPECT_EQ(got.nMin, -7);
    EXPECT_EQ(got.nMax, -7);
    EXPECT_EQ(got.nPage, 77u);
}

TEST_F(ScrollBarTest, BadRequestsChangeNothing) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_POS);
    si.nPos = 5;
    for (int bar : {SB_CTL, SB_BOTH, 7, -1}) {
        EXPECT_EQ(SetScrollInfo(hwnd, bar, &si, true), 0) << bar;
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER) << bar;
    }
    SCROLLINFO wrongSize = si;
    wrongSize.cbSize = 12;
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &wrongSize, true), 0);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, nullptr, true), 0);
    SCROLLINFO none = Info(0);
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, &none));
    EXPECT_FALSE(ShowScrollBar(hwnd, SB_CTL, true));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, 9));
    EXPECT_EQ(Read(hwnd, SB_VERT).nMax, 0);
}

TEST_F(ScrollBarTest, EnablingReportsOnlyRealChanges) {
    const HWND hwnd = Create(WS_VSCROLL | WS_HSCROLL);
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    EXPECT_TRUE(IsScrollBarEnabled(hwnd, SB_VERT));
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_FALSE(IsScrollBarEnabled(hwnd, SB_VERT));
    EXPECT_TRUE(IsScrollBarEnabled(hwnd, SB_HORZ));
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_BOTH)) << "already disabled";
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_BOTH, ESB_ENABLE_BOTH));
    EXPECT_TRUE(IsScrollBarEnabled(hwnd, SB_VERT));
    EXPECT_EQ(host.scrollBarChanges, 2);
}

TEST_F(ScrollBarTest, EveryChangeIsToldToTheHost) {
    const HWND hwnd = Create();
    RecordingHost host;
    AttachWindowHost(hwnd, &host);
    SCROLLINFO si = Info(SIF_RANGE);
    si.nMax = 10;
    SetScrollInfo(hwnd, SB_VERT, &si, false);
    SetScrollPos(hwnd, SB_VERT, 3, true);
    ShowScrollBar(hwnd, SB_VERT, true);
    ShowScrollBar(hwnd, SB_VERT, true); // no change
    EXPECT_EQ(host.scrollBarChanges, 3);
    EXPECT_GE(host.frameChanges, 1) << "the client area changed";
}

TEST_F(ScrollBarTest, SettingTheRangeNeverShowsOrHidesABar) {
    const HWND hwnd = Create();
    SCROLLINFO si = Info(SIF_ALL);
    si.nMax = 1000;
    si.nPage = 10;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_FALSE(IsScrollBarVisible(hwnd, SB_VERT));
    ShowScrollBar(hwnd, SB_VERT, true);
    si.nMax = 0;
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    EXPECT_TRUE(IsScrollBarVisible(hwnd, SB_VERT));
}

} // namespace
} // namespace lumarin::platform::test
