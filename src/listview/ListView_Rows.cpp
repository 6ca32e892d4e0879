// SPDX-License-Identifier: MIT
// Row members of the control's interface. A setter stores, then redraws; a
// member that fails raises before it changes anything.

#include "listview/ListView.h"

namespace lumarin::listview {

void ListView::SelectedItem(std::int32_t lngVal) {
    m_lngSelectedItem = lngVal;
    PaintControl();
}

std::int32_t ListView::ItemTag(std::int32_t Index) const {
    return RowOrRaise(Index).Tag();
}

void ListView::ItemTag(std::int32_t Index, std::int32_t lngTag) {
    RowOrRaise(Index).Tag(lngTag);
    PaintControl();
}

bool ListView::ItemSelected(std::int32_t Index) const {
    return RowOrRaise(Index).Selected();
}

void ListView::ItemSelected(std::int32_t Index, bool blnVal) {
    RowOrRaise(Index).Selected(blnVal);
    PaintControl();
}

std::u16string ListView::ItemText(std::int32_t Index, std::int32_t Column) const {
    return RowOrRaise(Index).Text(Column);
}

void ListView::ItemText(std::int32_t Index, std::int32_t Column, const std::u16string& strText) {
    RowOrRaise(Index).Text(Column, strText);
    PaintControl();
}

bool ListView::ItemChecked(std::int32_t Index) const {
    if (Index < 0) return false;
    return RowOrRaise(Index).Checked();
}

void ListView::ItemChecked(std::int32_t Index, bool blnVal) {
    if (Index >= 0) {
        ListItem& row = RowOrRaise(Index);
        const bool changed = row.Checked() != blnVal;
        row.Checked(blnVal);
        if (changed) NotifyCheckChanged(Index);
    }
    PaintControl();
}

std::int32_t ListView::AddItem(std::int32_t InsertAt, const std::u16string& strText) {
    if (m_clsColumns.Count() == 0) RaiseError(ERR_NO_COLUMNS);
    ListItem* row = m_clsItems.AddItem(InsertAt);
    m_blnRowsReplaced = true;
    row->Text(0, strText);
    // The current row keeps naming the same row when one is inserted at or above it.
    if (InsertAt >= 0 && InsertAt <= m_lngSelectedItem) ++m_lngSelectedItem;
    const std::int32_t position = InsertAt >= 0 ? InsertAt : m_clsItems.ItemCount() - 1;
    UpdateVerticalScroll();
    PaintControl();
    return position;
}

void ListView::RemoveItem(std::int32_t Index) {
    m_clsItems.RemoveItem(Index);
    m_blnRowsReplaced = true;
    if (Index < m_lngSelectedItem) --m_lngSelectedItem;
    if (m_lngSelectedItem > m_clsItems.ItemCount() - 1)
        m_lngSelectedItem = m_clsItems.ItemCount() - 1;
    UpdateVerticalScroll();
    PaintControl();
}

void ListView::MoveItem(std::int32_t IndexFrom, std::int32_t IndexTo) {
    m_clsItems.MoveItem(IndexFrom, IndexTo);
    m_blnRowsReplaced = true;
    PaintControl();
}

void ListView::Clear() {
    m_clsItems.Clear();
    m_blnRowsReplaced = true;
    m_lngSelectedItem = -1;
    PaintControl();
}

void ListView::SelectAll() {
    if (!m_blnMultiSelect) return;
    for (std::int32_t i = 0; i < m_clsItems.ItemCount(); ++i)
        m_clsItems.Item(i)->Selected(true);
}

void ListView::UnSelectAll() {
    for (std::int32_t i = 0; i < m_clsItems.ItemCount(); ++i)
        m_clsItems.Item(i)->Selected(false);
}

} // namespace lumarin::listview
