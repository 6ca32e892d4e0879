// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/ChapterTable.h"
#include "engine/headings/Volumes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct AnalysisResult;

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
    // Filled by SelectForOutput only (empty otherwise), per entry: its volume
    // (-1: none), the volume whose line opens it (-1: none), the line of its
    // own heading (its start unless a volume line opens it), and its part
    // number when it was cut by size (0: whole).
    std::vector<std::int32_t> m_lngSelVolume;
    std::vector<std::int32_t> m_lngSelOpens;
    std::vector<LineNumber> m_lngSelHeading;
    std::vector<std::int32_t> m_lngSelPart;
};

// `checked` has one mark per row (row r is entry r + 1).
OutputSelection BuildSelection(const ChapterTable& table, const std::vector<bool>& checked);

// The selection with the analysis's volumes: a volume line, and the text
// between it and the volume's first kept chapter, open that chapter's entry
// instead of ending the previous one.
OutputSelection SelectForOutput(const AnalysisResult& analysis, const std::vector<bool>& checked);

// Throws EngineError when the selection (cut by size or not) holds nothing to
// write: "没有章节标题" when the analysis found no heading, else "排除全部条件".
void CheckSomethingSelected(const AnalysisResult& analysis, const OutputSelection& selection);

// The title of entry i as files and contents show it: a part cut by size is
// "标题（2）", or "第2部分" in a text without split points.
std::u16string SelectedTitle(const OutputSelection& selection, std::size_t entry);

// Whether entry i begins a volume's first kept chapter (so a volume opens there).
inline std::int32_t VolumeOpenedAt(const OutputSelection& selection, std::size_t entry) {
    return entry < selection.m_lngSelOpens.size() ? selection.m_lngSelOpens[entry] : -1;
}

} // namespace lumarin::engine
