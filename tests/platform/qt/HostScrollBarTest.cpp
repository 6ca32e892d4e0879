// SPDX-License-Identifier: MIT
// The window's scroll bars on screen: presses become WM_NC*BUTTONDOWN and
// WM_HSCROLL / WM_VSCROLL, and the bar shows the scroll info, nothing else.

#include "RecordingWindow.h"
#include "platform/ScrollBar.h"
#include "platform/Window.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace lumarin::platform::qt::hosttest {
namespace {

class HostScrollBarTest : public ::testing::Test {
protected:
    HostScrollBarTest() {
        for (const int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            si.nMin = 0;
            si.nMax = 99;
            si.nPage = 10;
            si.nPos = 45;
            SetScrollInfo(window.hwnd(), bar, &si, true);
        }
        window.clear();
    }

    const HostScrollBar& bar(int which) { return window.host().scrollBar(which); }
    QPoint centreOf(int which, QStyle::SubControl part) {
        return bar(which).partRect(part).center();
    }
    int position(int which) { return GetScrollPos(window.hwnd(), which); }

    // The scroll codes the window received, in order.
    std::vector<WORD> codes(UINT msg) const {
        std::vector<WORD> out;
        for (const auto& m : window.messages(msg))
            out.push_back(LOWORD(m.wParam));
        return out;
    }

    bool EmptyGroove(int which); // no thumb nor anything else drawn in it
    QImage barPixels(int which) { return window.host().grab(bar(which).geometry()).toImage(); }

    // A procedure that moves the bar the way a scrolling view does.
    void followScrolling() {
        window.react = [this](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
            if (msg != WM_VSCROLL && msg != WM_HSCROLL) return false;
            const int which = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
            SCROLLINFO si;
            si.fMask = SIF_ALL;
            GetScrollInfo(window.hwnd(), which, &si);
            int pos = si.nPos;
            switch (LOWORD(wp)) {
            case SB_LINEUP:
                pos -= 1;
                break;
            case SB_LINEDOWN:
                pos += 1;
                break;
            case SB_PAGEUP:
                pos -= static_cast<int>(si.nPage);
                break;
            case SB_PAGEDOWN:
                pos += static_cast<int>(si.nPage);
                break;
            case SB_THUMBTRACK:
                pos = si.nTrackPos;
                break;
            default:
                return true;
            }
            SetScrollPos(window.hwnd(), which, pos, true);
            return true;
        };
    }

    RecordingWindow window{WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, 240, 200};
};

TEST_F(HostScrollBarTest, ArrowsAndPageAreasSendTheirScrollCodes) {
    struct Case {
        int bar;
        QStyle::SubControl part;
        UINT msg;
        WORD code;
        LRESULT hit;
    };
    const Case cases[] = {
        {SB_VERT, QStyle::SC_ScrollBarSubLine, WM_VSCROLL, SB_LINEUP, HTVSCROLL},
        {SB_VERT, QStyle::SC_ScrollBarAddLine, WM_VSCROLL, SB_LINEDOWN, HTVSCROLL},
        {SB_VERT, QStyle::SC_ScrollBarSubPage, WM_VSCROLL, SB_PAGEUP, HTVSCROLL},
        {SB_VERT, QStyle::SC_ScrollBarAddPage, WM_VSCROLL, SB_PAGEDOWN, HTVSCROLL},
        {SB_HORZ, QStyle::SC_ScrollBarSubLine, WM_HSCROLL, SB_LINELEFT, HTHSCROLL},
        {SB_HORZ, QStyle::SC_ScrollBarAddPage, WM_HSCROLL, SB_PAGERIGHT, HTHSCROLL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bar) + "/" + std::to_string(c.code));
        window.clear();
        const QPoint at = centreOf(c.bar, c.part);
        QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier, at);

        EXPECT_EQ(window.sequence({WM_NCLBUTTONDOWN, c.msg}).front(), WM_NCLBUTTONDOWN);
        const auto nc = window.messages(WM_NCLBUTTONDOWN);
        ASSERT_EQ(nc.size(), 1u);
        EXPECT_EQ(static_cast<LRESULT>(nc[0].wParam), c.hit);
        const QPoint screen = window.host().mapToGlobal(at);
        EXPECT_EQ(GET_X_LPARAM(nc[0].lParam), screen.x());
        EXPECT_EQ(GET_Y_LPARAM(nc[0].lParam), screen.y());
        EXPECT_EQ(codes(c.msg), (std::vector<WORD>{c.code, SB_ENDSCROLL}));
        EXPECT_TRUE(window.messages(WM_LBUTTONDOWN).empty());
    }
}

