// SPDX-License-Identifier: MIT
#include "engine/output/OutputSelection.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Analyzer.h"

#include <cassert>

namespace lumarin::engine {

OutputSelection BuildSelection(const ChapterTable& table, const std::vector<bool>& checked) {
    assert(table.m_lngStartLine.size() == checked.size() + 2 && "one check mark per heading row");
    OutputSelection selection;
    selection.m_lngSelStart.reserve(table.m_lngStartLine.size());
    selection.m_intSelNo.reserve(table.m_lngStartLine.size());
    selection.m_strSelTitle.reserve(table.m_lngStartLine.size());
    const auto add = [&](std::size_t entry) {
        selection.m_lngSelStart.push_back(table.m_lngStartLine[entry]);
        selection.m_intSelNo.push_back(table.m_intChapterNo[entry]);
        selection.m_strSelTitle.push_back(table.m_strTitle[entry]);
    };
    add(0);
    for (std::size_t row = 0; row < checked.size(); ++row) {
        if (!checked[row]) add(row + 1);
    }
    selection.m_lngSelected = static_cast<std::int32_t>(selection.m_lngSelStart.size()) - 1;
    add(table.m_lngStartLine.size() - 1);
    return selection;
}

OutputSelection SelectForOutput(const AnalysisResult& analysis, const std::vector<bool>& checked) {
    OutputSelection selection = BuildSelection(analysis.table, checked);
    const std::size_t entries = selection.m_lngSelStart.size();
    selection.m_lngSelVolume.assign(entries, -1);
    selection.m_lngSelOpens.assign(entries, -1);
    selection.m_lngSelHeading = selection.m_lngSelStart;
    selection.m_lngSelPart.assign(entries, 0);
    std::size_t entry = 1;
    for (std::size_t row = 0; row < checked.size(); ++row) {
        if (checked[row]) continue;
        if (row < analysis.rowVolume.size())
            selection.m_lngSelVolume[entry] = analysis.rowVolume[row];
        ++entry;
    }
    const std::vector<Volume>& volumes = analysis.volumes;
    const auto last = static_cast<std::size_t>(selection.m_lngSelected);
    entry = 1;
    for (std::size_t v = 0; v < volumes.size(); ++v) {
        const LineNumber line = volumes[v].line;
        while (entry <= last && selection.m_lngSelStart[entry] < line)
            ++entry;
        if (entry > last) break;
        // A volume without a kept chapter of its own leaves its line where it is.
        if (v + 1 < volumes.size() && selection.m_lngSelStart[entry] >= volumes[v + 1].line)
            continue;
        selection.m_lngSelOpens[entry] = static_cast<std::int32_t>(v);
        selection.m_lngSelStart[entry] = line;
    }
    return selection;
}

void CheckSomethingSelected(const AnalysisResult& analysis, const OutputSelection& selection) {
    if (selection.m_lngSelected > 0) return;
    if (analysis.m_lngCount == 0) throw EngineError::noHeadings();
    throw EngineError::allRowsChecked();
}

std::u16string SelectedTitle(const OutputSelection& selection, std::size_t entry) {
    const std::int32_t part =
        entry < selection.m_lngSelPart.size() ? selection.m_lngSelPart[entry] : 0;
    const std::u16string_view title = selection.m_strSelTitle[entry];
    if (part == 0) return std::u16string(title);
    if (title.empty()) return u"第" + ToU16Decimal(part) + u"部分";
    return std::u16string(title) + u"（" + ToU16Decimal(part) + u"）";
}

} // namespace lumarin::engine
