// SPDX-License-Identifier: MIT
// Column members of the control's interface. Columns change only while the
// list has no rows, so every row always has one text per column.

#include "listview/ListView.h"

namespace lumarin::listview {

std::int32_t ListView::ColumnIndex(const PositionOrKey& Index) const {
    // Exact, case-sensitive key match; no match (or a number) names column 0.
    std::int32_t position = 0;
    if (Index.IsNumber()) return position;
    for (std::int32_t i = 0; i < m_clsColumns.Count(); ++i) {
        if (m_clsColumns.Item(i)->key() == Index.Text()) position = i;
    }
    return position;
}

void ListView::AddColumn(const std::u16string& key, const std::u16string& Caption,
                         std::int32_t TextAlign, std::int32_t Width, bool Resizable, bool Visible) {
    if (m_clsItems.ItemCount() > 0) RaiseError(ERR_HAS_ITEMS);
    Column* column = m_clsColumns.Add(key);
    column->Caption(Caption);
    column->TextAlign(TextAlign);
    column->Width(Width);
    column->Resizable(Resizable);
    column->Visible(Visible);
    m_clsItems.ColumnCount(m_clsColumns.Count());
    Refresh();
}

void ListView::RemoveColumn(const PositionOrKey& Index) {
    if (m_clsItems.ItemCount() > 0) RaiseError(ERR_HAS_ITEMS);
    m_clsColumns.Remove(Index);
    m_clsItems.ColumnCount(m_clsColumns.Count());
    Refresh();
}

std::u16string ListView::ColumnKey(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).key();
}

bool ListView::ColumnVisible(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).Visible();
}

void ListView::ColumnVisible(const PositionOrKey& Index, bool blnVis) {
    ColumnOrRaise(Index).Visible(blnVis);
    Refresh();
}

std::u16string ListView::ColumnCaption(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).Caption();
}

void ListView::ColumnCaption(const PositionOrKey& Index, const std::u16string& strCaption) {
    ColumnOrRaise(Index).Caption(strCaption);
    PaintControl();
}

std::int32_t ListView::ColumnWidth(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).Width();
}

void ListView::ColumnWidth(const PositionOrKey& Index, std::int32_t lngWidth) {
    ColumnOrRaise(Index).Width(lngWidth);
    Refresh();
}

bool ListView::ColumnResizable(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).Resizable();
}

void ListView::ColumnResizable(const PositionOrKey& Index, bool blnRes) {
    ColumnOrRaise(Index).Resizable(blnRes);
    Refresh();
}

std::int32_t ListView::ColumnTextAlign(const PositionOrKey& Index) const {
    return ColumnOrRaise(Index).TextAlign();
}

void ListView::ColumnTextAlign(const PositionOrKey& Index, std::int32_t udeAlign) {
    ColumnOrRaise(Index).TextAlign(udeAlign);
    PaintControl();
}

void ListView::Sort(const PositionOrKey& Index, std::int32_t SortOrder) {
    m_clsItems.Sort(ColumnIndex(Index), SortOrder);
    m_blnRowsReplaced = true;
}

} // namespace lumarin::listview
