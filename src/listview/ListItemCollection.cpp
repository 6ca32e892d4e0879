// SPDX-License-Identifier: MIT
#include "listview/ListItemCollection.h"

#include "listview/ListViewError.h"
#include "listview/PositionOrKey.h"
#include "listview/modShellSort.h"
#include "listview/modSortCallback.h"

#include <cstring>

namespace lumarin::listview {

namespace {

// Moves `count` references from slot `from` to slot `to` in one block move.
void MoveSlots(std::vector<ListItem*>& slots, std::int32_t from, std::int32_t to,
               std::int32_t count) {
    if (count <= 0) return;
    std::memmove(slots.data() + to, slots.data() + from,
                 static_cast<std::size_t>(count) * sizeof(ListItem*));
}

} // namespace

ListItemCollection::ListItemCollection() : m_Slots(InitialCapacity, nullptr) {}

ListItemCollection::~ListItemCollection() {
    releaseAll();
}

void ListItemCollection::releaseAll() {
    for (std::int32_t i = 0; i < m_lngItemCount; ++i) {
        delete m_Slots[static_cast<std::size_t>(i)];
        m_Slots[static_cast<std::size_t>(i)] = nullptr;
    }
    m_lngItemCount = 0;
}

ListItem* ListItemCollection::Item(std::int32_t Index) const {
    if (Index < 0) return nullptr;
    if (Index >= Capacity()) RaiseError(ERR_SUBSCRIPT);
    return m_Slots[static_cast<std::size_t>(Index)];
}

ListItem* ListItemCollection::AddItem(std::int32_t InsertAt) {
    // Inserting beyond the end would leave a gap of empty slots among the rows.
    if (InsertAt > m_lngItemCount) RaiseError(ERR_SUBSCRIPT);
    auto row = new ListItem;
    row->SetSubItemCount(m_lngColumnCount);
    if (InsertAt < 0) {
        m_Slots[static_cast<std::size_t>(m_lngItemCount)] = row;
    } else {
        MoveSlots(m_Slots, InsertAt, InsertAt + 1, m_lngItemCount - InsertAt);
        m_Slots[static_cast<std::size_t>(InsertAt)] = row;
    }
    ++m_lngItemCount;
    if (m_lngItemCount > Capacity() - 1) grow();
    return row;
}

void ListItemCollection::grow() {
    // capacity * 1.5, halves to even: 1000, 1500, 2250, 3375, 5062, 7593 ...
    const auto grown = RoundToInt32(Capacity() + Capacity() / 2.0);
    if (!grown) RaiseError(ERR_OVERFLOW);
    m_Slots.resize(static_cast<std::size_t>(*grown), nullptr);
}

void ListItemCollection::RemoveItem(std::int32_t Index) {
    if (Index < 0 || Index > m_lngItemCount - 1) RaiseError(ERR_SUBSCRIPT);
    delete m_Slots[static_cast<std::size_t>(Index)];
    MoveSlots(m_Slots, Index + 1, Index, m_lngItemCount - 1 - Index);
    m_Slots[static_cast<std::size_t>(m_lngItemCount - 1)] = nullptr;
    --m_lngItemCount;
}

void ListItemCollection::MoveItem(std::int32_t IndexFrom, std::int32_t IndexTo) {
    // Positions past the rows would move an empty slot among them.
    if (IndexFrom < 0 || IndexFrom > m_lngItemCount - 1 || IndexTo < 0 ||
        IndexTo > m_lngItemCount - 1) {
        RaiseError(ERR_SUBSCRIPT);
    }
    ListItem* moving = m_Slots[static_cast<std::size_t>(IndexFrom)];
    if (IndexFrom < IndexTo) {
        MoveSlots(m_Slots, IndexFrom + 1, IndexFrom, IndexTo - IndexFrom);
    } else if (IndexTo < IndexFrom) {
        MoveSlots(m_Slots, IndexTo, IndexTo + 1, IndexFrom - IndexTo);
    }
    m_Slots[static_cast<std::size_t>(IndexTo)] = moving;
}

void ListItemCollection::Clear() {
    releaseAll();
    m_Slots.assign(m_Slots.size(), nullptr);
}

void ListItemCollection::PrepareForItems(std::int32_t lngCount) {
    // Fewer slots than rows would drop rows; no slots at all breaks the spare-slot rule.
    if (lngCount < 1 || lngCount <= m_lngItemCount) RaiseError(ERR_SUBSCRIPT);
    m_Slots.resize(static_cast<std::size_t>(lngCount), nullptr);
}

void ListItemCollection::Sort(std::int32_t Column, std::int32_t Order) {
    if (m_lngItemCount == 0) return;
    if (Column < 0 || Column > m_lngColumnCount - 1) return;
    SetSortColumn(Column);
    SetSortOrder(Order);
    ShellSort(m_Slots.data(), m_lngItemCount, static_cast<std::int16_t>(sizeof(ListItem*)),
              CompareListItems);
}

} // namespace lumarin::listview
