// SPDX-License-Identifier: MIT
#pragma once
// The states a review went through, for undo and redo. A state is small
// enough to keep whole (the marks are bits, the edits a handful of lines), so
// undoing is putting an earlier state back rather than reversing an action.

#include "engine/headings/ChapterEdits.h"

#include <cstddef>
#include <deque>
#include <vector>

namespace lumarin::app {

struct ReviewState {
    std::vector<bool> checked; // per row of the edited table
    std::vector<bool> ordered; // the marks the first column was last numbered by (排序)
    engine::ChapterEdits edits;

    friend bool operator==(const ReviewState&, const ReviewState&) = default;
};

class ReviewHistory {
public:
    // The most states kept; the oldest go first.
    static constexpr std::size_t kDepth = 500;

    // Forgets everything: `start` is the state of a fresh analysis.
    void reset(ReviewState start);
    // The state after an action. False, and nothing kept, when it is the
    // current state; otherwise whatever could be redone is gone.
    bool record(ReviewState state);

    bool canUndo() const noexcept { return m_at > 0; }
    bool canRedo() const noexcept { return m_at + 1 < m_states.size(); }
    // The state to put back; call only when canUndo / canRedo.
    const ReviewState& undo();
    const ReviewState& redo();
    bool empty() const noexcept { return m_states.empty(); }
    const ReviewState& current() const { return m_states.at(m_at); }

private:
    std::deque<ReviewState> m_states;
    std::size_t m_at = 0;
};

} // namespace lumarin::app
