// SPDX-License-Identifier: MIT
#include "winplumb/Scrollbars.h"

#include "platform/ScrollBar.h"
#include "platform/Window.h"

#include <algorithm>
#include <climits>

namespace lumarin::winplumb {

using namespace platform;

// Sums of positions and steps given by callers may leave the int range.
int Scrollbars::Saturate(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

Scrollbars::~Scrollbars() {
    Terminate();
}

bool Scrollbars::Visible(int eBar) const {
    return ValidBar(eBar) && m_blnVisible[eBar];
}

void Scrollbars::Visible(int eBar, bool bState) {
    if (!ValidBar(eBar)) return;
    m_blnVisible[eBar] = bState;
    ShowScrollBar(m_hWnd, eBar, bState);
}

// Shows the bars the orientation names; the stored visible flags stay as they are.
void Scrollbars::Orientation(int eOrientation) {
    m_lngOrientation = eOrientation;
    ShowScrollBar(m_hWnd, SB_HORZ, eOrientation == efoHorizontal || eOrientation == efoBoth);
    ShowScrollBar(m_hWnd, SB_VERT, eOrientation == efoVertical || eOrientation == efoBoth);
}

// Flat looks need the flat bar facility, which this platform does not have:
// once a window is known to use standard bars only the standard look is kept.
void Scrollbars::Style(int eStyle) {
    if (eStyle != 0 && m_blnNoFlat) return;
    m_lngStyle = eStyle;
}

int Scrollbars::SmallChange(int eBar) const {
    return ValidBar(eBar) ? m_lngSmallChange[eBar] : 0;
}

void Scrollbars::SmallChange(int eBar, int lSmallChange) {
    if (ValidBar(eBar)) m_lngSmallChange[eBar] = lSmallChange;
}

bool Scrollbars::Enabled(int eBar) const {
    return ValidBar(eBar) && m_blnEnabled[eBar];
}

void Scrollbars::Enabled(int eBar, bool bEnabled) {
    if (!ValidBar(eBar)) return;
    m_blnEnabled[eBar] = bEnabled;
    EnableScrollBar(m_hWnd, eBar, bEnabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

int Scrollbars::Min(int eBar) const {
    return ReadInfo(eBar, SIF_RANGE).nMin;
}

int Scrollbars::Max(int eBar) const {
    const SCROLLINFO info = ReadInfo(eBar, SIF_RANGE | SIF_PAGE);
    return Saturate(static_cast<long long>(info.nMax) - info.nPage);
}

int Scrollbars::Value(int eBar) const {
    return ReadInfo(eBar, SIF_POS).nPos;
}

int Scrollbars::LargeChange(int eBar) const {
    return static_cast<int>(ReadInfo(eBar, SIF_PAGE).nPage);
}

void Scrollbars::Min(int eBar, int iMin) {
    SCROLLINFO info;
    info.nMin = iMin;
    info.nMax = Saturate(static_cast<long long>(Max(eBar)) + LargeChange(eBar));
    WriteInfo(eBar, info, SIF_RANGE);
}

void Scrollbars::Max(int eBar, int iMax) {
    SCROLLINFO info;
    info.nMax = Saturate(static_cast<long long>(iMax) + LargeChange(eBar));
    info.nMin = Min(eBar);
    WriteInfo(eBar, info, SIF_RANGE);
    ReportChange(eBar, false);
}

void Scrollbars::Value(int eBar, int iValue) {
    if (iValue == Value(eBar)) return;
    SCROLLINFO info;
    info.nPos = iValue;
    WriteInfo(eBar, info, SIF_POS);
    ReportChange(eBar, false);
}

// Max keeps its value: nMax moves with the page.
void Scrollbars::LargeChange(int eBar, int iLargeChange) {
    if (iLargeChange < 0) return;
    SCROLLINFO info = ReadInfo(eBar, SIF_ALL);
    info.nMax = Saturate(static_cast<long long>(info.nMax) - info.nPage + iLargeChange);
    info.nPage = static_cast<UINT>(iLargeChange);
    WriteInfo(eBar, info, SIF_RANGE | SIF_PAGE);
}

void Scrollbars::Terminate() {
    if (m_hWnd == 0) return;
    if (m_blnHooked) {
        m_clsSubclass.UnSubclass(m_hWnd);
        m_blnHooked = false;
    }
    m_hWnd = 0;
}

void Scrollbars::Create(HWND hWndA) {
    if (hWndA == 0 || m_blnHooked) return;
    Terminate();
    m_hWnd = hWndA;
    // Flat bars belong to platform versions before 5.1; this one reports 6.1
    // and has no flat facility, so every window gets the standard bars.
    m_blnNoFlat = true;
    if (!m_clsSubclass.Subclass(hWndA, this, 0)) return;
    m_blnHooked = true;
    for (UINT uMsg : {WM_HSCROLL, WM_VSCROLL, WM_NCLBUTTONDOWN, WM_NCMBUTTONDOWN, WM_NCRBUTTONDOWN})
        m_clsSubclass.AddMsg(hWndA, uMsg, MSG_AFTER);
    // The wheel comes first: a turn the bar scrolls with ends here, and only
    // one it leaves goes on to the window, which passes it to its parent.
    m_clsSubclass.AddMsg(hWndA, WM_MOUSEWHEEL, MSG_BEFORE);
    // "One screen at a time" reads as -1; like 0 it falls back to three lines.
    UINT lines = 0;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    m_lngWheelLines = static_cast<int>(lines) < 1 ? 3 : static_cast<int>(lines);
}

SCROLLINFO Scrollbars::ReadInfo(int eBar, UINT fMask) const {
    SCROLLINFO info;
    info.fMask = fMask;
    if (!ValidBar(eBar) || !GetScrollInfo(m_hWnd, eBar, &info)) return SCROLLINFO{};
    return info;
}

void Scrollbars::WriteInfo(int eBar, SCROLLINFO info, UINT fMask) {
    if (!ValidBar(eBar)) return;
    info.fMask = fMask;
    SetScrollInfo(m_hWnd, eBar, &info, true);
}

// Raises Change (or Scroll for a thumb drag) when the position differs from
// the one last reported for the bar.
void Scrollbars::ReportChange(int eBar, bool bThumbDrag) {
    if (!ValidBar(eBar) || Value(eBar) == m_lngLastValue[eBar]) return;
    int eEventBar = eBar;
    if (bThumbDrag) {
        if (Scroll) Scroll(eEventBar);
    } else if (Change) {
        Change(eEventBar);
    }
    m_lngLastValue[eBar] = Value(eBar);
}

} // namespace lumarin::winplumb
