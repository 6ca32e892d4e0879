// SPDX-License-Identifier: MIT
#include "winplumb/Subclasser.h"

#include "WindowFixture.h"

namespace lumarin::winplumb::test {
namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kNested = WM_USER + 2;

class SubclasserTest : public WindowFixture {
protected:
    void ExpectOneError(const std::u16string& routine, const std::u16string& message) {
        ASSERT_EQ(Boxes().Calls().size(), 1u);
        EXPECT_EQ(Boxes().Calls()[0].text, message + u".");
        EXPECT_EQ(Boxes().Calls()[0].title, u"Error in Subclasser." + routine);
        EXPECT_EQ(Boxes().Calls()[0].flags, MB_OK | MB_ICONEXCLAMATION);
        ASSERT_EQ(Log().Entries().size(), 1u);
        EXPECT_EQ(Log().Entries()[0], u"Subclasser." + routine + u": " + message);
        Boxes().Clear();
        Log().Clear();
    }

    Subclasser m_hook;
    RecordingReceiver m_receiver;
};

TEST_F(SubclasserTest, InvalidHandleIsRefusedAndStartsNothing) {
    EXPECT_FALSE(m_hook.Subclass(987654, &m_receiver, 0));
    ExpectOneError(u"sc_Subclass", u"Invalid window handle");

    const HWND hwnd = CreateTestWindow();
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    ExpectOneError(u"zMap_hWnd", u"Subclassing hasn't been started");
    m_hook.UnSubclass(hwnd);
    ExpectOneError(u"UnSubclass", u"Window handle isn't subclassed");
}

TEST_F(SubclasserTest, SecondSubclassIsRefusedAndFirstHookKeepsWorking) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);

    RecordingReceiver other;
    EXPECT_FALSE(m_hook.Subclass(hwnd, &other, 0));
    ExpectOneError(u"sc_Subclass", u"Window handle is already subclassed");
    // Another Subclasser may not hook the same window either.
    Subclasser second;
    EXPECT_FALSE(second.Subclass(hwnd, &other, 0));
    ExpectOneError(u"sc_Subclass", u"Window handle is already subclassed");

    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_EQ(m_receiver.calls.size(), 1u);
    EXPECT_TRUE(other.calls.empty());
}

TEST_F(SubclasserTest, AfterCallSeesTheOwnResultAndDecidesTheReturn) {
    const HWND hwnd = CreateTestWindow();
    OwnResult(kPing, 42);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    bool ownProcedureFirst = false;
    m_receiver.react = [&](bool, bool&, LRESULT& lReturn, HWND, UINT, LONG&) {
        ownProcedureFirst = OwnProcedureSaw(hwnd, kPing);
        lReturn = 7;
    };

    EXPECT_EQ(SendMessage(hwnd, kPing, 0, 0), 7);
    EXPECT_TRUE(ownProcedureFirst);
    ASSERT_EQ(m_receiver.calls.size(), 1u);
    EXPECT_FALSE(m_receiver.calls[0].bBefore);
    EXPECT_EQ(m_receiver.calls[0].lReturnOnEntry, 42);
}

TEST_F(SubclasserTest, BeforeCallThatHandlesStopsTheMessage) {
    const HWND hwnd = CreateTestWindow();
    OwnResult(kPing, 42);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE_AND_AFTER);
    m_receiver.react = [](bool bBefore, bool& bHandled, LRESULT& lReturn, HWND, UINT, LONG&) {
        if (bBefore) {
            bHandled = true;
            lReturn = 5;
        }
    };

    EXPECT_EQ(SendMessage(hwnd, kPing, 0, 0), 5);
    EXPECT_FALSE(OwnProcedureSaw(hwnd, kPing));
    ASSERT_EQ(m_receiver.calls.size(), 1u);
    EXPECT_TRUE(m_receiver.calls[0].bBefore);
    EXPECT_EQ(m_receiver.calls[0].lReturnOnEntry, 0);
}

TEST_F(SubclasserTest, UnhandledBeforeCallLetsTheMessageThrough) {
    const HWND hwnd = CreateTestWindow();
    OwnResult(kPing, 42);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE);
    m_hook.AddMsg(hwnd, ALL_MESSAGES, MSG_AFTER);
    m_hook.DelMsg(hwnd, ALL_MESSAGES, MSG_AFTER);

    EXPECT_EQ(SendMessage(hwnd, kPing, 0, 0), 42);
    EXPECT_TRUE(OwnProcedureSaw(hwnd, kPing));
    ASSERT_EQ(m_receiver.calls.size(), 1u);
    EXPECT_TRUE(m_receiver.calls[0].bBefore);
}

TEST_F(SubclasserTest, AllMessagesMatchesEveryMessage) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, ALL_MESSAGES, MSG_AFTER);
    SendMessage(hwnd, kPing, 0, 0);
    SendMessage(hwnd, WM_TIMER, 1, 0);
    ASSERT_EQ(m_receiver.calls.size(), 2u);
    EXPECT_EQ(m_receiver.calls[1].uMsg, WM_TIMER);
}

