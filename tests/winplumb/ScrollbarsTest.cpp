// SPDX-License-Identifier: MIT
#include "winplumb/Scrollbars.h"

#include "WindowFixture.h"
#include "platform/ScrollBar.h"
#include "winplumb/Subclasser.h"

#include <algorithm>
#include <string>

namespace lumarin::winplumb::test {
namespace {

struct Event {
    std::string name;
    int eBar;
    int arg;
    friend bool operator==(const Event&, const Event&) = default;
};

void PrintTo(const Event& e, std::ostream* os) {
    *os << e.name << "(" << e.eBar << ", " << e.arg << ")";
}

class ScrollbarsTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        m_hwnd = CreateTestWindow();
        Listen(m_sb);
        m_sb.Create(m_hwnd);
        for (int eBar : {SB_HORZ, SB_VERT}) {
            m_sb.Min(eBar, 0);
            m_sb.LargeChange(eBar, 10);
            m_sb.Max(eBar, 50);
            m_sb.SmallChange(eBar, 1);
            m_sb.Enabled(eBar, true);
            m_sb.Visible(eBar, true);
        }
        m_events.clear();
    }

    void Listen(Scrollbars& sb) {
        sb.ScrollClick = [this](int& eBar, int& eButton) {
            m_events.push_back({"ScrollClick", eBar, eButton});
        };
        sb.Scroll = [this](int& eBar) { m_events.push_back({"Scroll", eBar, 0}); };
        sb.Change = [this](int& eBar) { m_events.push_back({"Change", eBar, m_sb.Value(eBar)}); };
        sb.MouseWheel = [this](int& eBar, int& lAmount) {
            m_events.push_back({"MouseWheel", eBar, lAmount});
        };
    }

    void StartAt(int eBar, int value) {
        m_sb.Value(eBar, value);
        m_events.clear();
    }

    static int WheelLines() {
        UINT lines = 0;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        return static_cast<int>(lines) < 1 ? 3 : static_cast<int>(lines);
    }

    HWND m_hwnd = 0;
    std::vector<Event> m_events;
    Scrollbars m_sb;
};

TEST_F(ScrollbarsTest, PropertiesMapOntoTheScrollInfo) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(m_hwnd, SB_VERT, &info));
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 60);
    EXPECT_EQ(info.nPage, 10u);
    EXPECT_EQ(m_sb.Max(SB_VERT), 50);

    m_sb.LargeChange(SB_VERT, 20); // Max stays
    EXPECT_EQ(m_sb.Max(SB_VERT), 50);
    EXPECT_EQ(m_sb.LargeChange(SB_VERT), 20);
    m_sb.Min(SB_VERT, 5); // moves the position from 0 to 5, silently
    EXPECT_EQ(m_sb.Min(SB_VERT), 5);
    EXPECT_EQ(m_sb.Max(SB_VERT), 50);
    EXPECT_EQ(m_sb.Value(SB_VERT), 5);
    EXPECT_TRUE(m_events.empty());
    EXPECT_EQ(m_sb.Max(SB_HORZ), 50); // the other bar is its own
}

TEST_F(ScrollbarsTest, ValueWritesReportOnlyRealChanges) {
    StartAt(SB_VERT, 40);
    m_sb.Value(SB_VERT, 40);
    EXPECT_TRUE(m_events.empty());
    m_sb.Value(SB_VERT, 41);
    m_sb.Value(SB_VERT, 500); // kept at Max + 1
    EXPECT_EQ(m_events, (std::vector<Event>{{"Change", 1, 41}, {"Change", 1, 51}}));
}

TEST_F(ScrollbarsTest, LoweringMaxBelowThePositionReportsTheMove) {
    StartAt(SB_VERT, 40);
    m_sb.Max(SB_VERT, 20);
    EXPECT_EQ(m_sb.Value(SB_VERT), 21);
    EXPECT_EQ(m_events, (std::vector<Event>{{"Change", 1, 21}}));
    m_sb.Max(SB_VERT, 30); // nothing moves
    EXPECT_EQ(m_events.size(), 1u);
}

