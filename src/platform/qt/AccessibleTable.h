// SPDX-License-Identifier: MIT
#pragma once
// Qt's accessibility interfaces for a window that answers WM_GETOBJECT with a
// table (platform::IAccessibleWindow): the host widget becomes a table whose
// children are the column headers, then the cells row by row. Cells are made
// on demand and kept, with their ids, until the rows are replaced. The window's
// notices become QAccessibleEvents here. Nothing is built or sent while no
// reader listens (QAccessible::isActive).

#include "platform/Accessibility.h"

#include <QAccessibleWidget>
#include <map>
#include <utility>

namespace lumarin::platform::qt {

class WindowHostWidget;

// Lets QAccessible::queryAccessibleInterface find the tables; called once by
// every host widget, does its work once.
void InstallAccessibleTableFactory();

// A window notice as Qt's events: the current row as the focus (while the host
// has the keyboard focus), a mark as a checked-state change, new rows as a
// model reset, scrolling as changed visible data.
void SendAccessibleEvent(WindowHostWidget* host, AccessibleEvent event, int row);

class AccessibleTable final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleTable(WindowHostWidget* host);
    ~AccessibleTable() override;

    IAccessibleWindow* source() const; // nullptr once the window is gone
    WindowHostWidget* host() const;
    // Header cells for row -1.
    QAccessibleInterface* cell(int row, int column) const;
    void forgetCells(); // the rows were replaced

    // QAccessibleInterface
    bool isValid() const override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};

} // namespace lumarin::platform::qt
