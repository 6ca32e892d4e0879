// SPDX-License-Identifier: MIT
// One repaint: header and visible rows are composed in the back buffer, then
// the visible part is copied to the window in one block, so nothing flickers.
// Painting reads the model and the layout; it never changes either.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>
#include <optional>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr OLE_COLOR kButtonFace = OleSystemColor(COLOR_BTNFACE);
constexpr OLE_COLOR kButtonText = OleSystemColor(COLOR_BTNTEXT);
constexpr std::int32_t kNoColor = -1;

// A pass keeps the last text colour it set, so the colour is set only when it
// changes (-1 before the first).
struct TextColourCache {
    HDC hdc;
    std::int32_t last = -1;
    void apply(std::int32_t rgb) {
        if (rgb < 0 || rgb == last) return;
        SetTextColor(hdc, static_cast<COLORREF>(rgb));
        last = rgb;
    }
};

void FillWith(HDC hdc, const RECT& rect, const Color& colour) {
    // A colour that could not be translated has no brush: the cell keeps the
    // buffer's previous content.
    if (colour.GotGDIBrush()) FillRect(hdc, &rect, colour.GDIBrush());
}

} // namespace

std::optional<UINT> ListView::CellTextFlags(int align) {
    switch (align) {
    case 0:
        return DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS; // &H8024
    case 1:
        return DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS; // &H8026
    case 2:
        return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS; // &H8025
    default:
        return std::nullopt;
    }
}

RECT ListView::GetTextRect(const RECT& cell) const {
    return RECT{cell.left + ScaleToDevice(m_lngItemPaddingLeft), cell.top,
                cell.right - ScaleToDevice(m_lngItemPaddingRight), cell.bottom};
}

void ListView::DrawCellText(const std::u16string& text, const RECT& rect, int align) {
    const std::optional<UINT> flags = CellTextFlags(align);
    if (!flags) return;
    RECT r = rect;
    DrawText(m_hMemDC, text, &r, *flags);
}

void ListView::UserControl_Paint() {
    PaintControl();
    // With Redraw off (or no back buffer) PaintControl does not begin a paint
    // cycle; the request is answered all the same, or the host keeps asking.
    ValidateRect(m_hWnd, nullptr);
}

void ListView::UserControl_Resize() {
    CalculateLayout();
    UpdateVerticalScroll();
    PaintControl();
}

void ListView::PaintControl() {
    if (!m_blnRedraw) return;
    if (m_blnPainting) return;
    // An ended control (TerminateControl released the scroll bars) may still
    // get its window's last messages, such as the focus leaving; its owner
    // may be gone by then, so nothing is drawn or raised.
    if (!m_clsSB) return;
    {
        // A callback that throws must not leave the control unable to paint.
        struct PaintingFlag {
            bool& flag;
            explicit PaintingFlag(bool& f) : flag(f) { flag = true; }
            ~PaintingFlag() { flag = false; }
        } guard(m_blnPainting);

        if (m_hMemDC != 0) {
            PAINTSTRUCT ps;
            BeginPaint(m_hWnd, &ps);
            DrawHeader(); // first: it changes the text colour, which DrawItems sets again
            DrawItems();
            EndPaint(m_hWnd, &ps);
            const HDC hdc = GetDC(m_hWnd);
            const RECT& client = m_layout.Client();
            BitBlt(hdc, 0, 0, client.right, client.bottom, m_hMemDC, m_layout.ScrollX(), 0,
                   SRCCOPY);
            ReleaseDC(m_hWnd, hdc);
        }
    }
    NotifyReaders();
    Events().RedrawingDone();
}

// Drawing is where every change of the list ends, so this is where readers
// hear of it: once per paint, never for each row an owner adds while its
// Redraw is off.
void ListView::NotifyReaders() {
    if (m_blnRowsReplaced) {
        m_blnRowsReplaced = false;
        NotifyAccessibleEvent(m_hWnd, AccessibleEvent::RowsReplaced);
    }
    const std::int32_t current = m_accessible.CurrentRow();
    if (current != m_lngReaderRow) {
        m_lngReaderRow = current;
        if (current >= 0)
            NotifyAccessibleEvent(m_hWnd, AccessibleEvent::CurrentRowChanged, current);
    }
    const std::int32_t top = m_clsSB->Value(SB_VERT);
    const std::int32_t scrollX = m_layout.ScrollX();
    if (top != m_lngReaderTop || scrollX != m_lngReaderScrollX) {
        m_lngReaderTop = top;
        m_lngReaderScrollX = scrollX;
        NotifyAccessibleEvent(m_hWnd, AccessibleEvent::Scrolled);
    }
}

