// SPDX-License-Identifier: MIT
#pragma once
// The two scroll bars of one window (its own bars, not separate controls).
// Range, page and position live in the window layer's scroll info and are
// read and written through it every time; this object keeps only steps,
// flags and the last reported positions. Through a Subclasser hook it turns
// the window's scroll, wheel and non-client click messages into events.

#include "platform/WinTypes.h"
#include "winplumb/ISubclass.h"
#include "winplumb/Subclasser.h"

#include <array>
#include <functional>

namespace lumarin::winplumb {

// A bar is named by eBar: SB_HORZ (0) or SB_VERT (1).
// Orientation: which bars exist.
inline constexpr int efoHorizontal = 0;
inline constexpr int efoVertical = 1;
inline constexpr int efoBoth = 2;

class Scrollbars : public ISubclass {
public:
    Scrollbars() = default;
    ~Scrollbars() override;
    Scrollbars(const Scrollbars&) = delete;
    Scrollbars& operator=(const Scrollbars&) = delete;

    // Events, raised synchronously; handlers may change their arguments.
    std::function<void(int& eBar, int& eButton)> ScrollClick; // 1 left, 2 right
    std::function<void(int& eBar)> Scroll;                    // thumb drag
    std::function<void(int& eBar)> Change;
    std::function<void(int& eBar, int& lAmount)> MouseWheel;

    bool Visible(int eBar) const;
    void Visible(int eBar, bool bState);
    int Orientation() const { return m_lngOrientation; }
    void Orientation(int eOrientation);
    int Style() const { return m_lngStyle; }
    void Style(int eStyle);
    int SmallChange(int eBar) const;
    void SmallChange(int eBar, int lSmallChange);
    bool Enabled(int eBar) const;
    void Enabled(int eBar, bool bEnabled);
    int Min(int eBar) const;
    void Min(int eBar, int iMin);
    int Max(int eBar) const;
    void Max(int eBar, int iMax);
    int Value(int eBar) const;
    void Value(int eBar, int iValue);
    int LargeChange(int eBar) const;
    void LargeChange(int eBar, int iLargeChange);
    bool CanBeFlat() const { return !m_blnNoFlat; }
    void Terminate();
    void Create(platform::HWND hWndA);

    void WndProc(bool bBefore, bool& bHandled, platform::LRESULT& lReturn, platform::HWND lng_hWnd,
                 platform::UINT uMsg, platform::WPARAM wParam, platform::LPARAM lParam,
                 platform::LONG& lParamUser) override;

private:
    static int Saturate(long long value);
    static bool ValidBar(int eBar) {
        return eBar == platform::SB_HORZ || eBar == platform::SB_VERT;
    }
    platform::SCROLLINFO ReadInfo(int eBar, platform::UINT fMask) const;
    void WriteInfo(int eBar, platform::SCROLLINFO info, platform::UINT fMask);
    void ReportChange(int eBar, bool bThumbDrag);
    void OnNonClientButton(platform::WPARAM hitTest, int eButton);
    void OnScrollRequest(int eBar, platform::WORD request);
    void OnMouseWheel(platform::WPARAM wParam, bool& bHandled, platform::LRESULT& lReturn);

    platform::HWND m_hWnd = 0;
    int m_lngOrientation = efoBoth;
    int m_lngStyle = 0;
    bool m_blnNoFlat = false;
    std::array<int, 2> m_lngSmallChange{1, 1};
    std::array<bool, 2> m_blnEnabled{false, false};
    std::array<bool, 2> m_blnVisible{false, false};
    int m_lngWheelLines = 0;
    bool m_blnHooked = false;
    Subclasser m_clsSubclass;
    std::array<int, 2> m_lngLastValue{0, 0};
};

} // namespace lumarin::winplumb
