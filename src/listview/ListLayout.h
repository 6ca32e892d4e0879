// SPDX-License-Identifier: MIT
#pragma once
// Where everything of the list is: column edges, the header and rows areas,
// a row's rectangle, a header cell, a divider's grab zone and a row's check
// box, and the conversion between window and content x. Painting, the mouse,
// the keys and the scroll ranges all ask this one object, so what is drawn
// and what is hit can never disagree.
//
// Content coordinates run across all columns from 0; the window shows them
// from the horizontal scroll value on. y is the same in both. The columns are
// measured when layout runs (resize, Refresh, column changes); the row height
// and the scroll values are read as they are at the moment of asking.

#include "platform/WinTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace lumarin::winplumb {
class Scrollbars;
}

namespace lumarin::listview {

class ColumnCollection;
class ListView;

class ListLayout {
public:
    // A visible column's edges in content x: [left, right).
    struct ColumnSpan {
        std::int32_t column;
        std::int32_t left;
        std::int32_t right;
    };

    // Half the width of the zone around a column's right edge that grabs the
    // divider; a header press further inside pushes the header button. Like
    // every fixed length of the list it is given at 96 dpi and measured in
    // device pixels (platform::ScaleToDevice).
    static std::int32_t DividerGrab();

    // Geometry rounds to nearest with halves to the even neighbour (50.5 gives 50).
    static std::int32_t RoundHalfEven(double value);

    ListLayout(const ListView& view, const std::shared_ptr<winplumb::Scrollbars>& bars)
        : m_view(view), m_bars(bars) {}

    // ---- the two passes of a layout ----
    // Column edges and the content width for the client area as it is before
    // the horizontal bar is shown or hidden; under autoSize the resizable
    // columns share its width (Column::WidthAutoSized).
    void MeasureColumns(ColumnCollection& columns, bool autoSize, const platform::RECT& client);
    // The header and rows areas once the scroll bars have settled the client area.
    void PlaceAreas(const platform::RECT& client, bool headerShown, std::int32_t headerHeight);

    // ---- areas ----
    const platform::RECT& Client() const { return m_client; }
    const platform::RECT& Header() const { return m_header; }
    const platform::RECT& List() const { return m_list; }
    std::int32_t TotalWidth() const { return m_totalWidth; } // what the columns need
    std::int32_t ContentWidth() const;                       // at least the window's width
    bool InHeader(std::int32_t y) const;                     // bottom edge included
    bool InList(std::int32_t y) const;                       // both edges included
    std::int32_t VisibleRowCount() const;                    // the last one may show in part

    // ---- columns ----
    const std::vector<ColumnSpan>& Columns() const { return m_spans; }
    std::int32_t ColumnsRight() const;                   // right edge of the last visible column
    std::int32_t ColumnLeft(std::int32_t column) const;  // visible widths before it
    std::int32_t ColumnAtX(std::int32_t contentX) const; // -1 right of the content
    platform::RECT HeaderCell(const ColumnSpan& span) const;
    platform::RECT DividerGrabZone(const ColumnSpan& span) const;
    std::int32_t DividerAt(std::int32_t contentX) const;      // column, or -1
    std::int32_t HeaderButtonAt(std::int32_t contentX) const; // column, or -1

    // ---- rows ----
    std::int32_t RowHeight() const;                   // at least one pixel
    std::int32_t TopRow() const;                      // the vertical scroll value
    std::int32_t RowAtY(std::int32_t y) const;        // unclamped
    platform::RECT RowRect(std::int32_t row) const;   // content x, to the rows area's right
    platform::RECT SlotRect(std::int32_t slot) const; // the slot-th row from the top of the area
    static platform::RECT Cell(const ColumnSpan& span, const platform::RECT& rowRect);
    // The check box in a row's first cell: its square's edges; a press
    // strictly between the left and right edge toggles it.
    static platform::RECT CheckBox(const platform::RECT& cell);
    bool InCheckBox(std::int32_t row, std::int32_t contentX) const;
    static std::int32_t CheckBoxIndent(); // column-0 text starts after the box

    // ---- horizontal scrolling ----
    std::int32_t ScrollX() const; // the content x at the window's left edge
    std::int32_t ContentX(std::int32_t clientX) const { return clientX + ScrollX(); }
    std::int32_t ClientX(std::int32_t contentX) const { return contentX - ScrollX(); }

private:
    const ListView& m_view;
    const std::shared_ptr<winplumb::Scrollbars>& m_bars;
    std::vector<ColumnSpan> m_spans;
    std::int32_t m_totalWidth = 0;
    platform::RECT m_client{};
    platform::RECT m_header{};
    platform::RECT m_list{};
    bool m_headerShown = false;
};

} // namespace lumarin::listview
