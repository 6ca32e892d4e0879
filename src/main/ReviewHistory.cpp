// SPDX-License-Identifier: MIT
#include "main/ReviewHistory.h"

#include <cassert>

namespace lumarin::app {

void ReviewHistory::reset(ReviewState start) {
    m_states.clear();
    m_states.push_back(std::move(start));
    m_at = 0;
}

bool ReviewHistory::record(ReviewState state) {
    if (m_states.empty()) {
        reset(std::move(state));
        return true;
    }
    if (state == m_states[m_at]) return false;
    m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_at) + 1, m_states.end());
    m_states.push_back(std::move(state));
    if (m_states.size() > kDepth) m_states.pop_front();
    m_at = m_states.size() - 1;
    return true;
}

const ReviewState& ReviewHistory::undo() {
    assert(canUndo() && "nothing to undo");
    return m_states[--m_at];
}

const ReviewState& ReviewHistory::redo() {
    assert(canRedo() && "nothing to redo");
    return m_states[++m_at];
}

} // namespace lumarin::app