TEST_F(ScrollbarsTest, ScrollRequestsMoveByTheTable) {
    const struct {
        int start;
        WORD request;
        int expected;
        bool changes;
    } cases[] = {
        {50, SB_LINEDOWN, 51, true},   {51, SB_LINEDOWN, 51, false},
        {5, SB_LINEUP, 4, true},       {0, SB_LINEUP, 0, false},
        {20, SB_PAGEDOWN, 30, true},   {45, SB_PAGEDOWN, 51, true},
        {5, SB_PAGEUP, 0, true},       {20, SB_TOP, 0, true},
        {20, SB_BOTTOM, 50, true},     {20, SB_THUMBPOSITION, 20, false},
        {20, SB_ENDSCROLL, 20, false}, {20, 9, 20, false},
    };
    for (int eBar : {SB_HORZ, SB_VERT}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << "bar " << eBar << " request " << c.request << " from " << c.start);
            StartAt(eBar, c.start);
            SendMessage(m_hwnd, eBar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(c.request, 0),
                        0);
            EXPECT_EQ(m_sb.Value(eBar), c.expected);
            if (c.changes)
                EXPECT_EQ(m_events, (std::vector<Event>{{"Change", eBar, c.expected}}));
            else
                EXPECT_TRUE(m_events.empty());
        }
    }
}

