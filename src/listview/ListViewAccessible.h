// SPDX-License-Identifier: MIT
#pragma once
// What the list tells a screen reader: a table of the shown columns, one row
// per item, the check mark as the row's checked state, the current row as
// the focus. Its window answers WM_GETOBJECT with this object; the list says
// what changed through platform::NotifyAccessibleEvent.

#include "platform/Accessibility.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lumarin::listview {

class ListView;

class ListViewAccessible final : public platform::IAccessibleWindow {
public:
    // The words a row's cells do not say, from the list's owner.
    using RowDescriber = std::function<std::u16string(std::int32_t row)>;

    explicit ListViewAccessible(ListView& view) : m_view(view) {}
    void Describer(RowDescriber describer) { m_fnDescribe = std::move(describer); }

    platform::AccessibleRole Role() const override { return platform::AccessibleRole::Table; }
    int RowCount() const override;
    int ColumnCount() const override;
    std::u16string HeaderText(int column) const override;
    std::u16string CellText(int row, int column) const override;
    std::u16string RowDescription(int row) const override;
    bool RowsCheckable() const override;
    bool RowChecked(int row) const override;
    bool RowSelected(int row) const override;
    bool MultiSelect() const override;
    int CurrentRow() const override;
    platform::RECT CellRect(int row, int column) const override;
    platform::RECT HeaderRect(int column) const override;
    bool RowInView(int row) const override;
    bool CellAt(platform::POINT client, int* row, int* column) const override;
    void ToggleRowCheck(int row) override;
    void MakeCurrentRow(int row) override;

private:
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    // The list's own position of the column-th shown column, or -1.
    std::int32_t ListColumn(int column) const;

    ListView& m_view;
    RowDescriber m_fnDescribe;
};

} // namespace lumarin::listview
