// SPDX-License-Identifier: MIT
#include "listview/ListViewAccessible.h"

#include "listview/ListView.h"
#include "winplumb/Scrollbars.h"

namespace lumarin::listview {

using namespace lumarin::platform;

int ListViewAccessible::RowCount() const {
    return m_view.ItemCount();
}

int ListViewAccessible::ColumnCount() const {
    return static_cast<int>(m_view.m_layout.Columns().size());
}

std::int32_t ListViewAccessible::ListColumn(int column) const {
    const auto& spans = m_view.m_layout.Columns();
    if (column < 0 || static_cast<std::size_t>(column) >= spans.size()) return -1;
    return spans[static_cast<std::size_t>(column)].column;
}

std::u16string ListViewAccessible::HeaderText(int column) const {
    const std::int32_t c = ListColumn(column);
    return c < 0 ? std::u16string() : m_view.ColumnCaption(PositionOrKey(c));
}

std::u16string ListViewAccessible::CellText(int row, int column) const {
    const std::int32_t c = ListColumn(column);
    return c < 0 || !IsRow(row) ? std::u16string() : m_view.ItemText(row, c);
}

std::u16string ListViewAccessible::RowDescription(int row) const {
    return m_fnDescribe && IsRow(row) ? m_fnDescribe(row) : std::u16string();
}

bool ListViewAccessible::RowsCheckable() const {
    return m_view.Checkboxes();
}

bool ListViewAccessible::RowChecked(int row) const {
    return IsRow(row) && m_view.ItemChecked(row);
}

bool ListViewAccessible::RowSelected(int row) const {
    return IsRow(row) && m_view.ItemSelected(row);
}

bool ListViewAccessible::MultiSelect() const {
    return m_view.MultiSelect();
}

int ListViewAccessible::CurrentRow() const {
    const int row = m_view.SelectedItem();
    return IsRow(row) ? row : -1;
}

RECT ListViewAccessible::CellRect(int row, int column) const {
    const std::int32_t c = ListColumn(column);
    return c < 0 || !IsRow(row) ? RECT{} : m_view.CellRect(row, c);
}

RECT ListViewAccessible::HeaderRect(int column) const {
    const auto& spans = m_view.m_layout.Columns();
    if (!m_view.ColumnsVisible() || ListColumn(column) < 0) return RECT{};
    RECT cell = m_view.m_layout.HeaderCell(spans[static_cast<std::size_t>(column)]);
    cell.left = m_view.m_layout.ClientX(cell.left);
    cell.right = m_view.m_layout.ClientX(cell.right);
    return cell;
}

bool ListViewAccessible::RowInView(int row) const {
    const int top = m_view.TopIndex();
    return IsRow(row) && row >= top && row < top + m_view.m_layout.VisibleRowCount();
}

bool ListViewAccessible::CellAt(POINT client, int* row, int* column) const {
    const ListLayout& layout = m_view.m_layout;
    const std::int32_t listColumn = layout.ColumnAtX(layout.ContentX(client.x));
    int shown = -1;
    for (std::size_t i = 0; i < layout.Columns().size(); ++i)
        if (layout.Columns()[i].column == listColumn) shown = static_cast<int>(i);
    if (shown < 0) return false;
    if (layout.InHeader(client.y) && m_view.ColumnsVisible()) {
        *row = -1;
    } else {
        const int hit = layout.RowAtY(client.y);
        if (!layout.InList(client.y) || !IsRow(hit)) return false;
        *row = hit;
    }
    *column = shown;
    return true;
}

// As a press on the row's check box: the mark flips and the owner hears ItemCheck.
void ListViewAccessible::ToggleRowCheck(int row) {
    if (!IsRow(row) || !m_view.Enabled() || !m_view.Checkboxes()) return;
    m_view.ItemChecked(row, !m_view.ItemChecked(row));
    m_view.Events().ItemCheck(row);
    m_view.PaintControl();
}

// As the arrow keys move: the row becomes current and the only selected one,
// comes into view, and the owner hears Click.
void ListViewAccessible::MakeCurrentRow(int row) {
    if (!IsRow(row) || !m_view.Enabled()) return;
    m_view.UnSelectAll();
    m_view.RowOrRaise(row).Selected(true);
    m_view.m_lngSelectedItem = row;
    if (!RowInView(row)) m_view.m_clsSB->Value(SB_VERT, row);
    m_view.Events().Click(row);
    m_view.PaintControl();
}

} // namespace lumarin::listview
