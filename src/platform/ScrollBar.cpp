// SPDX-License-Identifier: MIT
// Scroll information of a window's two bars. Setters clamp and tell the host
// after every change; showing or hiding a bar changes the client area, which
// sends WM_SIZE. Bars are shown and hidden only on request: a range that no
// longer needs a bar leaves it as it is.

#include "platform/ScrollBar.h"

#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/WindowLayout.h"
#include "platform/WindowTable.h"

#include <algorithm>
#include <cstdint>

namespace lumarin::platform {

namespace {

constexpr UINT kScrollInfoSize = 28;
constexpr UINT kScrollInfoSizeWithoutTrackPos = 24;

ScrollBarState* BarOf(HWND hwnd, int bar) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return nullptr;
    if (bar != SB_HORZ && bar != SB_VERT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return &window->bars[bar];
}

void TellHost(HWND hwnd) {
    const WindowRecord* window = FindWindowRecord(hwnd);
    if (window != nullptr && window->host != nullptr) window->host->scrollBarsChanged();
}

// The largest position: the page must fit below nMax (nMax itself when there is no page).
int MaxPosition(const ScrollBarState& s) {
    if (s.nPage == 0) return s.nMax;
    return static_cast<int>(static_cast<std::int64_t>(s.nMax) - s.nPage + 1);
}

int ClampPosition(const ScrollBarState& s, int pos) {
    return std::clamp(pos, s.nMin, std::max(s.nMin, MaxPosition(s)));
}

void Normalise(ScrollBarState& s) {
    const auto range = static_cast<std::int64_t>(s.nMax) - s.nMin + 1;
    s.nPage = static_cast<UINT>(std::min<std::int64_t>(s.nPage, range));
    s.nPos = ClampPosition(s, s.nPos);
    s.nTrackPos = ClampPosition(s, s.nTrackPos);
}

void SetRange(ScrollBarState& s, int nMin, int nMax) {
    // An inverted range is no range.
    if (nMin > nMax) {
        s.nMin = 0;
        s.nMax = 0;
        return;
    }
    s.nMin = nMin;
    s.nMax = nMax;
}

bool ChangeVisibility(WindowRecord& window, int bar, bool show) {
    if (window.bars[bar].visible == show) return false;
    window.bars[bar].visible = show;
    const LONG styleBit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    if (show) {
        window.style |= styleBit;
    } else {
        window.style &= ~styleBit;
    }
    return true;
}

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL /*redraw*/) {
    ScrollBarState* s = BarOf(hwnd, bar);
    if (s == nullptr) return 0;
    if (info == nullptr ||
        (info->cbSize != kScrollInfoSize && info->cbSize != kScrollInfoSizeWithoutTrackPos)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (info->fMask & SIF_RANGE) SetRange(*s, info->nMin, info->nMax);
    if (info->fMask & SIF_PAGE) s->nPage = info->nPage;
    if (info->fMask & SIF_POS) s->nPos = info->nPos;
    if ((info->fMask & SIF_TRACKPOS) && info->cbSize == kScrollInfoSize) {
        s->nTrackPos = info->nTrackPos;
    }
    Normalise(*s);
    const int pos = s->nPos;
    TellHost(hwnd);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    const ScrollBarState* s = BarOf(hwnd, bar);
    if (s == nullptr) return false;
    if (info == nullptr || (info->fMask & SIF_ALL) == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->nMin;
        info->nMax = s->nMax;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s->nPage;
    if (info->fMask & SIF_POS) info->nPos = s->nPos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->nTrackPos;
    return true;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL /*redraw*/) {
    ScrollBarState* s = BarOf(hwnd, bar);
    if (s == nullptr) return 0;
    const int previous = s->nPos;
    s->nPos = ClampPosition(*s, pos);
    TellHost(hwnd);
    return previous;
}

int GetScrollPos(HWND hwnd, int bar) {
    const ScrollBarState* s = BarOf(hwnd, bar);
    return s != nullptr ? s->nPos : 0;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const SIZE clientBefore = ClientSizeOf(*window);
    bool changed = false;
    if (bar == SB_HORZ || bar == SB_BOTH) changed |= ChangeVisibility(*window, SB_HORZ, show);
    if (bar == SB_VERT || bar == SB_BOTH) changed |= ChangeVisibility(*window, SB_VERT, show);
    if (!changed) return true;
    TellHost(hwnd);
    FinishLayoutChange(hwnd, clientBefore, true);
    return true;
}

BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
    WindowRecord* window = LookupWindow(hwnd);
    if (window == nullptr) return false;
    if ((bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) || arrows > ESB_DISABLE_BOTH) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    bool changed = false;
    for (int b : {SB_HORZ, SB_VERT}) {
        if (bar != SB_BOTH && bar != b) continue;
        if (window->bars[b].disabledArrows == arrows) continue;
        window->bars[b].disabledArrows = arrows;
        changed = true;
    }
    // As usual, false also means "already in that state".
    if (changed) TellHost(hwnd);
    return changed;
}

BOOL IsScrollBarVisible(HWND hwnd, int bar) {
    WindowRecord* window = FindWindowRecord(hwnd);
    return window != nullptr && (bar == SB_HORZ || bar == SB_VERT) && window->bars[bar].visible;
}

BOOL IsScrollBarEnabled(HWND hwnd, int bar) {
    WindowRecord* window = FindWindowRecord(hwnd);
    return window != nullptr && (bar == SB_HORZ || bar == SB_VERT) &&
           window->bars[bar].disabledArrows != ESB_DISABLE_BOTH;
}

} // namespace lumarin::platform
