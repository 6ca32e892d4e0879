// SPDX-License-Identifier: MIT
#pragma once
// What a window tells assistive technology beyond its frame: a window that
// draws rows and cells itself answers WM_GETOBJECT (lParam OBJID_CLIENT) with
// its IAccessibleWindow, and says what changed with NotifyAccessibleEvent.
// The host that shows the window passes both on to the desktop's screen
// readers; a window without a host answers the same, and its notices go nowhere.

#include "platform/WinTypes.h"

#include <string>

namespace lumarin::platform {

inline constexpr LPARAM OBJID_CLIENT = -4;

enum class AccessibleRole {
    Table, // rows of cells under column headers, each row with an optional check mark
};

// Rows and columns count from 0; columns are the ones shown, in display order.
class IAccessibleWindow {
public:
    virtual ~IAccessibleWindow() = default;

    virtual AccessibleRole Role() const = 0;
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    virtual std::u16string HeaderText(int column) const = 0;
    virtual std::u16string CellText(int row, int column) const = 0;
    // What the row's cells do not say: why it stands out, for instance.
    virtual std::u16string RowDescription(int row) const = 0;
    virtual bool RowsCheckable() const = 0;
    virtual bool RowChecked(int row) const = 0;
    virtual bool RowSelected(int row) const = 0;
    virtual bool MultiSelect() const = 0;
    virtual int CurrentRow() const = 0; // -1: none
    // Client rectangles; a row scrolled out of view lies outside the client area.
    virtual RECT CellRect(int row, int column) const = 0;
    virtual RECT HeaderRect(int column) const = 0;
    virtual bool RowInView(int row) const = 0;
    // Hit test in client coordinates: the row (-1 for the header or nothing) and column.
    virtual bool CellAt(POINT client, int* row, int* column) const = 0;

    // What a reader may do, as the user would with mouse and keys.
    virtual void ToggleRowCheck(int row) = 0;
    virtual void MakeCurrentRow(int row) = 0; // the only selected row, scrolled into view
};

enum class AccessibleEvent {
    CurrentRowChanged, // row: the new current row
    CheckChanged,      // row: the row whose mark changed
    RowsReplaced,      // the rows are new: what a reader kept of them is stale
    Scrolled,          // other rows or columns came into view
};

// The window's IAccessibleWindow, or nullptr when it has none.
IAccessibleWindow* GetAccessibleWindow(HWND hwnd);
void NotifyAccessibleEvent(HWND hwnd, AccessibleEvent event, int row = -1);

} // namespace lumarin::platform
