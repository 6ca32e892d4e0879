// SPDX-License-Identifier: MIT
#include "WindowTestSupport.h"

#include <string>

namespace lumarin::platform::test {
namespace {

using ProcedureTest = WindowTest;

// Two hooks chained in front of the class procedure, each remembering the
// procedure it replaced, as a subclassing hook does.
std::string g_trace;
WNDPROC g_beforeOuter = nullptr;
WNDPROC g_beforeInner = nullptr;

LRESULT InnerHook(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_trace += "inner ";
    return CallWindowProc(g_beforeInner, h, m, w, l) + 10;
}

LRESULT OuterHook(HWND h, UINT m, WPARAM w, LPARAM l) {
    g_trace += "outer ";
    return CallWindowProc(g_beforeOuter, h, m, w, l) + 100;
}

LRESULT Answer(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) return 1;
    return DefWindowProc(h, m, w, l);
}

TEST_F(ProcedureTest, SwappedProceduresChainThroughCallWindowProc) {
    const HWND hwnd = Create();
    const LONG_PTR classProc = GetWindowLongPtr(hwnd, GWLP_WNDPROC);
    EXPECT_EQ(ToWndProc(classProc), &RecordingProc);

    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(Answer)), classProc);
    g_beforeInner = ToWndProc(SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(InnerHook)));
    g_beforeOuter = ToWndProc(SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(OuterHook)));
    EXPECT_EQ(g_beforeInner, &Answer);
    EXPECT_EQ(g_beforeOuter, &InnerHook);

    g_trace.clear();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 111);
    EXPECT_EQ(g_trace, "outer inner ");

    // Unhooking the outer one restores the inner one exactly.
    EXPECT_EQ(ToWndProc(SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(g_beforeOuter))),
              &OuterHook);
    g_trace.clear();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 11);
    EXPECT_EQ(g_trace, "inner ");
}

TEST_F(ProcedureTest, NullProcedureIsRefused) {
    const HWND hwnd = Create();
    EXPECT_EQ(SetWindowLongPtr(hwnd, GWLP_WNDPROC, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(ToWndProc(GetWindowLongPtr(hwnd, GWLP_WNDPROC)), &RecordingProc);
    EXPECT_EQ(CallWindowProc(nullptr, hwnd, WM_USER, 0, 0), 0);
}

TEST_F(ProcedureTest, LongValuesReturnTheirPreviousValue) {
    const HWND hwnd = Create(WS_BORDER, WS_EX_CLIENTEDGE);
    struct Case {
        int index;
        LONG_PTR initial;
        LONG_PTR next;
    };
    for (const Case c :
         {Case{GWL_STYLE, WS_BORDER, WS_BORDER | WS_VSCROLL},
          Case{GWL_EXSTYLE, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE}, Case{GWLP_USERDATA, 0, -12345}}) {
        EXPECT_EQ(GetWindowLongPtr(hwnd, c.index), c.initial) << c.index;
        EXPECT_EQ(SetWindowLongPtr(hwnd, c.index, c.next), c.initial) << c.index;
        EXPECT_EQ(GetWindowLongPtr(hwnd, c.index), c.next) << c.index;
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetWindowLongPtr(hwnd, -6), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
    EXPECT_EQ(SetWindowLongPtr(hwnd, -12, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
}

// A hook that takes itself out while the window is being destroyed: the
// final message must still be the last and reach the original procedure.
WNDPROC g_replaced = nullptr;
LRESULT UnhookOnNcDestroy(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_NCDESTROY) SetWindowLongPtr(h, GWLP_WNDPROC, FromWndProc(g_replaced));
    return CallWindowProc(g_replaced, h, m, w, l);
}

TEST_F(ProcedureTest, HookMayRemoveItselfDuringTheFinalMessage) {
    const HWND hwnd = Create();
    g_replaced = ToWndProc(SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(UnhookOnNcDestroy)));
    MessageLog().clear();
    DestroyWindow(hwnd);
    EXPECT_EQ(MessagesTo(hwnd), (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
}

// Messages sent from inside a procedure are delivered at once, nested.
LRESULT Nesting(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m >= WM_USER && m < WM_USER + 3) {
        g_trace += std::to_string(m - WM_USER) + "(";
        const LRESULT inner = SendMessage(h, m + 1, w, l);
        g_trace += ")";
        return inner + 1;
    }
    return DefWindowProc(h, m, w, l);
}

TEST_F(ProcedureTest, NestedSendMessageRunsSynchronously) {
    const HWND hwnd = Create();
    SetWindowLongPtr(hwnd, GWLP_WNDPROC, FromWndProc(Nesting));
    g_trace.clear();
    EXPECT_EQ(SendMessage(hwnd, WM_USER, 0, 0), 3);
    EXPECT_EQ(g_trace, "0(1(2()))");
}

TEST_F(ProcedureTest, ReRegisteringAClassReplacesItsProcedureForNewWindows) {
    const HWND before = Create();
    WNDCLASS wc;
    wc.lpszClassName = kRecordingClass;
    wc.lpfnWndProc = Answer;
    RegisterClass(wc);
    const HWND after = Create();
    EXPECT_EQ(ToWndProc(GetWindowLongPtr(before, GWLP_WNDPROC)), &RecordingProc);
    EXPECT_EQ(ToWndProc(GetWindowLongPtr(after, GWLP_WNDPROC)), &Answer);
    WNDCLASS invalid;
    EXPECT_EQ(RegisterClass(invalid), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

} // namespace
} // namespace lumarin::platform::test
