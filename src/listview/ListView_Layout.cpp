// SPDX-License-Identifier: MIT
// Laying the control out: the font height, the geometry (ListLayout), the
// scroll ranges and the back buffer they call for. Layout runs on resize,
// Refresh, Redraw = True and column resizing; painting (ListView_Paint.cpp)
// only reads what is computed here.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr int kHorizontalSmallChange = 3;
constexpr int kHeaderExtra = 8;
} // namespace

void ListView::CreateListFont() {
    const int points = ListLayout::RoundHalfEven(m_clsFont->Size());
    const HDC hdc = GetDC(m_hWnd);
    m_lngTextHeight = MulDiv(points, GetDeviceCaps(hdc, LOGPIXELSY), 72);
    ReleaseDC(m_hWnd, hdc);

    LOGFONT lf;
    lf.lfHeight = -m_lngTextHeight; // a character height, not a cell height
    lf.lfWeight = m_clsFont->Weight();
    lf.lfItalic = m_clsFont->Italic() ? 1 : 0;
    lf.lfUnderline = m_clsFont->Underline() ? 1 : 0;
    lf.lfStrikeOut = m_clsFont->Strikethrough() ? 1 : 0;
    lf.lfCharSet = static_cast<BYTE>(m_clsFont->Charset());
    lf.lfFaceName = m_clsFont->Name().substr(0, LF_FACESIZE - 1);

    const HFONT created = CreateFontIndirect(&lf);
    if (m_hMemDC != 0) SelectObject(m_hMemDC, created);
    if (m_hFont != 0) DeleteObject(m_hFont);
    m_hFont = created;
}

int ListView::HeaderHeight() const {
    return m_blnColumnsVisible ? m_lngTextHeight + ScaleToDevice(kHeaderExtra) : 0;
}

void ListView::CalculateLayout() {
    RECT client;
    GetClientRect(m_hWnd, &client);
    m_layout.MeasureColumns(m_clsColumns, m_blnColumnsAutoSize, client);
    UpdateHorizontalScroll(client.right);
    // Showing or hiding the bar changed the client area.
    GetClientRect(m_hWnd, &client);
    m_layout.PlaceAreas(client, m_blnColumnsVisible, HeaderHeight());
    CreateBackBuffer();
}

void ListView::UpdateHorizontalScroll(int clientWidth) {
    const int total = m_layout.TotalWidth();
    if (clientWidth < total) {
        m_clsSB->Visible(SB_HORZ, true);
        m_clsSB->Min(SB_HORZ, 0);
        m_clsSB->Max(SB_HORZ, total - clientWidth - 1);
        m_clsSB->LargeChange(SB_HORZ, ListLayout::RoundHalfEven(total / 2.0));
        m_clsSB->SmallChange(SB_HORZ, kHorizontalSmallChange);
        m_clsSB->Enabled(SB_HORZ, m_blnEnabled);
    } else {
        m_clsSB->Visible(SB_HORZ, false);
        m_clsSB->Value(SB_HORZ, 0);
    }
}

void ListView::UpdateVerticalScroll() {
    if (!m_blnEnabled) {
        m_clsSB->Enabled(SB_VERT, false);
        return;
    }
    const int spare = ItemCount() - m_layout.VisibleRowCount();
    if (spare < 0) {
        if (m_clsSB->Enabled(SB_VERT)) {
            m_clsSB->Enabled(SB_VERT, false);
            m_clsSB->Max(SB_VERT, 0);
            m_clsSB->Value(SB_VERT, 0);
        }
        return;
    }
    if (!m_clsSB->Enabled(SB_VERT)) m_clsSB->Enabled(SB_VERT, true);
    m_clsSB->Max(SB_VERT, spare);
}

void ListView::CreateBackBuffer() {
    const HDC hdc = GetDC(m_hWnd);
    if (m_hMemDC == 0) {
        m_hMemDC = CreateCompatibleDC(hdc);
        m_hInitialFont = GetCurrentObject(m_hMemDC, OBJ_FONT);
        m_hInitialPen = GetCurrentObject(m_hMemDC, OBJ_PEN);
        // A font or focus pen made before the buffer existed belongs in it.
        if (m_hFont != 0) SelectObject(m_hMemDC, m_hFont);
        if (m_clsFocusRectColor.GotGDIPen()) SelectObject(m_hMemDC, m_clsFocusRectColor.GDIPen());
    }
    if (m_hBackBitmap != 0) {
        SelectObject(m_hMemDC, m_hInitialBitmap);
        DeleteObject(m_hBackBitmap);
        m_hBackBitmap = 0;
    }
    const HBITMAP bitmap =
        CreateCompatibleBitmap(hdc, m_layout.ContentWidth(), m_layout.Client().bottom);
    ReleaseDC(m_hWnd, hdc);
    if (bitmap == 0) return; // no buffer until the next layout tries again

    m_hBackBitmap = bitmap;
    m_hInitialBitmap = SelectObject(m_hMemDC, bitmap);
    // Text is drawn over the cell background without filling its own.
    SetBkMode(m_hMemDC, TRANSPARENT);
}

} // namespace lumarin::listview
