// SPDX-License-Identifier: MIT
// Qt input on a hosted window arrives as the window messages a window
// procedure expects, with the right parameters.

#include "RecordingWindow.h"
#include "platform/Window.h"

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace lumarin::platform::qt::hosttest {
namespace {

// WS_EX_CLIENTEDGE: a two-pixel frame, so client = widget - (2, 2).
constexpr int kFrame = 2;

struct ClientPoint {
    int x;
    int y;
};

ClientPoint FromLParam(LPARAM lp) {
    return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

class WindowHostInputTest : public ::testing::Test {
protected:
    RecordingWindow window{WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE};
};

TEST_F(WindowHostInputTest, ClicksBecomeButtonMessagesWithKeyStateAndClientPoint) {
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        UINT down;
        UINT up;
        WPARAM downKeys;
        WPARAM upKeys;
    };
    const Case cases[] = {
        {Qt::LeftButton, Qt::ShiftModifier, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON | MK_SHIFT,
         MK_SHIFT},
        {Qt::RightButton, Qt::ControlModifier, WM_RBUTTONDOWN, WM_RBUTTONUP,
         MK_RBUTTON | MK_CONTROL, MK_CONTROL},
        {Qt::MiddleButton, Qt::NoModifier, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.down);
        window.clear();
        QTest::mouseClick(&window.host(), c.button, c.modifiers, QPoint(30, 40));
        EXPECT_EQ(window.sequence({c.down, c.up}), (std::vector<UINT>{c.down, c.up}));
        const auto down = window.messages(c.down);
        const auto up = window.messages(c.up);
        ASSERT_EQ(down.size(), 1u);
        ASSERT_EQ(up.size(), 1u);
        EXPECT_EQ(down[0].wParam, c.downKeys);
        EXPECT_EQ(up[0].wParam, c.upKeys);
        EXPECT_EQ(FromLParam(down[0].lParam).x, 30 - kFrame);
        EXPECT_EQ(FromLParam(down[0].lParam).y, 40 - kFrame);
    }
}

TEST_F(WindowHostInputTest, SecondPressOfADoubleClickIsADoubleClickMessage) {
    QTest::mouseDClick(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(12, 14));
    const auto dbl = window.messages(WM_LBUTTONDBLCLK);
    ASSERT_EQ(dbl.size(), 1u);
    EXPECT_EQ(dbl[0].wParam, MK_LBUTTON);
    EXPECT_EQ(FromLParam(dbl[0].lParam).x, 12 - kFrame);
    EXPECT_TRUE(window.messages(WM_LBUTTONDOWN).empty());
}

TEST_F(WindowHostInputTest, ACapturedDragOutsideTheWindowKeepsSignedClientCoordinates) {
    window.react = [this](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg == WM_LBUTTONDOWN) SetCapture(window.hwnd());
        return false;
    };
    QTest::mousePress(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(&window.host(), QPoint(-10, -5));
    QTest::mouseRelease(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(-10, -5));
    ReleaseCapture();

    const auto moves = window.messages(WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().wParam, MK_LBUTTON);
    EXPECT_EQ(FromLParam(moves.back().lParam).x, -10 - kFrame);
    EXPECT_EQ(FromLParam(moves.back().lParam).y, -5 - kFrame);
    ASSERT_EQ(window.messages(WM_LBUTTONUP).size(), 1u);
}

TEST_F(WindowHostInputTest, APressOnTheFrameIsNoClientMessage) {
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    EXPECT_TRUE(window.messages(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(window.messages(WM_LBUTTONUP).empty());
}

TEST_F(WindowHostInputTest, AWheelNotchIsOneMouseWheelMessageOf120) {
    for (const int delta : {-120, 120}) {
        SCOPED_TRACE(delta);
        window.clear();
        const QPoint local(50, 60);
        const QPoint global = window.host().mapToGlobal(local);
        QWheelEvent wheel(QPointF(local), QPointF(global), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&window.host(), &wheel);

        const auto wheels = window.messages(WM_MOUSEWHEEL);
        ASSERT_EQ(wheels.size(), 1u);
        EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].wParam), delta);
        EXPECT_EQ(GET_KEYSTATE_WPARAM(wheels[0].wParam), MK_CONTROL);
        EXPECT_EQ(FromLParam(wheels[0].lParam).x, global.x());
        EXPECT_EQ(FromLParam(wheels[0].lParam).y, global.y());
    }
}

TEST_F(WindowHostInputTest, SmallWheelStepsGatherIntoWholeNotches) {
    const auto turn = [&](int delta) {
        const QPoint local(50, 60);
        QWheelEvent wheel(QPointF(local), QPointF(window.host().mapToGlobal(local)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&window.host(), &wheel);
    };
    const struct {
        std::vector<int> steps;
        std::vector<int> sent;
    } cases[] = {
        {{-40, -40, -30}, {}},        // 110 so far: nothing yet
        {{-20}, {-120}},              // 130: one notch, 10 kept
        {{60, 60}, {}},               // back to 110 the other way
        {{15}, {120}},                // 125
        {{400}, {360}},               // 405: three notches at once, 45 kept
        {{0, -45}, {}},               // back to nothing
        {{-120, -120}, {-120, -120}}, // whole notches pass as they come
    };
    for (const auto& c : cases) {
        window.clear();
        for (const int step : c.steps)
            turn(step);
        std::vector<int> sent;
        for (const auto& m : window.messages(WM_MOUSEWHEEL))
            sent.push_back(GET_WHEEL_DELTA_WPARAM(m.wParam));
        EXPECT_EQ(sent, c.sent) << "after " << ::testing::PrintToString(c.steps);
    }
}

TEST_F(WindowHostInputTest, KeysBecomeVirtualKeysAndCharacters) {
    // key is a Qt::Key, or a character typed as itself (so it carries its text).
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::vector<WPARAM> downs;
        std::vector<WPARAM> chars;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, Qt::NoModifier, {VK_PRIOR}, {}},
        {Qt::Key_PageDown, Qt::NoModifier, {VK_NEXT}, {}},
        {Qt::Key_Up, Qt::NoModifier, {VK_UP}, {}},
        {Qt::Key_Down, Qt::NoModifier, {VK_DOWN}, {}},
        {Qt::Key_Home, Qt::NoModifier, {VK_HOME}, {}},
        {Qt::Key_End, Qt::NoModifier, {VK_END}, {}},
        {Qt::Key_Space, Qt::NoModifier, {VK_SPACE}, {u' '}},
        {'a', Qt::NoModifier, {0x41}, {u'a'}},
        {'A', Qt::ShiftModifier, {VK_SHIFT, 0x41}, {u'A'}},
        {Qt::Key_A, Qt::ControlModifier, {VK_CONTROL, 0x41}, {}},
        {'7', Qt::NoModifier, {0x37}, {u'7'}},
        {Qt::Key_F5, Qt::NoModifier, {VK_F1 + 4}, {}},
        {Qt::Key_Return, Qt::NoModifier, {VK_RETURN}, {u'\r'}},
        {Qt::Key_Escape, Qt::NoModifier, {VK_ESCAPE}, {0x1B}},
        {Qt::Key_Delete, Qt::NoModifier, {VK_DELETE}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        window.clear();
        if (c.key < 0x80)
            QTest::keyClick(&window.host(), static_cast<char>(c.key), c.modifiers);
        else
            QTest::keyClick(&window.host(), static_cast<Qt::Key>(c.key), c.modifiers);
        std::vector<WPARAM> downs, ups, chars;
        for (const auto& m : window.messages(WM_KEYDOWN))
            downs.push_back(m.wParam);
        for (const auto& m : window.messages(WM_KEYUP))
            ups.push_back(m.wParam);
        for (const auto& m : window.messages(WM_CHAR))
            if (c.modifiers != Qt::ControlModifier) chars.push_back(m.wParam);
        EXPECT_EQ(downs, c.downs);
        EXPECT_EQ(ups.size(), c.downs.size());
        EXPECT_EQ(chars, c.chars);
        // The key comes down before its character is sent.
        if (!c.chars.empty()) {
            EXPECT_EQ(window.sequence({WM_KEYDOWN, WM_CHAR}).back(), WM_CHAR);
        }
    }
}

TEST_F(WindowHostInputTest, FocusInAndOutBecomeSetAndKillFocus) {
    window.host().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.host()));
    window.host().setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return GetFocus() == window.hwnd(); }));
    EXPECT_EQ(window.messages(WM_SETFOCUS).size(), 1u);

    window.host().clearFocus();
    EXPECT_EQ(GetFocus(), 0);
    EXPECT_EQ(window.messages(WM_KILLFOCUS).size(), 1u);

    SetFocus(window.hwnd()); // the window asks for the focus itself
    EXPECT_TRUE(window.host().hasFocus());
    EXPECT_EQ(window.messages(WM_SETFOCUS).size(), 2u);
}

