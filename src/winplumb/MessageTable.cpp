// SPDX-License-Identifier: MIT
#include "winplumb/MessageTable.h"

#include <algorithm>

namespace lumarin::winplumb {

MessageTable::Result MessageTable::Add(platform::UINT uMsg) {
    if (uMsg == ALL_MESSAGES) {
        m_lngCount = -1;
        return Result::Done;
    }
    // A specific message replaces "every message": there are no slots to walk.
    // A message already present is never entered twice (one DelMsg must take
    // it out), and a freed slot is reused before the table counts as full.
    const int used = m_lngCount < 0 ? 0 : m_lngCount;
    const auto begin = m_slots.begin();
    const auto end = m_slots.begin() + used;
    if (std::find(begin, end, uMsg) != end) return Result::Done;
    if (const auto freed = std::find(begin, end, 0u); freed != end) {
        *freed = uMsg;
        return Result::Done;
    }
    if (used >= MSG_ENTRIES) return Result::Overflow;
    m_slots[used] = uMsg;
    m_lngCount = used + 1;
    return Result::Done;
}

MessageTable::Result MessageTable::Remove(platform::UINT uMsg) {
    if (uMsg == ALL_MESSAGES) {
        m_lngCount = 0;
        return Result::Done;
    }
    for (int i = 0; i < m_lngCount; ++i) {
        if (m_slots[i] == uMsg) {
            m_slots[i] = 0;
            return Result::Done;
        }
    }
    return Result::NotFound;
}

bool MessageTable::Matches(platform::UINT uMsg) const {
    if (m_lngCount < 0) return true;
    // Message 0 never matches: a 0 slot is a freed one, not a request for WM_NULL.
    if (uMsg == 0) return false;
    for (int i = 0; i < m_lngCount; ++i)
        if (m_slots[i] == uMsg) return true;
    return false;
}

} // namespace lumarin::winplumb
