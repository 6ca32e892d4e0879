// SPDX-License-Identifier: MIT
// Keys and focus: navigation moves the current row and scrolls at most one
// step; the selection follows by modifier; Space toggles selection (Ctrl) and
// the check mark. Every key ends in one repaint while the control is enabled.

#include "listview/ListView.h"
#include "platform/WinTypes.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>

namespace lumarin::listview {

using namespace lumarin::platform;

void ListView::UserControl_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    if (!m_blnEnabled) return;
    std::int16_t code = KeyCode;
    std::int16_t modifiers = Shift;
    Events().KeyDown(code, modifiers); // the host may change or cancel the key
    switch (code) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        NavigateByKey(code, modifiers);
        break;
    case VK_SPACE:
        ToggleByKey(modifiers);
        break;
    default:
        break;
    }
    PaintControl();
}

void ListView::NavigateByKey(int keyCode, int shift) {
    const bool extend = shift != 0 && m_blnMultiSelect;
    if (!extend) {
        UnSelectAll();
        m_blnUnselectMode = false;
    }
    const int count = ItemCount();
    if (count == 0) return; // nothing to move to: no current row, no Click

    const int v = m_layout.VisibleRowCount();
    const int top = m_clsSB->Value(SB_VERT);
    const int current = m_lngSelectedItem;
    int next = current;
    int scrollTo = top;
    switch (keyCode) {
    case VK_UP:
        next = std::max(current - 1, 0);
        if (next < top) scrollTo = top - 1;
        break;
    case VK_DOWN:
        next = std::min(current + 1, count - 1);
        if (next > top + v - 2) scrollTo = top + 1;
        break;
    case VK_PRIOR:
        next = std::max(current - v + 1, 0);
        if (next < top) scrollTo = top - v + 1;
        break;
    case VK_NEXT:
        next = std::min(current + v - 1, count - 1);
        if (next > top + v - 2) scrollTo = top + v - 1;
        break;
    default:
        return;
    }
    // A current row that names no row (-1, or a number the host stored that
    // is past the end) must not reach the row lookup below.
    next = std::min(std::max(next, 0), count - 1);
    m_lngSelectedItem = next;
    if (scrollTo != top) m_clsSB->Value(SB_VERT, scrollTo);
    Events().Click(m_lngSelectedItem);
    if (!(shift == kCtrlMask && m_blnMultiSelect))
        RowOrRaise(m_lngSelectedItem).Selected(!m_blnUnselectMode);
}

void ListView::ToggleByKey(int shift) {
    const int current = m_lngSelectedItem;
    const bool exists = current >= 0 && current < ItemCount();
    if (shift == kCtrlMask && m_blnMultiSelect && exists) {
        ListItem& item = RowOrRaise(current);
        item.Selected(!item.Selected());
        m_blnUnselectMode = !item.Selected();
    }
    // Through the property, which ignores -1; the keyboard raises no ItemCheck.
    if (m_blnCheckboxes && exists) ItemChecked(current, !ItemChecked(current));
}

void ListView::UserControl_KeyUp(std::int16_t KeyCode, std::int16_t Shift) {
    if (m_blnEnabled) Events().KeyUp(KeyCode, Shift);
}

void ListView::UserControl_KeyPress(std::int16_t KeyAscii) {
    if (m_blnEnabled) Events().KeyPress(KeyAscii);
}

void ListView::UserControl_GotFocus() {
    m_blnHasFocus = true;
    PaintControl();
}

void ListView::UserControl_LostFocus() {
    m_blnHasFocus = false;
    PaintControl();
}

void ListView::MakeSureVisible(int lngItem, int lngColumn) {
    m_clsSB->Value(SB_VERT, lngItem);
    if (lngColumn >= 0 && !m_blnColumnsAutoSize && m_layout.TotalWidth() > m_layout.Client().right)
        m_clsSB->Value(SB_HORZ, m_layout.ColumnLeft(lngColumn));
    PaintControl();
}

std::int32_t ListView::TopIndex() const {
    return m_clsSB->Value(SB_VERT);
}

void ListView::TopIndex(std::int32_t lngItem) {
    if (lngItem == m_clsSB->Value(SB_VERT)) return;
    m_clsSB->Value(SB_VERT, lngItem);
    PaintControl();
}

RECT ListView::CellRect(std::int32_t Row, std::int32_t Column) const {
    for (const ListLayout::ColumnSpan& span : m_layout.Columns()) {
        if (span.column != Column) continue;
        RECT cell = ListLayout::Cell(span, m_layout.RowRect(Row));
        cell.left = m_layout.ClientX(cell.left);
        cell.right = m_layout.ClientX(cell.right);
        return cell;
    }
    return RECT{};
}

} // namespace lumarin::listview
