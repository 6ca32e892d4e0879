// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"
#include "platform/ScrollBar.h"

#include <unistd.h>

namespace lumarin::platform::test {
namespace {

using LifetimeTest = WindowTest;

TEST_F(LifetimeTest, CreationSendsNcCreateCreateAndSizeInOrder) {
    const HWND hwnd = Create(WS_BORDER, 0, 120, 80);
    EXPECT_EQ(MessagesTo(hwnd), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    const Message size = MessagesOf(hwnd, WM_SIZE).front();
    EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(size.lParam)), 118);
    EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(size.lParam)), 78);
    EXPECT_EQ(GetClassName(hwnd), kRecordingClass);
}

TEST_F(LifetimeTest, CreateStructCarriesTheCreationParameter) {
    static LONG_PTR seen = 0;
    WNDCLASS wc;
    wc.lpszClassName = u"Test.CreateParam";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_CREATE) seen = reinterpret_cast<const CREATESTRUCT*>(l)->lpCreateParams;
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(wc);
    const HWND hwnd = CreateWindowEx(0, u"test.createparam", u"", 0, 0, 0, 10, 10, 0, 4711);
    ASSERT_NE(hwnd, 0) << "class names match regardless of case";
    EXPECT_EQ(seen, 4711);
    DestroyWindow(hwnd);
}

TEST_F(LifetimeTest, DestructionEndsWithNcDestroyAndTheHandleStaysInvalid) {
    const HWND hwnd = Create();
    MessageLog().clear();
    ASSERT_TRUE(DestroyWindow(hwnd));
    const std::vector<UINT> messages = MessagesTo(hwnd);
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages.front(), WM_DESTROY);
    EXPECT_EQ(messages.back(), WM_NCDESTROY);
    EXPECT_FALSE(IsWindow(hwnd));

    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(DestroyWindow(hwnd));

    const HWND next = Create();
    EXPECT_GT(next, hwnd) << "handles are never handed out twice";
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(LifetimeTest, BadHandlesFailWithTheWindowHandleError) {
    RECT rect;
    POINT pt;
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    for (HWND bad : {0, -1, 999999}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(GetClientRect(bad, &rect));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE) << bad;
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetWindowLongPtr(bad, GWL_STYLE), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE) << bad;
        EXPECT_FALSE(ClientToScreen(bad, &pt));
        EXPECT_EQ(SetTimer(bad, 1, 100), 0u);
        EXPECT_EQ(SetCapture(bad), 0);
        EXPECT_EQ(GetCapture(), 0);
        EXPECT_FALSE(InvalidateRect(bad, nullptr, false));
        EXPECT_FALSE(GetScrollInfo(bad, SB_VERT, &si));
    }
}

TEST_F(LifetimeTest, UnknownClassFails) {
    EXPECT_EQ(CreateWindowEx(0, u"No.Such.Class", u"", 0, 0, 0, 10, 10, 0, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(LifetimeTest, RefusedCreationLeavesNoWindow) {
    static HWND attempted = 0;
    struct Case {
        UINT refusing;
        LRESULT answer;
    };
    for (const Case c : {Case{WM_NCCREATE, 0}, Case{WM_CREATE, -1}}) {
        static Case current;
        current = c;
        WNDCLASS wc;
        wc.lpszClassName = u"Test.Refusing";
        wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            attempted = h;
            MessageLog().push_back(Message{h, m, w, l});
            if (m == current.refusing) return current.answer;
            return DefWindowProc(h, m, w, l);
        };
        RegisterClass(wc);
        MessageLog().clear();
        EXPECT_EQ(CreateWindowEx(0, u"Test.Refusing", u"", 0, 0, 0, 10, 10, 0, 0), 0);
        EXPECT_FALSE(IsWindow(attempted));
        EXPECT_EQ(MessagesTo(attempted).back(), WM_NCDESTROY) << c.refusing;
    }
}

TEST_F(LifetimeTest, ChildrenAreDestroyedBeforeTheParentsLastMessage) {
    const HWND parent = Create();
    const HWND child = Create(WS_CHILD, 0, 10, 10, parent);
    EXPECT_EQ(GetParent(child), parent);
    MessageLog().clear();
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    std::vector<std::pair<HWND, UINT>> order;
    for (const Message& m : MessageLog())
        order.emplace_back(m.hwnd, m.msg);
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{parent, WM_DESTROY},
                                                         {child, WM_DESTROY},
                                                         {child, WM_NCDESTROY},
                                                         {parent, WM_NCDESTROY}}));
}

TEST_F(LifetimeTest, ProcedureMayDestroyItsOwnWindowWhileHandlingAMessage) {
    static int destroyCalls = 0;
    destroyCalls = 0;
    WNDCLASS wc;
    wc.lpszClassName = u"Test.SelfDestroying";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        MessageLog().push_back(Message{h, m, w, l});
        if (m == WM_USER) {
            DestroyWindow(h);
            SendMessage(h, WM_USER + 1, 0, 0); // after its own death: must simply miss
            return 7;
        }
        if (m == WM_DESTROY) {
            ++destroyCalls;
            DestroyWindow(h); // nested: must not run the sequence twice
        }
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(wc);
    const HWND hwnd = CreateWindowEx(0, u"Test.SelfDestroying", u"", 0, 0, 0, 10, 10, 0, 0);
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 7);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(destroyCalls, 1);
    EXPECT_EQ(MessagesTo(hwnd).back(), WM_NCDESTROY);
    EXPECT_TRUE(MessagesOf(hwnd, WM_USER + 1).empty());
}

TEST_F(LifetimeTest, CloseDestroysThroughTheDefaultProcedure) {
    const HWND hwnd = Create();
    SendMessage(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(LifetimeTest, ThreadAndProcessOfAWindow) {
    const HWND hwnd = Create();
    DWORD pid = 0;
    EXPECT_NE(GetWindowThreadProcessId(hwnd, &pid), 0u);
    EXPECT_EQ(pid, static_cast<DWORD>(getpid()));
    EXPECT_EQ(GetCurrentProcessId(), static_cast<DWORD>(getpid()));
    DestroyWindow(hwnd);
    pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, &pid), 0u);
    EXPECT_EQ(pid, 0u);
}

} // namespace
} // namespace lumarin::platform::test
