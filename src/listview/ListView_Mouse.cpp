// SPDX-License-Identifier: MIT
// The mouse: a press decides what the held button does (m_lngMouseMode:
// 1 resizing a column, 2 selecting by dragging, 3 a row pressed, ready to be
// dragged, 4 a header button pressed); movements act on that mode; the
// release finishes it. tmrMove keeps a drag going at the top and bottom edge.
// Handlers change the model, then repaint once.

#include "listview/ListView.h"
#include "platform/Window.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr int kMinColumnWidth = 5;
constexpr int kEdgeMargin = 3;

enum MouseMode {
    kModeNone = 0,
    kModeResize = 1,
    kModeDragSelect = 2,
    kModeRowPressed = 3,
    kModeHeader = 4
};
} // namespace

// ---- hit tests -------------------------------------------------------------------

int ListView::ColumnFromPoint(int X, int /*Y*/) const {
    return m_layout.ColumnAtX(m_layout.ContentX(X));
}

int ListView::RowFromPoint(int X, int Y, bool HitTest) const {
    const int row = m_layout.RowAtY(Y);
    if (!HitTest) return row;
    if (X > m_layout.TotalWidth() - 1) return -1;
    return row < 0 || row > ItemCount() - 1 ? -1 : row;
}

// ---- press -----------------------------------------------------------------------

void ListView::UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (!m_blnEnabled) return;
    const int y = ListLayout::RoundHalfEven(Y);
    const int contentX = m_layout.ContentX(ListLayout::RoundHalfEven(X));

    if (contentX > m_layout.TotalWidth()) {
        if (Button == kLeftButton) UnSelectAll();
        PaintControl();
        Events().MouseDown(-1, Button, Shift, X, Y);
        return;
    }
    if (m_layout.InHeader(y)) {
        PressHeader(contentX);
        return;
    }
    if (m_layout.InList(y)) PressRows(Button, Shift, X, Y);
}

void ListView::PressHeader(int contentX) {
    const int divider = m_layout.DividerAt(contentX);
    if (divider >= 0) {
        if (ColumnOrRaise(divider).Resizable()) {
            m_lngMouseMode = kModeResize;
            m_lngResizeColumn = divider;
        }
        return;
    }
    const int button = m_layout.HeaderButtonAt(contentX);
    if (button < 0) return;
    ColumnOrRaise(button).Pushed(true);
    m_lngMouseMode = kModeHeader;
    PaintControl();
}

void ListView::PressRows(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    const int contentX = m_layout.ContentX(ListLayout::RoundHalfEven(X));
    const int row = m_layout.RowAtY(ListLayout::RoundHalfEven(Y));
    int reported = row;
    if (row < 0 || row > ItemCount() - 1) {
        if (Button == kLeftButton) UnSelectAll();
        reported = -1;
    } else {
        if (m_blnCheckboxes && m_layout.InCheckBox(row, contentX)) {
            ItemChecked(row, !ItemChecked(row));
            Events().ItemCheck(row);
            PaintControl();
            return;
        }
        // In multiple selection a Shift-press with no current row has no range
        // to extend: it is a plain press. In single selection it stays a Shift
        // press, which never starts a row drag.
        const bool noRange = Shift == kShiftMask && m_lngSelectedItem < 0 && m_blnMultiSelect;
        SelectByPress(row, noRange ? 0 : Shift);
    }
    PaintControl();
    Events().MouseDown(reported, Button, Shift, X, Y);
}

void ListView::SelectByPress(int row, int shift) {
    const bool doSelect = shift == kShiftMask || !RowOrRaise(row).Selected();
    if (doSelect) {
        if (shift == 0 || !m_blnMultiSelect) {
            UnSelectAll();
            if (m_blnMultiSelect) {
                m_lngMouseMode = kModeDragSelect;
                StartMoveTimer();
            }
        } else if (shift == kShiftMask) {
            const int step = row >= m_lngSelectedItem ? 1 : -1;
            for (int k = m_lngSelectedItem;; k += step) {
                if (k >= 0 && k < ItemCount()) RowOrRaise(k).Selected(!m_blnUnselectMode);
                if (k == row) break;
            }
        }
    }
    if (shift == 0 && (!m_blnMultiSelect || RowOrRaise(row).Selected())) {
        m_lngMouseMode = kModeRowPressed;
        if (m_blnReorder)
            StartMoveTimer();
        else
            StopMoveTimer();
        m_blnItemsMoved = false;
    }
    m_lngSelectedItem = row;
    ListItem& item = RowOrRaise(row);
    if (shift == kCtrlMask) {
        item.Selected(!item.Selected());
        m_blnUnselectMode = !item.Selected();
    } else if (shift == kShiftMask) {
        item.Selected(!m_blnUnselectMode);
    } else {
        item.Selected(true);
        m_blnUnselectMode = false;
    }
    m_lngAnchor = row;
}

