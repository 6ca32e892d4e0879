// SPDX-License-Identifier: MIT
// The window's messages as they reach the scroll bars: after the window's own
// procedure has handled them (the hook's after table), except the wheel,
// which the bars see first.

#include "platform/ScrollBar.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>
#include <climits>

namespace lumarin::winplumb {

using namespace platform;

void Scrollbars::WndProc(bool, bool& bHandled, LRESULT& lReturn, HWND, UINT uMsg, WPARAM wParam,
                         LPARAM, LONG&) {
    switch (uMsg) {
    case WM_NCLBUTTONDOWN:
        OnNonClientButton(wParam, 1);
        break;
    case WM_NCRBUTTONDOWN:
        OnNonClientButton(wParam, 2);
        break;
    case WM_HSCROLL:
        OnScrollRequest(SB_HORZ, LOWORD(wParam));
        break;
    case WM_VSCROLL:
        OnScrollRequest(SB_VERT, LOWORD(wParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, bHandled, lReturn);
        break;
    default:
        break;
    }
}

void Scrollbars::OnNonClientButton(WPARAM hitTest, int eButton) {
    int eBar;
    if (hitTest == static_cast<WPARAM>(HTHSCROLL))
        eBar = SB_HORZ;
    else if (hitTest == static_cast<WPARAM>(HTVSCROLL))
        eBar = SB_VERT;
    else
        return;
    if (ScrollClick) ScrollClick(eBar, eButton);
}

void Scrollbars::OnScrollRequest(int eBar, WORD request) {
    const long long value = Value(eBar);
    bool bThumbDrag = false;
    switch (request) {
    case SB_LINEUP:
        Value(eBar, Saturate(std::max<long long>(value - m_lngSmallChange[eBar], Min(eBar))));
        break;
    case SB_LINEDOWN:
        Value(eBar, Saturate(std::min<long long>(value + m_lngSmallChange[eBar], Max(eBar) + 1LL)));
        break;
    case SB_PAGEUP:
        Value(eBar, Saturate(value - LargeChange(eBar)));
        break;
    case SB_PAGEDOWN:
        Value(eBar, Saturate(value + LargeChange(eBar)));
        break;
    case SB_THUMBPOSITION:
        return;
    case SB_THUMBTRACK: {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hWnd, eBar, &info);
        Value(eBar, info.nTrackPos);
        bThumbDrag = true;
        break;
    }
    case SB_TOP:
        Value(eBar, Min(eBar));
        break;
    case SB_BOTTOM:
        Value(eBar, Max(eBar));
        break;
    case SB_ENDSCROLL:
        break;
    default:
        return;
    }
    ReportChange(eBar, bThumbDrag);
}

// One notch (120) moves small change x wheel lines; positive deltas turn away
// from the user and scroll up. The listener may change the bar and amount.
void Scrollbars::OnMouseWheel(WPARAM wParam, bool& bHandled, LRESULT& lReturn) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    // In double: the steps are the caller's and their product may leave any
    // integer range; every result that fits an int is exact.
    const double amount =
        static_cast<double>(-delta / WHEEL_DELTA) * m_lngSmallChange[SB_VERT] * m_lngWheelLines;
    int eBar = SB_VERT;
    int lAmount = static_cast<int>(
        std::clamp(amount, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
    if (MouseWheel) MouseWheel(eBar, lAmount);
    if (lAmount == 0 || !ValidBar(eBar) || !m_blnEnabled[eBar] || !m_blnVisible[eBar]) return;
    Value(eBar, Saturate(static_cast<long long>(Value(eBar)) + lAmount));
    lReturn = 1;
    bHandled = true;
}

} // namespace lumarin::winplumb
