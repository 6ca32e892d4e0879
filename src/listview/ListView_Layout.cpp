// Measuring the control: font height, row height, column widths, the header
// and rows rectangles, the scroll ranges, and the back buffer they call for.
// Layout runs on resize, Refresh, Redraw = True and column resizing; painting
// (ListView_Paint.cpp) only reads what is computed here.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>
#include <cmath>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr int kHorizontalSmallChange = 3;
constexpr int kHeaderExtra = 8;
} // namespace

// Geometry conversions round to nearest with halves to even (50.5 gives 50),
// which is what the default floating-point rounding mode does.
std::int32_t ListView::RoundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

void ListView::CreateListFont() {
    const int points = RoundHalfEven(m_clsFont->Size());
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
    return m_blnColumnsVisible ? m_lngTextHeight + kHeaderExtra : 0;
}

int ListView::VisibleRowCount() const {
    // Negative paddings can make ItemHeight 0 or less; rows are at least one
    // pixel high wherever the layout divides by it.
    const double rows =
        static_cast<double>(m_rcList.bottom - m_rcList.top + 1) / std::max(ItemHeight(), 1);
    return RoundHalfEven(rows + 0.5);
}

int ListView::DisplayedWidth(int column) const {
    const Column& col = ColumnOrRaise(column);
    return m_blnColumnsAutoSize ? col.WidthAutoSized() : col.Width();
}

void ListView::AutoSizeColumns(int clientWidth) {
    const int count = m_clsColumns.Count();
    double resizableSum = 0;
    int fixedSum = 0;
    for (int c = 0; c < count; ++c) {
        Column& col = ColumnOrRaise(c);
        if (!col.Visible()) continue;
        if (col.Resizable()) {
            resizableSum += col.Width();
        } else {
            fixedSum += col.Width();
            col.WidthAutoSized(col.Width());
        }
    }
    int running = 0;
    for (int c = 0; c < count; ++c) {
        Column& col = ColumnOrRaise(c);
        if (!col.Visible()) continue;
        if (col.Resizable()) {
            // Resizable columns whose widths sum to 0 share nothing.
            const double share =
                resizableSum > 0 ? col.Width() / resizableSum * (clientWidth - fixedSum) : 0.0;
            col.WidthAutoSized(RoundHalfEven(share + 0.5));
        }
        // Only the last column is narrowed so the columns end at the window's
        // right edge; it is never widened.
        if (c == count - 1 && running + col.WidthAutoSized() > clientWidth)
            col.WidthAutoSized(clientWidth - running);
        running += col.WidthAutoSized();
    }
}

void ListView::CalculateLayout() {
    GetClientRect(m_hWnd, &m_rcClient);
    const int clientWidth = m_rcClient.right;

    if (m_blnColumnsAutoSize) {
        m_lngTotalWidth = clientWidth;
        AutoSizeColumns(clientWidth);
    } else {
        m_lngTotalWidth = 0;
        for (int c = 0; c < m_clsColumns.Count(); ++c)
            if (ColumnOrRaise(c).Visible()) m_lngTotalWidth += ColumnOrRaise(c).Width();
    }

    if (clientWidth < m_lngTotalWidth) {
        m_clsSB->Visible(SB_HORZ, true);
        m_clsSB->Min(SB_HORZ, 0);
        m_clsSB->Max(SB_HORZ, m_lngTotalWidth - clientWidth - 1);
        m_clsSB->LargeChange(SB_HORZ, RoundHalfEven(m_lngTotalWidth / 2.0));
        m_clsSB->SmallChange(SB_HORZ, kHorizontalSmallChange);
        m_clsSB->Enabled(SB_HORZ, m_blnEnabled);
    } else {
        m_clsSB->Visible(SB_HORZ, false);
        m_clsSB->Value(SB_HORZ, 0);
    }

    // Showing or hiding the bar changed the client area.
    GetClientRect(m_hWnd, &m_rcClient);
    CreateBackBuffer();

    const int contentWidth = std::max(m_lngTotalWidth, m_rcClient.right);
    if (m_blnColumnsVisible)
        m_rcHeader = RECT{0, 0, contentWidth, HeaderHeight()};
    else
        m_rcHeader = RECT{};
    m_rcList = RECT{0, m_rcHeader.bottom, contentWidth, m_rcClient.bottom};
}

void ListView::UpdateVerticalScroll() {
    if (!m_blnEnabled) {
        m_clsSB->Enabled(SB_VERT, false);
        return;
    }
    const int spare = ItemCount() - VisibleRowCount();
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
    const int width = m_rcClient.right >= m_lngTotalWidth ? m_rcClient.right : m_lngTotalWidth;
    const HBITMAP bitmap = CreateCompatibleBitmap(hdc, width, m_rcClient.bottom);
    ReleaseDC(m_hWnd, hdc);
    if (bitmap == 0) return; // no buffer until the next layout tries again

    m_hBackBitmap = bitmap;
    m_hInitialBitmap = SelectObject(m_hMemDC, bitmap);
    // Text is drawn over the cell background without filling its own.
    SetBkMode(m_hMemDC, TRANSPARENT);
}

} // namespace lumarin::listview