// ---- movement --------------------------------------------------------------------

void ListView::UserControl_MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float X,
                                     float Y) {
    if (!m_blnEnabled) return;
    const int y = ListLayout::RoundHalfEven(Y);
    const int contentX = m_layout.ContentX(ListLayout::RoundHalfEven(X));
    switch (m_lngMouseMode) {
    case kModeNone:
        UpdatePointer(contentX, y);
        break;
    case kModeResize:
        ResizeColumnTo(contentX);
        break;
    case kModeDragSelect:
        DragSelectTo(y);
        break;
    case kModeRowPressed:
        DragRowsTo(y);
        break;
    default:
        break;
    }
}

void ListView::UpdatePointer(int contentX, int y) {
    // Over a divider that would move the sizing arrow, elsewhere the arrow.
    const int divider = m_layout.InHeader(y) ? m_layout.DividerAt(contentX) : -1;
    const bool sizing = divider >= 0 && ColumnOrRaise(divider).Resizable() && !m_blnColumnsAutoSize;
    const HCURSOR pointer = LoadCursor(sizing ? IDC_SIZEWE : IDC_ARROW);
    if (pointer == m_hPointer) return;
    m_hPointer = pointer;
    SetCursor(pointer);
}

void ListView::ResizeColumnTo(int contentX) {
    if (!m_blnColumnsAutoSize) {
        const int left = m_layout.ColumnLeft(m_lngResizeColumn);
        ColumnOrRaise(m_lngResizeColumn)
            .Width(std::max(contentX - left, ScaleToDevice(kMinColumnWidth)));
    }
    CalculateLayout();
    UpdateVerticalScroll();
    PaintControl();
}

void ListView::DragSelectTo(int y) {
    const int count = ItemCount();
    if (count == 0) return;
    const int row = std::min(std::max(m_layout.RowAtY(y), 0), count - 1);
    const int low = std::min(row, m_lngAnchor);
    const int high = std::max(row, m_lngAnchor);
    for (int k = 0; k < count; ++k)
        RowOrRaise(k).Selected(k >= low && k <= high);
    m_lngSelectedItem = row;

    if (count - m_layout.VisibleRowCount() > 0) {
        POINT pointer;
        GetCursorPos(&pointer);
        POINT origin{0, 0};
        ClientToScreen(m_hWnd, &origin);
        if (pointer.y < origin.y + m_layout.Header().bottom)
            m_clsSB->Value(SB_VERT, m_clsSB->Value(SB_VERT) - 1);
        else if (pointer.y > origin.y + m_layout.Client().bottom - ScaleToDevice(kEdgeMargin))
            m_clsSB->Value(SB_VERT, m_clsSB->Value(SB_VERT) + 1);
    }
    PaintControl();
}

void ListView::DragRowsTo(int y) {
    if (m_blnReorder) {
        const int delta = m_layout.RowAtY(y) - m_lngSelectedItem;
        const int count = ItemCount();
        // The selected row met first is the one nearest the edge it moves
        // towards: either the whole selection moves by delta or nothing does.
        if (delta < 0) {
            for (int i = 0; i < count; ++i) {
                if (!RowOrRaise(i).Selected()) continue;
                if (i + delta < 0) break;
                MoveSelectedRow(i, i + delta);
            }
        } else if (delta > 0) {
            for (int i = count - 1; i >= 0; --i) {
                if (!RowOrRaise(i).Selected()) continue;
                if (i + delta > count - 1) break;
                MoveSelectedRow(i, i + delta);
            }
        }
    }
    if (m_blnItemsMoved) {
        Events().ItemsMoved();
        PaintControl();
    }
}

void ListView::MoveSelectedRow(int from, int to) {
    m_clsItems.MoveItem(from, to);
    m_blnRowsReplaced = true;
    if (from == m_lngSelectedItem) m_lngSelectedItem = to;
    m_blnItemsMoved = true;
}

// ---- release, clicks -------------------------------------------------------------

void ListView::UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (Button == kLeftButton && m_lngMouseMode == kModeRowPressed && !m_blnItemsMoved) {
        // A plain click on one of several selected rows keeps only that row.
        UnSelectAll();
        if (m_lngSelectedItem >= 0 && m_lngSelectedItem < ItemCount())
            RowOrRaise(m_lngSelectedItem).Selected(true);
        PaintControl();
    } else if (m_lngMouseMode == kModeHeader) {
        ReleaseHeader();
    }
    m_lngMouseMode = kModeNone;
    StopMoveTimer();
    Events().MouseUp(m_lngSelectedItem, Button, Shift, X, Y);
}

