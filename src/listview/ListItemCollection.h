// SPDX-License-Identifier: MIT
#pragma once
// The rows in display order: an array of row references allocated ahead.
// Inserting, removing, moving and sorting move references in one block move,
// never the rows' texts, so a ListItem* stays valid until its row is removed.

#include "listview/ListItem.h"

#include <cstdint>
#include <vector>

namespace lumarin::listview {

class ListItemCollection {
public:
    static constexpr std::int32_t InitialCapacity = 1000;

    ListItemCollection();
    ~ListItemCollection();
    ListItemCollection(const ListItemCollection&) = delete;
    ListItemCollection& operator=(const ListItemCollection&) = delete;

    std::int32_t ColumnCount() const { return m_lngColumnCount; }
    void ColumnCount(std::int32_t lngValue) { m_lngColumnCount = lngValue; }
    std::int32_t ItemCount() const { return m_lngItemCount; }
    std::int32_t Capacity() const { return static_cast<std::int32_t>(m_Slots.size()); }

    // nullptr for a negative Index or an empty slot; error 9 at or beyond the capacity.
    ListItem* Item(std::int32_t Index) const;
    // Appends for a negative InsertAt; error 9 above ItemCount.
    ListItem* AddItem(std::int32_t InsertAt = -1);
    void RemoveItem(std::int32_t Index);
    // Error 9 for positions outside 0 ... ItemCount - 1.
    void MoveItem(std::int32_t IndexFrom, std::int32_t IndexTo);
    void Clear();
    // Only for an empty collection about to receive lngCount rows; error 9 below 1.
    void PrepareForItems(std::int32_t lngCount);
    // Sorts by the text of Column; 1 descending, anything else ascending.
    void Sort(std::int32_t Column, std::int32_t Order);

private:
    void releaseAll();
    void grow();

    std::vector<ListItem*> m_Slots; // owning; slots from ItemCount up are nullptr
    std::int32_t m_lngItemCount = 0;
    std::int32_t m_lngColumnCount = 0;
};

} // namespace lumarin::listview
