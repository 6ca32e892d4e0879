#pragma once

#include "engine/headings/ChapterTable.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// The chapters an output keeps: entry 0 the front matter, entries 1..S the
// unchecked rows in row order, entry S + 1 the end marker. Entry i covers
// lines m_lngSelStart[i] .. m_lngSelStart[i+1] - 1. The titles are views of
// the table's own (a long novel has tens of thousands), so the table must
// outlive the selection.
struct OutputSelection {
    std::int32_t m_lngSelected = 0;
    std::vector<LineNumber> m_lngSelStart;
    std::vector<std::int16_t> m_intSelNo;
    std::vector<std::u16string_view> m_strSelTitle;
};

// `checked` has one mark per row (row r is entry r + 1).
OutputSelection BuildSelection(const ChapterTable& table, const std::vector<bool>& checked);

} // namespace lumarin::engine