TEST_F(SubclasserTest, TableHoldsThirtyTwoMessagesAndReusesFreedSlots) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    for (UINT i = 0; i < MSG_ENTRIES; ++i)
        m_hook.AddMsg(hwnd, WM_USER + 100 + i, MSG_BEFORE);
    m_hook.AddMsg(hwnd, WM_USER + 100, MSG_BEFORE); // already there: no change
    EXPECT_TRUE(Boxes().Calls().empty());

    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE);
    ExpectOneError(u"zAddMsg",
                   u"Message table overflow. Either increase the value of Const MSG_ENTRIES or "
                   u"use ALL_MESSAGES instead of specific message values");
    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_TRUE(m_receiver.calls.empty());

    m_hook.DelMsg(hwnd, WM_USER + 105, MSG_BEFORE);
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE);
    EXPECT_TRUE(Boxes().Calls().empty());
    SendMessage(hwnd, kPing, 0, 0);
    SendMessage(hwnd, WM_USER + 105, 0, 0);
    ASSERT_EQ(m_receiver.calls.size(), 1u);
    EXPECT_EQ(m_receiver.calls[0].uMsg, kPing);

    // A message is entered once, even behind a freed slot: one DelMsg stops it.
    m_hook.DelMsg(hwnd, WM_USER + 101, MSG_BEFORE);
    m_hook.AddMsg(hwnd, WM_USER + 102, MSG_BEFORE);
    m_hook.DelMsg(hwnd, WM_USER + 102, MSG_BEFORE);
    SendMessage(hwnd, WM_USER + 102, 0, 0);
    EXPECT_EQ(m_receiver.calls.size(), 1u);

    // The other table is untouched, and every message is always accepted.
    m_hook.AddMsg(hwnd, kNested, MSG_AFTER);
    m_hook.AddMsg(hwnd, ALL_MESSAGES, MSG_BEFORE);
    EXPECT_TRUE(Boxes().Calls().empty());
}

TEST_F(SubclasserTest, DeletingAMissingMessageNamesItInHex) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, WM_VSCROLL, MSG_AFTER);
    const struct {
        UINT uMsg;
        int When;
        const char16_t* message;
    } cases[] = {
        {276, MSG_AFTER, u"Message &H114 not found in table"},
        {WM_NCLBUTTONDOWN, MSG_AFTER, u"Message &HA1 not found in table"},
        {WM_MOUSEWHEEL, MSG_AFTER, u"Message &H20A not found in table"},
        {WM_VSCROLL, MSG_BEFORE, u"Message &H115 not found in table"}, // empty table
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uMsg);
        m_hook.DelMsg(hwnd, c.uMsg, c.When);
        ExpectOneError(u"zDelMsg", c.message);
    }
    m_hook.AddMsg(hwnd, ALL_MESSAGES, MSG_BEFORE);
    m_hook.DelMsg(hwnd, WM_VSCROLL, MSG_BEFORE);
    ExpectOneError(u"zDelMsg", u"Message &H115 not found in table");
}

TEST_F(SubclasserTest, UserValueIsKeptAndReceiverChangesStick) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 11));
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    EXPECT_EQ(m_hook.lParamUser(hwnd), 11);
    m_hook.lParamUser(hwnd, 12);
    m_receiver.react = [](bool, bool&, LRESULT&, HWND, UINT, LONG& lParamUser) { ++lParamUser; };
    SendMessage(hwnd, kPing, 0, 0);
    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_EQ(m_receiver.calls[0].lParamUserOnEntry, 12);
    EXPECT_EQ(m_receiver.calls[1].lParamUserOnEntry, 13);
    EXPECT_EQ(m_hook.lParamUser(hwnd), 14);
}

TEST_F(SubclasserTest, CallOrigWndProcBypassesTheReceiver) {
    const HWND hwnd = CreateTestWindow();
    OwnResult(kPing, 42);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE_AND_AFTER);
    EXPECT_EQ(m_hook.CallOrigWndProc(hwnd, kPing, 0, 0), 42);
    EXPECT_TRUE(OwnProcedureSaw(hwnd, kPing));
    EXPECT_TRUE(m_receiver.calls.empty());
}

TEST_F(SubclasserTest, UnSubclassRestoresTheProcedureAtTheNextMessage) {
    const HWND hwnd = CreateTestWindow();
    const LONG_PTR own = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    EXPECT_NE(GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);

    m_hook.UnSubclass(hwnd);
    EXPECT_NE(GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);
    OwnResult(kPing, 9);
    EXPECT_EQ(SendMessage(hwnd, kPing, 0, 0), 9); // still reaches the window
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);
    EXPECT_TRUE(m_receiver.calls.empty());

    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    ExpectOneError(u"zMap_hWnd", u"Window handle isn't subclassed");
}

