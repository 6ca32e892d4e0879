// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/LineReader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumarin::engine {

// The chapter table of an analysis: entry 0 is the front matter ("(Index)"),
// entries 1..count are the headings in file order, entry count + 1 is the end
// marker ("(End)", start line = number of lines + 1). m_strHeading stops at
// entry count. Entry k covers lines m_lngStartLine[k] .. m_lngStartLine[k+1] - 1.
struct ChapterTable {
    std::vector<LineNumber> m_lngStartLine;
    std::vector<std::int16_t> m_intChapterNo;
    std::vector<std::u16string> m_strTitle;
    std::vector<std::u16string> m_strHeading;
    // Per entry, only after a reader's edits (empty otherwise): a split point
    // the reader added, a title the reader corrected.
    std::vector<bool> m_blnAdded;
    std::vector<bool> m_blnRetitled;

    // Number of heading entries (the table's m_lngCount).
    std::int32_t headingCount() const noexcept {
        return static_cast<std::int32_t>(m_strHeading.size()) - 1;
    }

    bool added(std::size_t k) const noexcept { return k < m_blnAdded.size() && m_blnAdded[k]; }
    bool retitled(std::size_t k) const noexcept {
        return k < m_blnRetitled.size() && m_blnRetitled[k];
    }

    // The preview column of entry k: number, "-", title ("12-风起云涌", "0-(Unknown)").
    std::u16string previewText(std::size_t k) const;
};

} // namespace lumarin::engine
