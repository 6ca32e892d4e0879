// SPDX-License-Identifier: MIT
#include "listview/ListLayout.h"

#include "listview/ColumnCollection.h"
#include "listview/ListView.h"
#include "listview/ListViewError.h"
#include "platform/Window.h"
#include "winplumb/Scrollbars.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr std::int32_t kCheckBoxLeft = 3;
constexpr std::int32_t kCheckBoxSize = 12;

Column& ColumnAt(const ColumnCollection& columns, std::int32_t c) {
    Column* column = columns.Item(c);
    if (column == nullptr) RaiseError(ERR_NO_OBJECT);
    return *column;
}

std::int32_t FloorDiv(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(std::floor(static_cast<double>(a) / b));
}

// Resizable columns share what the fixed ones leave of the width, in
// proportion to their widths; only the last column is narrowed so the
// columns end at the window's right edge, and it is never widened.
void AutoSizeColumns(ColumnCollection& columns, std::int32_t clientWidth) {
    const std::int32_t count = columns.Count();
    double resizableSum = 0;
    std::int32_t fixedSum = 0;
    for (std::int32_t c = 0; c < count; ++c) {
        Column& col = ColumnAt(columns, c);
        if (!col.Visible()) continue;
        if (col.Resizable()) {
            resizableSum += col.Width();
        } else {
            fixedSum += col.Width();
            col.WidthAutoSized(col.Width());
        }
    }
    std::int32_t running = 0;
    for (std::int32_t c = 0; c < count; ++c) {
        Column& col = ColumnAt(columns, c);
        if (!col.Visible()) continue;
        if (col.Resizable()) {
            // Resizable columns whose widths sum to 0 share nothing.
            const double share =
                resizableSum > 0 ? col.Width() / resizableSum * (clientWidth - fixedSum) : 0.0;
            col.WidthAutoSized(ListLayout::RoundHalfEven(share + 0.5));
        }
        if (c == count - 1 && running + col.WidthAutoSized() > clientWidth)
            col.WidthAutoSized(clientWidth - running);
        running += col.WidthAutoSized();
    }
}

} // namespace

// The default floating-point rounding mode rounds halves to even.
std::int32_t ListLayout::RoundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// ---- the two passes ----------------------------------------------------------------

void ListLayout::MeasureColumns(ColumnCollection& columns, bool autoSize, const RECT& client) {
    m_client = client;
    const std::int32_t clientWidth = client.right;
    if (autoSize) AutoSizeColumns(columns, clientWidth);
    m_spans.clear();
    std::int32_t left = 0;
    std::int32_t fullWidths = 0;
    for (std::int32_t c = 0; c < columns.Count(); ++c) {
        const Column& col = ColumnAt(columns, c);
        if (!col.Visible()) continue;
        const std::int32_t width = autoSize ? col.WidthAutoSized() : col.Width();
        m_spans.push_back(ColumnSpan{c, left, left + width});
        left += width;
        fullWidths += col.Width();
    }
    // Auto-sized columns always take exactly the window's width.
    m_totalWidth = autoSize ? clientWidth : fullWidths;
}

void ListLayout::PlaceAreas(const RECT& client, bool headerShown, std::int32_t headerHeight) {
    m_client = client;
    m_headerShown = headerShown;
    const std::int32_t width = ContentWidth();
    m_header = headerShown ? RECT{0, 0, width, headerHeight} : RECT{};
    m_list = RECT{0, m_header.bottom, width, m_client.bottom};
}

// ---- areas ---------------------------------------------------------------------------

std::int32_t ListLayout::ContentWidth() const {
    return std::max(m_totalWidth, m_client.right);
}

bool ListLayout::InHeader(std::int32_t y) const {
    return m_headerShown && y >= 0 && y <= m_header.bottom;
}

bool ListLayout::InList(std::int32_t y) const {
    return y >= m_list.top && y <= m_list.bottom;
}

