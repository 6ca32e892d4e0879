// SPDX-License-Identifier: MIT
#include "WindowFixture.h"

#include <algorithm>
#include <utility>

namespace lumarin::winplumb::test {

namespace {

constexpr char16_t kClassName[] = u"Winplumb.Test";

struct Received {
    HWND hwnd;
    UINT uMsg;
};

std::vector<Received> g_received;
std::map<UINT, LRESULT> g_results;
std::function<void(HWND, UINT)> g_reaction;

LRESULT OwnProcedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    g_received.push_back({hwnd, uMsg});
    if (g_reaction) g_reaction(hwnd, uMsg);
    const auto it = g_results.find(uMsg);
    if (it != g_results.end()) return it->second;
    return DefWindowProc(hwnd, uMsg, wParam, lParam);
}

} // namespace

void RecordingReceiver::WndProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND lng_hWnd,
                                UINT uMsg, WPARAM, LPARAM, LONG& lParamUser) {
    calls.push_back({bBefore, uMsg, lReturn, lParamUser});
    if (react) react(bBefore, bHandled, lReturn, lng_hWnd, uMsg, lParamUser);
}

void WindowFixture::SetUp() {
    m_services.emplace();

    WNDCLASS wc;
    wc.lpfnWndProc = &OwnProcedure;
    wc.lpszClassName = kClassName;
    RegisterClass(wc);
    g_received.clear();
    g_results.clear();
    g_reaction = nullptr;
}

void WindowFixture::TearDown() {
    g_reaction = nullptr;
    for (HWND hwnd : m_windows)
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    m_services.reset();
}

HWND WindowFixture::CreateTestWindow(LONG style) {
    const HWND hwnd = CreateWindowEx(0, kClassName, u"", style, 0, 0, 200, 100, 0, 0);
    EXPECT_NE(hwnd, 0);
    m_windows.push_back(hwnd);
    return hwnd;
}

std::vector<UINT> WindowFixture::OwnProcedureSaw(HWND hwnd) const {
    std::vector<UINT> seen;
    for (const Received& r : g_received)
        if (r.hwnd == hwnd) seen.push_back(r.uMsg);
    return seen;
}

bool WindowFixture::OwnProcedureSaw(HWND hwnd, UINT uMsg) const {
    const std::vector<UINT> seen = OwnProcedureSaw(hwnd);
    return std::find(seen.begin(), seen.end(), uMsg) != seen.end();
}

void WindowFixture::OwnResult(UINT uMsg, LRESULT result) {
    g_results[uMsg] = result;
}

void WindowFixture::OnOwnMessage(std::function<void(HWND, UINT)> reaction) {
    g_reaction = std::move(reaction);
}

std::u16string WindowFixture::LastBoxText() {
    return Boxes().Calls().empty() ? u"" : Boxes().Calls().back().text;
}

} // namespace lumarin::winplumb::test