TEST_F(ScrollbarsTest, LineStepsUseTheBarsSmallChange) {
    m_sb.SmallChange(SB_VERT, 4);
    StartAt(SB_VERT, 49);
    SendMessage(m_hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(m_sb.Value(SB_VERT), 51);
    StartAt(SB_VERT, 2);
    SendMessage(m_hwnd, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(m_sb.Value(SB_VERT), 0);
    StartAt(SB_HORZ, 2);
    SendMessage(m_hwnd, WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(m_sb.Value(SB_HORZ), 3);
}

TEST_F(ScrollbarsTest, ThumbDragReportsChangeOrScroll) {
    SCROLLINFO track;
    track.fMask = SIF_TRACKPOS;
    track.nTrackPos = 33;
    SetScrollInfo(m_hwnd, SB_VERT, &track, true);
    SendMessage(m_hwnd, WM_VSCROLL, SB_THUMBTRACK, 0);
    EXPECT_EQ(m_sb.Value(SB_VERT), 33);
    EXPECT_EQ(m_events, (std::vector<Event>{{"Change", 1, 33}}));

    // Moved behind the object's back: the drag to the same place is a Scroll,
    // and the end of scrolling after another such move is a Change.
    m_events.clear();
    SetScrollPos(m_hwnd, SB_VERT, 40, true);
    track.nTrackPos = 40;
    SetScrollInfo(m_hwnd, SB_VERT, &track, true);
    SendMessage(m_hwnd, WM_VSCROLL, SB_THUMBTRACK, 0);
    SetScrollPos(m_hwnd, SB_VERT, 45, true);
    SendMessage(m_hwnd, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(m_events, (std::vector<Event>{{"Scroll", 1, 0}, {"Change", 1, 45}}));
}

TEST_F(ScrollbarsTest, WheelMovesTheVerticalBarByNotchesTimesLines) {
    const int lines = WheelLines();
    OwnResult(WM_MOUSEWHEEL, 77);
    const struct {
        short delta;
        bool enabled;
        bool visible;
        int amount;
        int expected;
        LRESULT result;
    } cases[] = {
        {120, true, true, -lines, 20 - lines, 1},
        {-240, true, true, 2 * lines, 20 + 2 * lines, 1},
        {60, true, true, 0, 20, 77},
        {120, false, true, -lines, 20, 77},
        {120, true, false, -lines, 20, 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "delta " << c.delta << " enabled " << c.enabled
                                          << " visible " << c.visible);
        m_sb.Enabled(SB_VERT, c.enabled);
        m_sb.Visible(SB_VERT, c.visible);
        StartAt(SB_VERT, 20);
        const auto ownWheels = [this] {
            const std::vector<UINT> seen = OwnProcedureSaw(m_hwnd);
            return std::count(seen.begin(), seen.end(), WM_MOUSEWHEEL);
        };
        const auto before = ownWheels();
        const LRESULT result =
            SendMessage(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
        EXPECT_EQ(result, c.result);
        // A turn the bar scrolls with never reaches the window (nor its parent).
        EXPECT_EQ(ownWheels() - before, c.expected == 20 ? 1 : 0);
        EXPECT_EQ(m_sb.Value(SB_VERT), c.expected);
        ASSERT_FALSE(m_events.empty());
        EXPECT_EQ(m_events[0], (Event{"MouseWheel", 1, c.amount}));
        EXPECT_EQ(m_events.size(), c.expected == 20 ? 1u : 2u);
    }
}

TEST_F(ScrollbarsTest, WheelListenerMayRedirectTheMove) {
    m_sb.MouseWheel = [](int& eBar, int& lAmount) {
        eBar = SB_HORZ;
        lAmount = 5;
    };
    StartAt(SB_HORZ, 10);
    EXPECT_EQ(SendMessage(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), 1);
    EXPECT_EQ(m_sb.Value(SB_HORZ), 15);

    m_sb.MouseWheel = [](int& eBar, int& lAmount) {
        eBar = 7; // names no bar: nothing moves
        lAmount = 5;
    };
    EXPECT_EQ(SendMessage(m_hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), 0);
    EXPECT_EQ(m_sb.Value(SB_HORZ), 15);
}

TEST_F(ScrollbarsTest, NonClientPressesOnBarsRaiseScrollClick) {
    const struct {
        UINT uMsg;
        LRESULT hit;
        std::vector<Event> expected;
    } cases[] = {
        {WM_NCLBUTTONDOWN, HTVSCROLL, {{"ScrollClick", 1, 1}}},
        {WM_NCRBUTTONDOWN, HTHSCROLL, {{"ScrollClick", 0, 2}}},
        {WM_NCLBUTTONDOWN, HTHSCROLL, {{"ScrollClick", 0, 1}}},
        {WM_NCMBUTTONDOWN, HTVSCROLL, {}},
        {WM_NCLBUTTONDOWN, HTBORDER, {}},
        {WM_NCRBUTTONDOWN, HTCLIENT, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "message " << c.uMsg << " hit " << c.hit);
        m_events.clear();
        SendMessage(m_hwnd, c.uMsg, static_cast<WPARAM>(c.hit), 0);
        EXPECT_EQ(m_events, c.expected);
    }
}

TEST_F(ScrollbarsTest, CreateAndTerminate) {
    Scrollbars fresh;
    EXPECT_TRUE(fresh.CanBeFlat());
    fresh.Create(0);
    EXPECT_TRUE(fresh.CanBeFlat());
    EXPECT_FALSE(m_sb.CanBeFlat());

    // A second Create while hooked changes nothing.
    const HWND other = CreateTestWindow();
    m_sb.Create(other);
    SendMessage(other, WM_NCLBUTTONDOWN, HTVSCROLL, 0);
    EXPECT_TRUE(m_events.empty());
    SendMessage(m_hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, 0);
    EXPECT_EQ(m_events.size(), 1u);

    m_events.clear();
    m_sb.Terminate();
    SendMessage(m_hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(m_hwnd, WM_NCLBUTTONDOWN, HTVSCROLL, 0);
    EXPECT_TRUE(m_events.empty());
    EXPECT_EQ(GetScrollPos(m_hwnd, SB_VERT), 0);

    m_sb.Create(other); // attached again, to another window
    m_sb.Max(SB_VERT, 30);
    m_sb.Enabled(SB_VERT, true);
    SendMessage(other, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(other, SB_VERT), 30);
    EXPECT_TRUE(Boxes().Calls().empty());
}

TEST_F(ScrollbarsTest, FailedHookLeavesPropertiesWorkingWithoutMessages) {
    const HWND other = CreateTestWindow();
    Subclasser first;
    RecordingReceiver receiver;
    ASSERT_TRUE(first.Subclass(other, &receiver, 0));

    Scrollbars sb;
    Listen(sb);
    sb.Create(other);
    EXPECT_EQ(LastBoxText(), u"Window handle is already subclassed.");
    sb.Max(SB_VERT, 40);
    sb.Value(SB_VERT, 12);
    EXPECT_EQ(GetScrollPos(other, SB_VERT), 12);
    m_events.clear();
    SendMessage(other, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(m_events.empty());
    EXPECT_EQ(sb.Value(SB_VERT), 12);
}

TEST_F(ScrollbarsTest, OrientationShowsBarsAndKeepsTheVisibleFlags) {
    m_sb.Orientation(efoHorizontal);
    EXPECT_TRUE(IsScrollBarVisible(m_hwnd, SB_HORZ));
    EXPECT_FALSE(IsScrollBarVisible(m_hwnd, SB_VERT));
    EXPECT_TRUE(m_sb.Visible(SB_VERT));
    m_sb.Orientation(efoBoth);
    EXPECT_TRUE(IsScrollBarVisible(m_hwnd, SB_VERT));
    m_sb.Visible(SB_HORZ, false);
    EXPECT_FALSE(IsScrollBarVisible(m_hwnd, SB_HORZ));
    m_sb.Enabled(SB_VERT, false);
    EXPECT_FALSE(IsScrollBarEnabled(m_hwnd, SB_VERT));
}

TEST_F(ScrollbarsTest, FlatStylesNeedFlatBars) {
    Scrollbars fresh;
    fresh.Style(2);
    EXPECT_EQ(fresh.Style(), 2);
    m_sb.Style(1); // standard bars: only the standard look
    EXPECT_EQ(m_sb.Style(), 0);
    m_sb.Style(0);
    EXPECT_EQ(m_sb.Style(), 0);
}

} // namespace
} // namespace lumarin::winplumb::test
