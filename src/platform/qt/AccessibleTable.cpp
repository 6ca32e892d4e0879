// SPDX-License-Identifier: MIT
#include "platform/qt/AccessibleTable.h"

#include "platform/Window.h"
#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

namespace lumarin::platform::qt {

namespace {

// One cell of the table, or a column header (row -1). It keeps only its place:
// everything it says is read from the window when asked.
class AccessibleCell final : public QAccessibleInterface,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
public:
    AccessibleCell(const AccessibleTable* table, int row, int column)
        : m_table(table), m_row(row), m_column(column) {}

    bool isValid() const override {
        const IAccessibleWindow* source = m_table->source();
        return source != nullptr && m_row >= -1 && m_row < source->RowCount() && m_column >= 0 &&
               m_column < source->ColumnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_table->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return const_cast<AccessibleTable*>(m_table); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        const IAccessibleWindow* source = m_table->source();
        if (source == nullptr) return {};
        if (t == QAccessible::Name)
            return qs(header() ? source->HeaderText(m_column) : source->CellText(m_row, m_column));
        if (t == QAccessible::Description && !header()) return qs(source->RowDescription(m_row));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const IAccessibleWindow* source = m_table->source();
        if (source == nullptr) return {};
        return m_table->host()->clientToGlobal(header() ? source->HeaderRect(m_column)
                                                        : source->CellRect(m_row, m_column));
    }
    QAccessible::Role role() const override {
        return header() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        const IAccessibleWindow* source = m_table->source();
        if (source == nullptr || header()) return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = source->RowSelected(m_row);
        state.focused = m_row == source->CurrentRow() && m_table->host()->hasKeyboardFocus();
        state.offscreen = !source->RowInView(m_row);
        if (marksRow()) {
            state.checkable = true;
            state.checked = source->RowChecked(m_row);
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface && !header())
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override { return state().selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        if (header()) return {};
        return {m_table->cell(-1, m_column)};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_row; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface: the row's mark is toggled on its first cell.
    QStringList actionNames() const override {
        QStringList names;
        if (marksRow()) names << toggleAction();
        names << setFocusAction();
        return names;
    }
    void doAction(const QString& name) override {
        IAccessibleWindow* source = m_table->source();
        if (source == nullptr || !isValid() || header()) return;
        if (name == toggleAction() && marksRow()) source->ToggleRowCheck(m_row);
        if (name == setFocusAction()) {
            source->MakeCurrentRow(m_row);
            m_table->host()->setFocus(Qt::OtherFocusReason);
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == toggleAction()) return {QStringLiteral("Space")};
        return {};
    }

private:
    bool header() const { return m_row < 0; }
    bool marksRow() const {
        const IAccessibleWindow* source = m_table->source();
        return !header() && m_column == 0 && source != nullptr && source->RowsCheckable();
    }

    const AccessibleTable* m_table;
    int m_row;
    int m_column;
};

QAccessibleInterface* TableFactory(const QString& /*className*/, QObject* object) {
    auto* host = qobject_cast<WindowHostWidget*>(object);
    if (host == nullptr || GetAccessibleWindow(host->hwnd()) == nullptr) return nullptr;
    return new AccessibleTable(host);
}

} // namespace

void InstallAccessibleTableFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&TableFactory);
        return true;
    }();
    (void)installed;
}

// ---- the table ------------------------------------------------------------------------------

AccessibleTable::AccessibleTable(WindowHostWidget* host) : QAccessibleWidget(host) {}

AccessibleTable::~AccessibleTable() {
    for (const auto& [place, id] : m_cells)
        QAccessible::deleteAccessibleInterface(id);
}

WindowHostWidget* AccessibleTable::host() const {
    return static_cast<WindowHostWidget*>(widget());
}

IAccessibleWindow* AccessibleTable::source() const {
    const WindowHostWidget* shown = host();
    return shown != nullptr && shown->windowAlive() ? GetAccessibleWindow(shown->hwnd()) : nullptr;
}

bool AccessibleTable::isValid() const {
    return QAccessibleWidget::isValid() && source() != nullptr;
}

QAccessibleInterface* AccessibleTable::cell(int row, int column) const {
    const IAccessibleWindow* window = source();
    if (window == nullptr || row < -1 || row >= window->RowCount() || column < 0 ||
        column >= window->ColumnCount())
        return nullptr;
    const auto found = m_cells.find({row, column});
    if (found != m_cells.end()) return QAccessible::accessibleInterface(found->second);
    auto* made = new AccessibleCell(this, row, column);
    m_cells.emplace(std::make_pair(row, column), QAccessible::registerAccessibleInterface(made));
    return made;
}

void AccessibleTable::forgetCells() {
    // Headers stay: they name the columns, which did not change.
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it->first.first < 0) {
            ++it;
            continue;
        }
        QAccessible::deleteAccessibleInterface(it->second);
        it = m_cells.erase(it);
    }
}