TEST_F(HostScrollBarTest, ARightPressOnABarIsOnlyANonClientMessage) {
    QTest::mouseClick(&window.host(), Qt::RightButton, Qt::NoModifier,
                      centreOf(SB_VERT, QStyle::SC_ScrollBarAddLine));
    const auto nc = window.messages(WM_NCRBUTTONDOWN);
    ASSERT_EQ(nc.size(), 1u);
    EXPECT_EQ(static_cast<LRESULT>(nc[0].wParam), HTVSCROLL);
    EXPECT_TRUE(window.messages(WM_VSCROLL).empty());
    EXPECT_TRUE(window.messages(WM_RBUTTONDOWN).empty());
}

TEST_F(HostScrollBarTest, ABarThatNobodyMovesStaysWhereTheScrollInfoSays) {
    const QImage before = barPixels(SB_VERT);
    const QPoint grab = centreOf(SB_VERT, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&window.host(), Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(&window.host(), grab + QPoint(0, 40));
    QTest::mouseRelease(&window.host(), Qt::LeftButton, Qt::NoModifier, grab + QPoint(0, 40));

    const auto scrolls = window.messages(WM_VSCROLL);
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(LOWORD(scrolls.back().wParam), SB_ENDSCROLL);
    EXPECT_EQ(LOWORD(scrolls[scrolls.size() - 2].wParam), SB_THUMBPOSITION);
    // The last track position is further down, and it is in the scroll info too.
    const auto tracks = codes(WM_VSCROLL);
    ASSERT_NE(std::find(tracks.begin(), tracks.end(), SB_THUMBTRACK), tracks.end());
    const int tracked = HIWORD(scrolls[scrolls.size() - 2].wParam);
    EXPECT_GT(tracked, 45);
    SCROLLINFO si;
    si.fMask = SIF_TRACKPOS | SIF_POS;
    GetScrollInfo(window.hwnd(), SB_VERT, &si);
    EXPECT_EQ(si.nTrackPos, tracked);

    EXPECT_EQ(si.nPos, 45);
    EXPECT_EQ(barPixels(SB_VERT), before);
    EXPECT_EQ(centreOf(SB_VERT, QStyle::SC_ScrollBarSlider), grab);
}

TEST_F(HostScrollBarTest, ABarFollowsAProcedureThatScrolls) {
    followScrolling();
    const QImage before = barPixels(SB_VERT);
    const QPoint grab = centreOf(SB_VERT, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&window.host(), Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(&window.host(), grab + QPoint(0, 30));

    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(window.hwnd(), SB_VERT, &si);
    EXPECT_GT(si.nPos, 45);
    EXPECT_EQ(si.nPos, si.nTrackPos);
    // The thumb stays under the pointer while it follows the scroll info.
    EXPECT_NEAR(centreOf(SB_VERT, QStyle::SC_ScrollBarSlider).y(), grab.y() + 30, 2);
    QTest::mouseRelease(&window.host(), Qt::LeftButton, Qt::NoModifier, grab + QPoint(0, 30));
    EXPECT_NE(barPixels(SB_VERT), before);

    // A line step moves it again by exactly one.
    const int pos = position(SB_VERT);
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier,
                      centreOf(SB_VERT, QStyle::SC_ScrollBarAddLine));
    EXPECT_EQ(position(SB_VERT), pos + 1);
}

TEST_F(HostScrollBarTest, HoldingAPageAreaRepeatsUntilTheThumbReachesThePointer) {
    followScrolling();
    const QRect page = bar(SB_VERT).partRect(QStyle::SC_ScrollBarAddPage);
    const QPoint target(page.center().x(), page.bottom() - 5);
    QTest::mousePress(&window.host(), Qt::LeftButton, Qt::NoModifier, target);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return bar(SB_VERT).partRect(QStyle::SC_ScrollBarSlider).contains(target); }));
    const std::size_t steps = window.messages(WM_VSCROLL).size();
    EXPECT_GE(steps, 2u); // the press and at least one repeat
    QTest::qWait(200);
    EXPECT_EQ(window.messages(WM_VSCROLL).size(), steps); // the thumb is under the pointer now
    QTest::mouseRelease(&window.host(), Qt::LeftButton, Qt::NoModifier, target);
    EXPECT_EQ(codes(WM_VSCROLL).back(), SB_ENDSCROLL);
}

