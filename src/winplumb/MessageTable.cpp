#include "winplumb/MessageTable.h"

namespace lumarin::winplumb {

MessageTable::Result MessageTable::Add(platform::UINT uMsg) {
    if (uMsg == ALL_MESSAGES) {
        m_lngCount = -1;
        return Result::Done;
    }
    if (m_lngCount >= MSG_ENTRIES)
        return Result::Overflow;
    // A specific message replaces "every message": the walk finds no slots.
    const int used = m_lngCount < 0 ? 0 : m_lngCount;
    for (int i = 0; i < used; ++i) {
        if (m_slots[i] == 0) {
            m_slots[i] = uMsg;
            return Result::Done;
        }
        if (m_slots[i] == uMsg)
            return Result::Done;
    }
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
    if (m_lngCount < 0)
        return true;
    // Message 0 never matches: a 0 slot is a freed one, not a request for WM_NULL.
    if (uMsg == 0)
        return false;
    for (int i = 0; i < m_lngCount; ++i)
        if (m_slots[i] == uMsg)
            return true;
    return false;
}

} // namespace lumarin::winplumb