// A mark changed among rows readers know; rows still being filled in are
// announced as a whole by the next paint.
void ListView::NotifyCheckChanged(std::int32_t row) {
    if (!m_blnRowsReplaced) NotifyAccessibleEvent(m_hWnd, AccessibleEvent::CheckChanged, row);
}

void ListView::DrawHeader() {
    if (!m_blnColumnsVisible) return;
    const std::int32_t face = TranslateOleColor(kButtonFace);
    const HBRUSH brush = face >= 0 ? CreateSolidBrush(static_cast<COLORREF>(face)) : 0;
    const std::int32_t text = TranslateOleColor(kButtonText);
    if (text >= 0) SetTextColor(m_hMemDC, static_cast<COLORREF>(text));

    for (const ListLayout::ColumnSpan& span : m_layout.Columns()) {
        const Column& col = ColumnOrRaise(span.column);
        const RECT cell = m_layout.HeaderCell(span);
        if (brush != 0) FillRect(m_hMemDC, &cell, brush);
        RECT edge = cell;
        DrawEdge(m_hMemDC, &edge, col.Pushed() ? EDGE_ETCHED : EDGE_RAISED, BF_RECT);
        const RECT textRect = GetTextRect(cell);
        if (textRect.right - textRect.left > 0)
            DrawCellText(col.Caption(), textRect, col.TextAlign());
    }
    const RECT& header = m_layout.Header();
    const int right = m_layout.ColumnsRight();
    if (right < header.right) {
        // A raised strip without a right border fills the rest of the header.
        RECT strip{right, 0, header.right, header.bottom};
        if (brush != 0) FillRect(m_hMemDC, &strip, brush);
        DrawEdge(m_hMemDC, &strip, EDGE_RAISED, BF_LEFT | BF_TOP | BF_BOTTOM);
    }
    if (brush != 0) DeleteObject(brush);
}

void ListView::DrawItems() {
    const RECT& list = m_layout.List();
    const int count = ItemCount();
    if (count == 0) {
        FillWith(m_hMemDC, list, m_clsBackColor);
        return;
    }
    int first = m_layout.TopRow();
    if (first > count - 1) first = count - 1; // the scroll value may lag behind removals
    const int slots = std::min(m_layout.VisibleRowCount(), count);
    const int columnsRight = m_layout.ColumnsRight();
    TextColourCache textColour{m_hMemDC};

    // One row more than the slot count is painted when it exists: the last
    // slot is usually only partly visible.
    int below = list.top; // top of what no row covers
    for (int r = first; r <= first + slots && r <= count - 1; ++r) {
        const ListItem& item = RowOrRaise(r);
        const RECT row = m_layout.SlotRect(r - first);
        for (const ListLayout::ColumnSpan& span : m_layout.Columns()) {
            const RECT cell = ListLayout::Cell(span, row);
            const CellColours colours = ChooseCellColours(r, span.column, item.Selected());
            textColour.apply(colours.text);
            FillWith(m_hMemDC, cell, *colours.background);

            RECT textCell = cell;
            if (span.column == 0 && m_blnCheckboxes) {
                DrawCheckbox(ListLayout::CheckBox(cell), item.Selected(), item.Checked());
                textCell.left += ListLayout::CheckBoxIndent();
            }
            DrawCellText(item.Text(span.column), GetTextRect(textCell),
                         ColumnOrRaise(span.column).TextAlign());
        }
        if (columnsRight < row.right) {
            // The strip right of the columns is never shown selected.
            FillWith(m_hMemDC, RECT{columnsRight, row.top, row.right, row.bottom}, m_clsBackColor);
        }
        if (r == m_lngSelectedItem && m_blnHasFocus && m_blnEnabled) {
            DrawFocusOutline(row.top, columnsRight, row.bottom);
            if (!m_blnSolidFocusRect) textColour.last = 0;
        }
        below = row.bottom;
    }
    FillWith(m_hMemDC, RECT{0, below, list.right, m_layout.Client().bottom}, m_clsBackColor);
}

