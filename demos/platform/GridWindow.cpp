// SPDX-License-Identifier: MIT
#include "GridWindow.h"

#include "platform/Gdi.h"
#include "platform/ScrollBar.h"
#include "platform/Window.h"

#include <algorithm>
#include <string>

namespace lumarin::demo {

using namespace lumarin::platform;

namespace {

constexpr int kRows = 500;
constexpr int kColumns = 40;
constexpr int kCellWidth = 90;
constexpr int kCellHeight = 24;

struct Grid {
    HDC backDc = 0;
    HBITMAP backBitmap = 0;
    HBITMAP oldBitmap = 0;
    HFONT font = 0;
    HPEN linePen = 0;
    SIZE backSize;
    int selectedRow = -1;
    int selectedColumn = -1;
};

Grid* GridOf(HWND hwnd) {
    return reinterpret_cast<Grid*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void UpdateScrollBars(HWND hwnd) {
    const SIZE client = ClientSize(hwnd);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    si.nMin = 0;
    si.nMax = kRows - 1;
    si.nPage = static_cast<UINT>(std::max<LONG>(1, client.cy / kCellHeight));
    SetScrollInfo(hwnd, SB_VERT, &si, true);
    si.nMax = kColumns - 1;
    si.nPage = static_cast<UINT>(std::max<LONG>(1, client.cx / kCellWidth));
    SetScrollInfo(hwnd, SB_HORZ, &si, true);
}

// The new position a scroll request asks for, in cells.
int RequestedPosition(HWND hwnd, int bar, WORD code) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &si);
    switch (code) {
    case SB_LINEUP:
        return si.nPos - 1;
    case SB_LINEDOWN:
        return si.nPos + 1;
    case SB_PAGEUP:
        return si.nPos - static_cast<int>(si.nPage);
    case SB_PAGEDOWN:
        return si.nPos + static_cast<int>(si.nPage);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return si.nTrackPos;
    case SB_TOP:
        return si.nMin;
    case SB_BOTTOM:
        return si.nMax;
    default:
        return si.nPos;
    }
}

// The scroll info clamps the position; repaint only when it really moved.
void ScrollTo(HWND hwnd, int bar, int pos) {
    const int before = GetScrollPos(hwnd, bar);
    SetScrollPos(hwnd, bar, pos, true);
    if (GetScrollPos(hwnd, bar) != before) InvalidateRect(hwnd, nullptr, false);
}

void EnsureBackBuffer(HWND hwnd, Grid& grid) {
    const SIZE client = ClientSize(hwnd);
    if (grid.backDc != 0 && grid.backSize == client) return;
    if (grid.backDc == 0) {
        const HDC windowDc = GetDC(hwnd);
        grid.backDc = CreateCompatibleDC(windowDc);
        ReleaseDC(hwnd, windowDc);
        SetBkMode(grid.backDc, TRANSPARENT);
        SelectObject(grid.backDc, grid.font);
        SelectObject(grid.backDc, grid.linePen);
    }
    const HBITMAP bitmap = CreateCompatibleBitmap(grid.backDc, std::max<LONG>(1, client.cx),
                                                  std::max<LONG>(1, client.cy));
    const HBITMAP previous = SelectObject(grid.backDc, bitmap);
    if (grid.oldBitmap == 0)
        grid.oldBitmap = previous;
    else
        DeleteObject(previous);
    grid.backBitmap = bitmap;
    grid.backSize = client;
}

std::u16string Digits(int n) {
    std::u16string s;
    for (const char c : std::to_string(n))
        s.push_back(static_cast<char16_t>(c));
    return s;
}

// The first column names the row in Chinese, to show CJK text on screen.
std::u16string CellText(int row, int column) {
    if (column == 0) return u"第" + Digits(row + 1) + u"行";
    return u"R" + Digits(row + 1) + u" C" + Digits(column + 1);
}

void Paint(HWND hwnd, Grid& grid) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd, &ps);
    EnsureBackBuffer(hwnd, grid);
    const SIZE client = grid.backSize;
    const int firstRow = GetScrollPos(hwnd, SB_VERT);
    const int firstColumn = GetScrollPos(hwnd, SB_HORZ);

    const RECT all{0, 0, client.cx, client.cy};
    const HBRUSH white = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    const HBRUSH band = CreateSolidBrush(RGB(235, 242, 250));
    const HBRUSH selection = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    FillRect(grid.backDc, &all, white);

    for (int y = 0, row = firstRow; y < client.cy && row < kRows; y += kCellHeight, ++row) {
        if (row % 2 == 1) {
            const RECT stripe{0, y, client.cx, y + kCellHeight};
            FillRect(grid.backDc, &stripe, band);
        }
        for (int x = 0, column = firstColumn; x < client.cx && column < kColumns;
             x += kCellWidth, ++column) {
            RECT cell{x, y, x + kCellWidth, y + kCellHeight};
            const bool selected = row == grid.selectedRow && column == grid.selectedColumn;
            if (selected) FillRect(grid.backDc, &cell, selection);
            SetTextColor(grid.backDc,
                         GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT text{x + 4, y, x + kCellWidth - 4, y + kCellHeight};
            DrawText(grid.backDc, CellText(row, column), &text,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            if (selected) DrawFocusRect(grid.backDc, &cell);
        }
    }
    for (int x = kCellWidth - 1; x < client.cx; x += kCellWidth) {
        MoveToEx(grid.backDc, x, 0, nullptr);
        LineTo(grid.backDc, x, client.cy);
    }
    for (int y = kCellHeight - 1; y < client.cy; y += kCellHeight) {
        MoveToEx(grid.backDc, 0, y, nullptr);
        LineTo(grid.backDc, client.cx, y);
    }
    DeleteObject(white);
    DeleteObject(band);
    DeleteObject(selection);

    BitBlt(dc, 0, 0, client.cx, client.cy, grid.backDc, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}

void Create(HWND hwnd) {
    auto* grid = new Grid;
    LOGFONT lf;
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfFaceName = u"DejaVu Sans";
    grid->font = CreateFontIndirect(&lf);
    grid->linePen = CreatePen(PS_SOLID, 1, RGB(190, 200, 215));
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(grid));
}

void Destroy(HWND hwnd) {
    Grid* grid = GridOf(hwnd);
    if (grid == nullptr) return;
    if (grid->backDc != 0) {
        SelectObject(grid->backDc, grid->oldBitmap);
        DeleteObject(grid->backBitmap);
        DeleteDC(grid->backDc);
    }
    DeleteObject(grid->font);
    DeleteObject(grid->linePen);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
    delete grid;
}

void Select(HWND hwnd, Grid& grid, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    grid.selectedRow = GetScrollPos(hwnd, SB_VERT) + y / kCellHeight;
    grid.selectedColumn = GetScrollPos(hwnd, SB_HORZ) + x / kCellWidth;
    SetFocus(hwnd);
    InvalidateRect(hwnd, nullptr, false);
}

bool Key(HWND hwnd, WPARAM vk) {
    const int row = GetScrollPos(hwnd, SB_VERT);
    const int column = GetScrollPos(hwnd, SB_HORZ);
    SCROLLINFO si;
    si.fMask = SIF_PAGE;
    GetScrollInfo(hwnd, SB_VERT, &si);
    const int page = static_cast<int>(si.nPage);
    switch (vk) {
    case VK_UP:
        ScrollTo(hwnd, SB_VERT, row - 1);
        return true;
    case VK_DOWN:
        ScrollTo(hwnd, SB_VERT, row + 1);
        return true;
    case VK_PRIOR:
        ScrollTo(hwnd, SB_VERT, row - page);
        return true;
    case VK_NEXT:
        ScrollTo(hwnd, SB_VERT, row + page);
        return true;
    case VK_HOME:
        ScrollTo(hwnd, SB_VERT, 0);
        return true;
    case VK_END:
        ScrollTo(hwnd, SB_VERT, kRows);
        return true;
    case VK_LEFT:
        ScrollTo(hwnd, SB_HORZ, column - 1);
        return true;
    case VK_RIGHT:
        ScrollTo(hwnd, SB_HORZ, column + 1);
        return true;
    default:
        return false;
    }
}

LRESULT GridProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Grid* grid = GridOf(hwnd);
    switch (msg) {
    case WM_CREATE:
        Create(hwnd);
        return 0;
    case WM_SIZE:
        UpdateScrollBars(hwnd);
        InvalidateRect(hwnd, nullptr, false);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
        const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
        if (LOWORD(wParam) != SB_ENDSCROLL)
            ScrollTo(hwnd, bar, RequestedPosition(hwnd, bar, LOWORD(wParam)));
        return 0;
    }
    case WM_MOUSEWHEEL: {
        UINT lines = 3;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
        ScrollTo(hwnd, SB_VERT, GetScrollPos(hwnd, SB_VERT) - notches * static_cast<int>(lines));
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (grid != nullptr) Select(hwnd, *grid, lParam);
        return 0;
    case WM_KEYDOWN:
        if (Key(hwnd, wParam)) return 0;
        break;
    case WM_PAINT:
        if (grid != nullptr) {
            Paint(hwnd, *grid);
            return 0;
        }
        break;
    case WM_DESTROY:
        Destroy(hwnd);
        return 0;
    default:
        break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterGridClass() {
    WNDCLASS wc;
    wc.lpfnWndProc = &GridProc;
    wc.hCursor = IDC_ARROW;
    wc.lpszClassName = kGridClassName;
    RegisterClass(wc);
}

} // namespace lumarin::demo
