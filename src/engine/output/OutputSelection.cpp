#include "engine/output/OutputSelection.h"

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

} // namespace lumarin::engine