std::int32_t ListLayout::VisibleRowCount() const {
    // Half a row or more counts as a row; the one past the count is painted too.
    const double rows = static_cast<double>(m_list.bottom - m_list.top + 1) / RowHeight();
    return RoundHalfEven(rows + 0.5);
}

// ---- columns -------------------------------------------------------------------------

std::int32_t ListLayout::ColumnsRight() const {
    return m_spans.empty() ? 0 : m_spans.back().right;
}

std::int32_t ListLayout::ColumnLeft(std::int32_t column) const {
    for (const ColumnSpan& span : m_spans)
        if (span.column >= column) return span.left;
    return ColumnsRight();
}

std::int32_t ListLayout::ColumnAtX(std::int32_t contentX) const {
    if (contentX > m_totalWidth - 1) return -1;
    for (const ColumnSpan& span : m_spans)
        if (span.right > contentX) return span.column;
    return -1;
}

RECT ListLayout::HeaderCell(const ColumnSpan& span) const {
    return RECT{span.left, 0, span.right, m_header.bottom};
}

RECT ListLayout::DividerGrabZone(const ColumnSpan& span) const {
    return RECT{span.right - DividerGrab() + 1, 0, span.right + DividerGrab(), m_header.bottom + 1};
}

std::int32_t ListLayout::DividerAt(std::int32_t contentX) const {
    for (const ColumnSpan& span : m_spans) {
        const RECT zone = DividerGrabZone(span);
        if (contentX >= zone.left && contentX < zone.right) return span.column;
    }
    return -1;
}

std::int32_t ListLayout::HeaderButtonAt(std::int32_t contentX) const {
    for (const ColumnSpan& span : m_spans)
        if (contentX > span.left + DividerGrab() && contentX < span.right - DividerGrab())
            return span.column;
    return -1;
}

// ---- rows ----------------------------------------------------------------------------

std::int32_t ListLayout::RowHeight() const {
    // Negative paddings can make the item height 0 or less.
    return std::max(m_view.ItemHeight(), 1);
}

std::int32_t ListLayout::TopRow() const {
    return m_bars->Value(SB_VERT);
}

std::int32_t ListLayout::RowAtY(std::int32_t y) const {
    return FloorDiv(y - m_list.top, RowHeight()) + TopRow();
}

RECT ListLayout::RowRect(std::int32_t row) const {
    return SlotRect(row - TopRow());
}

RECT ListLayout::SlotRect(std::int32_t slot) const {
    const std::int32_t top = m_list.top + slot * RowHeight();
    return RECT{0, top, m_list.right, top + RowHeight()};
}

RECT ListLayout::Cell(const ColumnSpan& span, const RECT& rowRect) {
    return RECT{span.left, rowRect.top, span.right, rowRect.bottom};
}

RECT ListLayout::CheckBox(const RECT& cell) {
    const std::int32_t size = ScaleToDevice(kCheckBoxSize);
    const std::int32_t left = cell.left + ScaleToDevice(kCheckBoxLeft);
    const std::int32_t top = RoundHalfEven((cell.top + cell.bottom) / 2.0 - size / 2.0 - 0.5);
    return RECT{left, top, left + size, top + size};
}

std::int32_t ListLayout::DividerGrab() {
    return ScaleToDevice(5);
}

std::int32_t ListLayout::CheckBoxIndent() {
    return ScaleToDevice(18);
}

bool ListLayout::InCheckBox(std::int32_t row, std::int32_t contentX) const {
    // Only the first column's cell holds a box, and only while it is shown.
    if (m_spans.empty() || m_spans.front().column != 0 || ColumnAtX(contentX) != 0) return false;
    const RECT box = CheckBox(Cell(m_spans.front(), RowRect(row)));
    return contentX > box.left && contentX < box.right;
}

// ---- horizontal scrolling ----------------------------------------------------------

std::int32_t ListLayout::ScrollX() const {
    return m_totalWidth > m_client.right ? m_bars->Value(SB_HORZ) : 0;
}

} // namespace lumarin::listview