// ---- drops -------------------------------------------------------------------------

struct DropCase {
    const char* name;
    bool acceptFiles;
    bool refuseInProcedure;
    bool withFiles;
    bool expectMessages;
};

class WindowHostDropTest : public WindowHostInputTest,
                           public ::testing::WithParamInterface<DropCase> {};

TEST_P(WindowHostDropTest, FileDropsReachOnlyWindowsThatAcceptThem) {
    const DropCase& c = GetParam();
    DragAcceptFiles(window.hwnd(), c.acceptFiles);
    if (c.refuseInProcedure)
        window.react = [](UINT msg, WPARAM, LPARAM lp, LRESULT&) {
            if (msg >= WM_OLEDRAGENTER && msg <= WM_OLEDRAGDROP)
                reinterpret_cast<DropInfo*>(lp)->effect = vbDropEffectNone;
            return false;
        };
    const QString chapter = QStringLiteral("/tmp/第一章.txt");
    QMimeData mime;
    if (c.withFiles)
        mime.setUrls({QUrl::fromLocalFile(chapter), QUrl::fromLocalFile("/tmp/b.txt"),
                      QUrl("https://example.org/c.txt")});
    else
        mime.setText("just text");

    QDragEnterEvent enter(QPoint(40, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&window.host(), &enter);
    QDragMoveEvent move(QPoint(41, 52), Qt::CopyAction, &mime, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(&window.host(), &move);
    QDropEvent drop(QPointF(42, 53), Qt::CopyAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(&window.host(), &drop);

    // A window that refuses at first still hears the rest of the drag.
    EXPECT_EQ(enter.isAccepted(), c.expectMessages);
    if (c.refuseInProcedure) {
        EXPECT_EQ(enter.dropAction(), Qt::IgnoreAction);
    }
    EXPECT_EQ(drop.isAccepted(), c.expectMessages && !c.refuseInProcedure);
    if (!c.expectMessages) {
        EXPECT_TRUE(window.drops().empty());
        return;
    }
    const auto& drops = window.drops();
    ASSERT_EQ(drops.size(), 3u);
    EXPECT_EQ(drops[0].msg, WM_OLEDRAGENTER);
    EXPECT_EQ(drops[1].msg, WM_OLEDRAGOVER);
    EXPECT_EQ(drops[2].msg, WM_OLEDRAGDROP);
    EXPECT_EQ(drops[0].state, 0);
    EXPECT_EQ(drops[1].state, 2);
    const std::vector<std::u16string> files{chapter.toStdU16String(), u"/tmp/b.txt"};
    EXPECT_EQ(drops[2].files, files);
    EXPECT_EQ(drops[0].button, 1);
    EXPECT_EQ(drops[0].shift, 1);
    EXPECT_EQ(drops[2].shift, 2);
    EXPECT_EQ(drops[2].pt, (POINT{42 - kFrame, 53 - kFrame}));
}

INSTANTIATE_TEST_SUITE_P(Drops, WindowHostDropTest,
                         ::testing::Values(DropCase{"accepting", true, false, true, true},
                                           DropCase{"refusing_window", false, false, true, false},
                                           DropCase{"text_only", true, false, false, false},
                                           DropCase{"procedure_says_none", true, true, true, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(WindowHostInputTest, ADragThatLeavesSendsDragLeave) {
    DragAcceptFiles(window.hwnd(), true);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile("/tmp/a.txt")});
    QDragEnterEvent enter(QPoint(40, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window.host(), &enter);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(&window.host(), &leave);
    ASSERT_EQ(window.drops().size(), 2u);
    EXPECT_EQ(window.drops()[1].msg, WM_OLEDRAGLEAVE);
    EXPECT_EQ(window.drops()[1].state, 1);
}

} // namespace
} // namespace lumarin::platform::qt::hosttest

namespace lumarin::platform::qt::hosttest {
namespace {

TEST(WindowHostDisabledTest, ADisabledWindowHearsNothingFromTheUser) {
    RecordingWindow window(WS_VSCROLL, 0);
    EnableWindow(window.hwnd(), false);
    window.clear();
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseClick(
        &window.host(), Qt::LeftButton, Qt::NoModifier,
        window.host().scrollBar(SB_VERT).partRect(QStyle::SC_ScrollBarAddLine).center());
    QTest::keyClick(&window.host(), Qt::Key_Down);
    EXPECT_TRUE(window
                    .sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_NCLBUTTONDOWN, WM_VSCROLL,
                               WM_KEYDOWN, WM_KEYUP})
                    .empty());

    EnableWindow(window.hwnd(), true);
    QTest::keyClick(&window.host(), Qt::Key_Down);
    EXPECT_EQ(window.messages(WM_KEYDOWN).size(), 1u);
}

} // namespace
} // namespace lumarin::platform::qt::hosttest

namespace lumarin::platform::qt::hosttest {
namespace {

TEST(WindowHostKeyStateTest, KeyStateFollowsModifiersAndTheModifierKeysThemselves) {
    RecordingWindow window(0, 0);
    std::vector<std::pair<UINT, bool>> seen; // message, Ctrl down while it was handled
    window.react = [&](UINT msg, WPARAM wp, LPARAM, LRESULT&) {
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP ||
            ((msg == WM_KEYDOWN || msg == WM_KEYUP) && wp == VK_CONTROL))
            seen.emplace_back(msg, GetKeyState(VK_CONTROL) < 0);
        return false;
    };
    QTest::keyPress(&window.host(), Qt::Key_Control);
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 20));
    QTest::keyRelease(&window.host(), Qt::Key_Control);
    QTest::mouseClick(&window.host(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));

    const std::vector<std::pair<UINT, bool>> expected{
        {WM_KEYDOWN, true}, {WM_LBUTTONDOWN, true},  {WM_LBUTTONUP, true},
        {WM_KEYUP, false},  {WM_LBUTTONDOWN, false}, {WM_LBUTTONUP, false}};
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace lumarin::platform::qt::hosttest
