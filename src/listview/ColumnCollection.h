// SPDX-License-Identifier: MIT
#pragma once
// The columns in display order, found by position or by a key that is unique
// regardless of letter case.

#include "listview/Column.h"
#include "listview/PositionOrKey.h"

#include <cstdint>
#include <vector>

namespace lumarin::listview {

class ColumnCollection {
public:
    ColumnCollection() = default;
    ~ColumnCollection();
    ColumnCollection(const ColumnCollection&) = delete;
    ColumnCollection& operator=(const ColumnCollection&) = delete;

    std::int32_t Count() const { return m_lngCount; }
    // A position inside the slot array (nullptr for a slot freed by Remove), or
    // the first column whose key equals Index regardless of case; error 9 otherwise.
    Column* Item(const PositionOrKey& Index) const;
    // Error 300 when a column already has the key (letter case ignored).
    Column* Add(const std::u16string& key = {});
    void Remove(const PositionOrKey& Index);

private:
    // Position of the first column with the key, or Count when none has it.
    std::int32_t findKey(const std::u16string& key) const;
    std::int32_t positionOf(const PositionOrKey& Index) const;

    std::vector<Column*> m_Slots; // owning; may hold freed slots after Remove
    std::int32_t m_lngCount = 0;
};

// Equality of two keys regardless of letter case (full Unicode case folding).
bool SameKey(const std::u16string& a, const std::u16string& b);

} // namespace lumarin::listview