ListView::CellColours ListView::ChooseCellColours(int row, int column, bool selected) {
    std::int32_t back = kNoColor;
    std::int32_t fore = kNoColor;
    if (!DrawCallback()->CustomDraw(row, column, back, fore)) {
        if (selected) return {m_clsSelectedForeColor.RGBColor(), &m_clsSelectedBackColor};
        return {m_clsForeColor.RGBColor(), &m_clsBackColor};
    }
    // The callback's colours replace the selection colours. Its last colours
    // are cached so that a brush is made only when the colour changes.
    CellColours chosen{m_clsForeColor.RGBColor(), &m_clsBackColor};
    if (fore != kNoColor) {
        if (m_clsCustomFore.OLEColor() != fore) m_clsCustomFore.SetColor(fore);
        chosen.text = m_clsCustomFore.RGBColor();
    }
    if (back != kNoColor) {
        if (m_clsCustomBack.OLEColor() != back) m_clsCustomBack.SetColor(back, true);
        chosen.background = &m_clsCustomBack;
    }
    return chosen;
}

void ListView::DrawFocusOutline(int top, int right, int bottom) {
    if (m_blnSolidFocusRect) {
        // Drawn with the FocusRectColor pen, which stays selected in the buffer.
        MoveToEx(m_hMemDC, 0, top, nullptr);
        LineTo(m_hMemDC, right - 1, top);
        LineTo(m_hMemDC, right - 1, bottom - 1);
        LineTo(m_hMemDC, 0, bottom - 1);
        LineTo(m_hMemDC, 0, top);
        return;
    }
    // The dotted rectangle inverts, in black and white whatever the colours.
    SetTextColor(m_hMemDC, 0);
    const RECT rect{0, top, right, bottom};
    DrawFocusRect(m_hMemDC, &rect);
}

void ListView::DrawCheckbox(const RECT& box, bool selected, bool checked) {
    const Color& colour = selected ? m_clsCheckboxSelectedColor : m_clsCheckboxColor;
    if (!colour.GotGDIPen()) return;
    const HGDIOBJ previous = SelectObject(m_hMemDC, colour.GDIPen());

    const int x0 = box.left;
    const int y0 = box.top;
    const int size = box.right - box.left;
    const auto line = [this](int x1, int y1, int x2, int y2) {
        MoveToEx(m_hMemDC, x1, y1, nullptr);
        LineTo(m_hMemDC, x2, y2);
    };
    const auto square = [this](int x, int y, int side) {
        MoveToEx(m_hMemDC, x, y, nullptr);
        LineTo(m_hMemDC, x + side, y);
        LineTo(m_hMemDC, x + side, y + side);
        LineTo(m_hMemDC, x, y + side);
        LineTo(m_hMemDC, x, y);
    };
    // The box's two-pixel border and the tick are drawn at 96 dpi and scaled:
    // each stroke is repeated once per device pixel of its width.
    const int thickness = std::max(1, ScaleToDevice(1));
    for (int i = 0; i < 2 * thickness; ++i)
        square(x0 - i, y0 - i, size + 2 * i);
    if (checked) {
        struct Stroke {
            int x1, y1, x2, y2;
        };
        static constexpr Stroke kTick[] = {
            {9, 5, 5, 9}, {9, 4, 4, 9},  {9, 3, 3, 9}, {3, 5, 5, 8},
            {3, 6, 6, 9}, {3, 7, 6, 10}, {3, 7, 7, 9},
        };
        for (const Stroke& s : kTick)
            for (int i = 0; i < thickness; ++i)
                line(x0 + ScaleToDevice(s.x1) + i, y0 + ScaleToDevice(s.y1),
                     x0 + ScaleToDevice(s.x2) + i, y0 + ScaleToDevice(s.y2));
    }
    SelectObject(m_hMemDC, previous);
}

} // namespace lumarin::listview