QAccessible::State AccessibleTable::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (const IAccessibleWindow* window = source()) state.multiSelectable = window->MultiSelect();
    return state;
}

int AccessibleTable::childCount() const {
    const IAccessibleWindow* window = source();
    return window == nullptr ? 0 : window->ColumnCount() * (window->RowCount() + 1);
}

QAccessibleInterface* AccessibleTable::child(int index) const {
    const IAccessibleWindow* window = source();
    if (window == nullptr || index < 0 || window->ColumnCount() == 0) return nullptr;
    const int columns = window->ColumnCount();
    return cell(index / columns - 1, index % columns);
}

int AccessibleTable::indexOfChild(const QAccessibleInterface* child) const {
    const IAccessibleWindow* window = source();
    if (window == nullptr || child == nullptr || child->parent() != this) return -1;
    auto* place = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (place == nullptr) return -1;
    return (place->rowIndex() + 1) * window->ColumnCount() + place->columnIndex();
}

QAccessibleInterface* AccessibleTable::childAt(int x, int y) const {
    const IAccessibleWindow* window = source();
    if (window == nullptr) return nullptr;
    int row = -1;
    int column = -1;
    if (!window->CellAt(host()->globalToClient(QPoint(x, y)), &row, &column)) return nullptr;
    return cell(row, column);
}

QAccessibleInterface* AccessibleTable::focusChild() const {
    const IAccessibleWindow* window = source();
    if (window == nullptr || !host()->hasKeyboardFocus() || window->CurrentRow() < 0)
        return nullptr;
    return cell(window->CurrentRow(), 0);
}

void* AccessibleTable::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* AccessibleTable::cellAt(int row, int column) const {
    return row < 0 ? nullptr : cell(row, column);
}

QList<int> AccessibleTable::selectedRows() const {
    QList<int> rows;
    if (const IAccessibleWindow* window = source())
        for (int row = 0; row < window->RowCount(); ++row)
            if (window->RowSelected(row)) rows << row;
    return rows;
}

int AccessibleTable::selectedRowCount() const {
    return static_cast<int>(selectedRows().size());
}

int AccessibleTable::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> AccessibleTable::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows())
        for (int column = 0; column < columnCount(); ++column)
            cells << cell(row, column);
    return cells;
}

QString AccessibleTable::columnDescription(int column) const {
    const IAccessibleWindow* window = source();
    return window == nullptr ? QString() : qs(window->HeaderText(column));
}

QString AccessibleTable::rowDescription(int row) const {
    const IAccessibleWindow* window = source();
    return window == nullptr ? QString() : qs(window->RowDescription(row));
}

int AccessibleTable::columnCount() const {
    const IAccessibleWindow* window = source();
    return window == nullptr ? 0 : window->ColumnCount();
}

int AccessibleTable::rowCount() const {
    const IAccessibleWindow* window = source();
    return window == nullptr ? 0 : window->RowCount();
}

bool AccessibleTable::isRowSelected(int row) const {
    const IAccessibleWindow* window = source();
    return window != nullptr && window->RowSelected(row);
}

bool AccessibleTable::selectRow(int row) {
    IAccessibleWindow* window = source();
    if (window == nullptr || row < 0 || row >= window->RowCount()) return false;
    window->MakeCurrentRow(row);
    return true;
}

void AccessibleTable::modelChange(QAccessibleTableModelChangeEvent* /*event*/) {
    forgetCells();
}

// ---- notices ------------------------------------------------------------------------------

void SendAccessibleEvent(WindowHostWidget* host, AccessibleEvent event, int row) {
    if (!QAccessible::isActive()) return;
    auto* table = dynamic_cast<AccessibleTable*>(QAccessible::queryAccessibleInterface(host));
    if (table == nullptr || !table->isValid()) return;
    switch (event) {
    case AccessibleEvent::CurrentRowChanged:
        if (QAccessibleInterface* current = table->cell(row, 0);
            current != nullptr && host->hasKeyboardFocus()) {
            QAccessibleEvent focus(current, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
        break;
    case AccessibleEvent::CheckChanged:
        if (QAccessibleInterface* marked = table->cell(row, 0)) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent mark(marked, changed);
            QAccessible::updateAccessibility(&mark);
        }
        break;
    case AccessibleEvent::RowsReplaced: {
        table->forgetCells();
        QAccessibleTableModelChangeEvent reset(host, QAccessibleTableModelChangeEvent::ModelReset);
        QAccessible::updateAccessibility(&reset);
        break;
    }
    case AccessibleEvent::Scrolled: {
        QAccessibleEvent shown(host, QAccessible::VisibleDataChanged);
        QAccessible::updateAccessibility(&shown);
        break;
    }
    }
}

} // namespace lumarin::platform::qt