TEST_F(SubclasserTest, HookingAgainBeforeTheOldHookLeftWorks) {
    const HWND hwnd = CreateTestWindow();
    const LONG_PTR own = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.UnSubclass(hwnd);

    RecordingReceiver second;
    ASSERT_TRUE(m_hook.Subclass(hwnd, &second, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_EQ(second.calls.size(), 1u);
    EXPECT_TRUE(m_receiver.calls.empty());

    m_hook.UnSubclass(hwnd);
    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);
    EXPECT_TRUE(Boxes().Calls().empty());
}

// The window's own procedure answers kPing by sending kNested to itself while
// the receiver unhooks on kPing: the hook must survive the nested message and
// leave only when the outermost one returns.
TEST_F(SubclasserTest, RemovalWaitsForTheOutermostMessage) {
    const HWND hwnd = CreateTestWindow();
    const LONG_PTR own = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE_AND_AFTER);
    m_hook.AddMsg(hwnd, kNested, MSG_BEFORE_AND_AFTER);
    m_receiver.react = [&](bool bBefore, bool&, LRESULT&, HWND, UINT uMsg, LONG&) {
        if (bBefore && uMsg == kPing) m_hook.UnSubclass(hwnd);
    };
    LONG_PTR procedureDuringNested = 0;
    OnOwnMessage([&](HWND h, UINT uMsg) {
        if (uMsg == kPing) {
            SendMessage(h, kNested, 0, 0);
            procedureDuringNested = GetWindowLongPtr(h, GWLP_WNDPROC);
        }
    });

    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_TRUE(OwnProcedureSaw(hwnd, kNested));
    EXPECT_NE(procedureDuringNested, own);
    EXPECT_EQ(GetWindowLongPtr(hwnd, GWLP_WNDPROC), own);
    ASSERT_EQ(m_receiver.calls.size(), 1u); // nothing after the unhook
}

TEST_F(SubclasserTest, TerminateUnhooksEveryWindowAndStops) {
    HWND windows[3];
    LONG_PTR own[3];
    for (int i = 0; i < 3; ++i) {
        windows[i] = CreateTestWindow();
        own[i] = GetWindowLongPtr(windows[i], GWLP_WNDPROC);
        ASSERT_TRUE(m_hook.Subclass(windows[i], &m_receiver, 0));
        m_hook.AddMsg(windows[i], kPing, MSG_AFTER);
    }
    m_hook.Terminate();
    EXPECT_TRUE(Boxes().Calls().empty());
    for (int i = 0; i < 3; ++i) {
        SendMessage(windows[i], kPing, 0, 0);
        EXPECT_EQ(GetWindowLongPtr(windows[i], GWLP_WNDPROC), own[i]);
    }
    EXPECT_TRUE(m_receiver.calls.empty());
    m_hook.lParamUser(windows[0], 1);
    ExpectOneError(u"zMap_hWnd", u"Subclassing hasn't been started");
    EXPECT_TRUE(m_hook.Subclass(windows[0], &m_receiver, 0)); // a new start
}

TEST_F(SubclasserTest, WindowDestroyedWhileHookedReleasesItsHook) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, WM_DESTROY, MSG_AFTER);
    m_hook.AddMsg(hwnd, WM_NCDESTROY, MSG_BEFORE);
    DestroyWindow(hwnd);
    ASSERT_EQ(m_receiver.calls.size(), 2u);
    EXPECT_EQ(m_receiver.calls[0].uMsg, WM_DESTROY);
    EXPECT_EQ(m_receiver.calls[1].uMsg, WM_NCDESTROY);

    // The map still names the window, but its hook is gone: nothing happens.
    m_hook.AddMsg(hwnd, kPing, MSG_AFTER);
    EXPECT_EQ(m_hook.CallOrigWndProc(hwnd, kPing, 0, 0), 0);
    m_hook.UnSubclass(hwnd);
    m_hook.Terminate();
    EXPECT_TRUE(Boxes().Calls().empty());
}

TEST_F(SubclasserTest, ReceiverMayDestroyTheWindowFromInsideACall) {
    const HWND hwnd = CreateTestWindow();
    ASSERT_TRUE(m_hook.Subclass(hwnd, &m_receiver, 0));
    m_hook.AddMsg(hwnd, kPing, MSG_BEFORE_AND_AFTER);
    m_receiver.react = [](bool bBefore, bool&, LRESULT&, HWND h, UINT uMsg, LONG&) {
        if (bBefore && uMsg == kPing) DestroyWindow(h);
    };
    SendMessage(hwnd, kPing, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    // Only the before call: the window was gone when its procedure returned.
    EXPECT_EQ(m_receiver.calls.size(), 1u);
}

} // namespace
} // namespace lumarin::winplumb::test
