// SPDX-License-Identifier: MIT
#include "listview/ColumnCollection.h"

#include "listview/ListViewError.h"

#include <cstring>
#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace lumarin::listview {

bool SameKey(const std::u16string& a, const std::u16string& b) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t result =
        u_strCaseCompare(a.data(), static_cast<int32_t>(a.size()), b.data(),
                         static_cast<int32_t>(b.size()), U_FOLD_CASE_DEFAULT, &status);
    return U_SUCCESS(status) && result == 0;
}

ColumnCollection::~ColumnCollection() {
    for (std::int32_t i = 0; i < m_lngCount; ++i)
        delete m_Slots[static_cast<std::size_t>(i)];
}

std::int32_t ColumnCollection::findKey(const std::u16string& key) const {
    for (std::int32_t i = 0; i < m_lngCount; ++i) {
        if (SameKey(m_Slots[static_cast<std::size_t>(i)]->key(), key)) return i;
    }
    return m_lngCount;
}

// A number (or numeric text) is a position, anything else a key; a missing key
// or an unrepresentable number gives a position that every caller rejects.
std::int32_t ColumnCollection::positionOf(const PositionOrKey& Index) const {
    if (const auto number = Index.NumericValue()) {
        const auto position = RoundToInt32(*number);
        if (!position) RaiseError(ERR_SUBSCRIPT);
        return *position;
    }
    const std::int32_t found = findKey(Index.Text());
    if (found == m_lngCount) RaiseError(ERR_SUBSCRIPT);
    return found;
}

Column* ColumnCollection::Item(const PositionOrKey& Index) const {
    const std::int32_t position = positionOf(Index);
    if (position < 0 || position >= static_cast<std::int32_t>(m_Slots.size())) {
        RaiseError(ERR_SUBSCRIPT);
    }
    return m_Slots[static_cast<std::size_t>(position)];
}

Column* ColumnCollection::Add(const std::u16string& key) {
    if (findKey(key) != m_lngCount) RaiseError(ERR_DUPLICATE_KEY);
    m_Slots.resize(static_cast<std::size_t>(m_lngCount) + 1, nullptr);
    auto column = new Column;
    column->key(key);
    m_Slots[static_cast<std::size_t>(m_lngCount)] = column;
    ++m_lngCount;
    return column;
}

void ColumnCollection::Remove(const PositionOrKey& Index) {
    const std::int32_t position = positionOf(Index);
    if (position < 0 || position > m_lngCount - 1) RaiseError(ERR_SUBSCRIPT);
    delete m_Slots[static_cast<std::size_t>(position)];
    const std::int32_t later = m_lngCount - 1 - position;
    if (later > 0) {
        std::memmove(m_Slots.data() + position, m_Slots.data() + position + 1,
                     static_cast<std::size_t>(later) * sizeof(Column*));
    }
    m_Slots[static_cast<std::size_t>(m_lngCount - 1)] = nullptr;
    --m_lngCount;
}

} // namespace lumarin::listview