TEST_F(HostScrollBarTest, ADragWhoseReleaseWentElsewhereEndsAtTheNextMove) {
    const QPoint grab = centreOf(SB_VERT, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&window.host(), Qt::LeftButton, Qt::NoModifier, grab);
    // The release went to a modal box; the next move arrives with no button held.
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(0, 30)),
                     QPointF(window.host().mapToGlobal(grab + QPoint(0, 30))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window.host(), &move);
    const auto sent = codes(WM_VSCROLL);
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[sent.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(sent.back(), SB_ENDSCROLL);

    window.clear();
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier,
                      centreOf(SB_VERT, QStyle::SC_ScrollBarAddLine));
    EXPECT_EQ(codes(WM_VSCROLL), (std::vector<WORD>{SB_LINEDOWN, SB_ENDSCROLL}));
}

TEST_F(HostScrollBarTest, ADisabledBarSendsOnlyTheNonClientPress) {
    EnableScrollBar(window.hwnd(), SB_VERT, ESB_DISABLE_BOTH);
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier,
                      centreOf(SB_VERT, QStyle::SC_ScrollBarAddLine));
    EXPECT_EQ(window.messages(WM_NCLBUTTONDOWN).size(), 1u);
    EXPECT_TRUE(window.messages(WM_VSCROLL).empty());
}

TEST_F(HostScrollBarTest, AHiddenBarGivesItsRoomToTheClientArea) {
    ShowScrollBar(window.hwnd(), SB_VERT, false);
    EXPECT_TRUE(bar(SB_VERT).geometry().isEmpty());
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(window.host().width() - 5, 20));
    EXPECT_TRUE(window.messages(WM_NCLBUTTONDOWN).empty());
    EXPECT_EQ(window.messages(WM_LBUTTONDOWN).size(), 1u);
}

TEST_F(HostScrollBarTest, TheThumbStandsOutFromItsTrack) {
    for (const int which : {SB_HORZ, SB_VERT}) {
        const QImage pixels = barPixels(which);
        const QPoint origin = bar(which).geometry().topLeft();
        const QColor thumb =
            pixels.pixelColor(centreOf(which, QStyle::SC_ScrollBarSlider) - origin);
        const QColor track =
            pixels.pixelColor(centreOf(which, QStyle::SC_ScrollBarAddPage) - origin);
        EXPECT_GE(ContrastRatio(thumb, track), 3.0)
            << (which == SB_HORZ ? "horizontal" : "vertical") << " thumb "
            << thumb.name().toStdString() << " on " << track.name().toStdString();
    }
}

TEST_F(HostScrollBarTest, WithNothingToScrollTheGrooveIsEmpty) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 9;
    si.nPage = 20; // every row fits
    si.nPos = 0;
    SetScrollInfo(window.hwnd(), SB_VERT, &si, true);
    EXPECT_TRUE(EmptyGroove(SB_VERT));
    si.nMax = 99; // a range, but the window disabled the bar
    si.nPage = 10;
    SetScrollInfo(window.hwnd(), SB_VERT, &si, true);
    EnableScrollBar(window.hwnd(), SB_VERT, ESB_DISABLE_BOTH);
    EXPECT_TRUE(EmptyGroove(SB_VERT));
}

bool HostScrollBarTest::EmptyGroove(int which) {
    const QImage pixels = barPixels(which);
    const QRect groove = bar(SB_VERT)
                             .partRect(QStyle::SC_ScrollBarGroove)
                             .translated(-bar(SB_VERT).geometry().topLeft());
    const QColor middle = pixels.pixelColor(groove.center());
    int unlike = 0;
    for (int y = groove.top() + 2; y <= groove.bottom() - 2; ++y)
        if (ContrastRatio(pixels.pixelColor(groove.center().x(), y), middle) > 1.5) ++unlike;
    return unlike == 0;
}

TEST(ThumbColourTest, ReachesThreeToOneOnLightAndDarkTracks) {
    struct Case {
        QColor track;
        QColor start;
    };
    for (const Case& c : {Case{QColor(240, 240, 240), QColor(220, 220, 220)},
                          Case{QColor(212, 208, 200), QColor(160, 160, 160)},
                          Case{QColor(40, 40, 40), QColor(60, 60, 60)},
                          Case{QColor(255, 255, 255), QColor(255, 255, 255)}}) {
        for (const bool pressed : {false, true})
            EXPECT_GE(ContrastRatio(ThumbColor(c.track, c.start, pressed), c.track), 3.0)
                << c.track.name().toStdString() << (pressed ? " pressed" : "");
    }
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
}

} // namespace
} // namespace lumarin::platform::qt::hosttest