void ListView::ReleaseHeader() {
    for (int c = 0; c < ColumnCount(); ++c) {
        Column& col = ColumnOrRaise(c);
        if (col.Pushed()) {
            if (m_blnSortable) {
                m_clsItems.Sort(c, col.LastSortOrder());
                m_blnRowsReplaced = true;
                col.LastSortOrder(col.LastSortOrder() == 0 ? 1 : 0);
            }
            Events().ColumnClick(c);
        }
        col.Pushed(false);
    }
    PaintControl();
}

void ListView::UserControl_Click() {
    if (m_lngSelectedItem >= 0 && m_lngSelectedItem <= ItemCount() - 1)
        Events().Click(m_lngSelectedItem);
}

void ListView::UserControl_DblClick() {
    if (m_lngSelectedItem >= 0 && m_lngSelectedItem <= ItemCount() - 1 &&
        RowOrRaise(m_lngSelectedItem).Selected())
        Events().DblClick(m_lngSelectedItem);
}

// ---- drag timer ------------------------------------------------------------------

void ListView::StartMoveTimer() {
    SetTimer(m_hWnd, tmrMoveId, tmrMoveInterval);
    m_blnTimerEnabled = true;
}

void ListView::StopMoveTimer() {
    if (!m_blnTimerEnabled) return;
    KillTimer(m_hWnd, tmrMoveId);
    m_blnTimerEnabled = false;
}

void ListView::tmrMove_Timer() {
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(m_hWnd, &pointer);
    if (AutoScrollAtEdge(pointer.y))
        UserControl_MouseMove(kLeftButton, 0, static_cast<float>(pointer.x),
                              static_cast<float>(pointer.y));
}

bool ListView::AutoScrollAtEdge(int y) {
    if (ItemCount() - m_layout.VisibleRowCount() < 0) return false;
    const int value = m_clsSB->Value(SB_VERT);
    if (y > m_layout.Client().bottom - ScaleToDevice(kEdgeMargin)) {
        m_clsSB->Value(SB_VERT, value + 1);
        return true;
    }
    if (y < m_layout.Header().bottom - ScaleToDevice(kEdgeMargin)) {
        m_clsSB->Value(SB_VERT, value - 1);
        return true;
    }
    return false;
}

// ---- drag and drop ---------------------------------------------------------------

// The window system's notifications pass on as events with every argument by
// reference, so what the host changes (the effect above all) goes back to it.
namespace {

struct DropArguments {
    explicit DropArguments(DropInfo& dropInfo)
        : info(dropInfo), data(dropInfo.data != nullptr ? *dropInfo.data : none),
          effect(static_cast<std::int32_t>(dropInfo.effect)),
          button(static_cast<std::int16_t>(dropInfo.button)),
          shift(static_cast<std::int16_t>(dropInfo.shift)), x(static_cast<float>(dropInfo.pt.x)),
          y(static_cast<float>(dropInfo.pt.y)) {}
    ~DropArguments() { info.effect = static_cast<DWORD>(effect); }
    DropArguments(const DropArguments&) = delete;
    DropArguments& operator=(const DropArguments&) = delete;

    DropInfo& info;
    DataObject none;
    DataObject& data;
    std::int32_t effect;
    std::int16_t button;
    std::int16_t shift;
    float x;
    float y;
};

} // namespace

void ListView::UserControl_OLEDragDrop(DropInfo& info) {
    if (!m_blnEnabled || m_intOLEDropMode == 0) return;
    DropArguments a(info);
    Events().OLEDragDrop(a.data, a.effect, a.button, a.shift, a.x, a.y);
}

void ListView::UserControl_OLEDragOver(DropInfo& info, std::int16_t state) {
    if (!m_blnEnabled || m_intOLEDropMode == 0) return;
    DropArguments a(info);
    Events().OLEDragOver(a.data, a.effect, a.button, a.shift, a.x, a.y, state);
}

void ListView::UserControl_OLECompleteDrag(std::int32_t& Effect) {
    if (m_blnEnabled) Events().OLECompleteDrag(Effect);
}

void ListView::UserControl_OLEGiveFeedback(std::int32_t& Effect, bool& DefaultCursors) {
    if (m_blnEnabled) Events().OLEGiveFeedback(Effect, DefaultCursors);
}

void ListView::UserControl_OLESetData(DataObject& Data, std::int16_t& DataFormat) {
    if (m_blnEnabled) Events().OLESetData(Data, DataFormat);
}

void ListView::UserControl_OLEStartDrag(DataObject& Data, std::int32_t& AllowedEffects) {
    if (m_blnEnabled) Events().OLEStartDrag(Data, AllowedEffects);
}

} // namespace lumarin::listview
