// SPDX-License-Identifier: MIT
#include "engine/headings/ChapterEdits.h"

#include "engine/base/TextUtil.h"

#include <algorithm>

namespace lumarin::engine {

bool ChapterEdits::add(LineNumber line, std::u16string heading) {
    const auto at = std::lower_bound(added.begin(), added.end(), line,
                                     [](const AddedSplit& a, LineNumber l) { return a.line < l; });
    if (at != added.end() && at->line == line) return false;
    added.insert(at, AddedSplit{line, std::move(heading)});
    return true;
}

bool ChapterEdits::remove(LineNumber line) {
    const auto at = std::find_if(added.begin(), added.end(),
                                 [line](const AddedSplit& a) { return a.line == line; });
    if (at == added.end()) return false;
    added.erase(at);
    titles.erase(line);
    return true;
}

std::int32_t RowStartingAt(const ChapterTable& table, LineNumber line) {
    const auto first = table.m_lngStartLine.begin() + 1;
    const auto last = table.m_lngStartLine.begin() + static_cast<std::ptrdiff_t>(table.m_strHeading.size());
    if (first >= last) return -1;
    const auto at = std::lower_bound(first, last, line);
    if (at == last || *at != line) return -1;
    return static_cast<std::int32_t>(at - first);
}

std::int32_t VolumeAtLine(const AnalysisResult& analysis, LineNumber line) {
    for (std::size_t v = 0; v < analysis.volumes.size(); ++v)
        if (analysis.volumes[v].line == line) return static_cast<std::int32_t>(v);
    return -1;
}

namespace {

// Adds the volumes marked by hand to an edited analysis: each takes the rows
// from its line up to the next volume's line.
void MarkVolumes(AnalysisResult& result, const std::map<LineNumber, std::u16string>& marked) {
    std::vector<Volume> volumes;
    std::vector<bool> byHand;
    std::vector<std::int32_t> newIndex(result.volumes.size(), -1);
    std::size_t next = 0;
    const auto takeFound = [&](LineNumber before) {
        for (; next < result.volumes.size() && result.volumes[next].line < before; ++next) {
            newIndex[next] = static_cast<std::int32_t>(volumes.size());
            volumes.push_back(result.volumes[next]);
            byHand.push_back(false);
        }
    };
    for (const auto& [line, text] : marked) {
        if (line < 1 || line > result.lineCount || VolumeAtLine(result, line) >= 0) continue;
        takeFound(line);
        Volume volume;
        volume.line = line;
        volume.title = std::u16string(TrimBlanks(text));
        volume.sharesLine = RowStartingAt(result.table, line) >= 0;
        volumes.push_back(std::move(volume));
        byHand.push_back(true);
    }
    takeFound(result.lineCount + 2);
    for (std::int32_t& v : result.rowVolume)
        if (v >= 0) v = newIndex[static_cast<std::size_t>(v)];
    for (std::size_t v = 0; v < volumes.size(); ++v) {
        if (!byHand[v]) continue;
        const LineNumber end = v + 1 < volumes.size() ? volumes[v + 1].line : result.lineCount + 1;
        for (std::size_t r = 0; r < result.rowVolume.size(); ++r) {
            const LineNumber start = result.table.m_lngStartLine[r + 1];
            if (start >= volumes[v].line && start < end)
                result.rowVolume[r] = static_cast<std::int32_t>(v);
        }
    }
    result.volumes = std::move(volumes);
}

} // namespace

AnalysisResult ApplyEdits(const AnalysisResult& found, const ChapterEdits& edits) {
    if (edits.empty()) return found;
    AnalysisResult result = found;
    const ChapterTable& from = found.table;
    ChapterTable& table = result.table;
    table = ChapterTable{};
    result.checked.clear();
    result.midLine.clear();
    result.chars.clear();
    result.rowVolume.clear();
    const bool measured = !found.chars.empty();
    // The volume of an old row; an added row joins the volume it stands in.
    const auto volumeOf = [&](std::size_t r) {
        return r < found.rowVolume.size() ? found.rowVolume[r] : std::int32_t{-1};
    };
    const auto volumeAt = [&](LineNumber line, std::size_t nextRow) {
        std::int32_t previous = result.rowVolume.empty() ? -1 : result.rowVolume.back();
        for (std::size_t v = found.volumes.size(); v-- > 0;) {
            if (found.volumes[v].line > line) continue;
            const auto index = static_cast<std::int32_t>(v);
            // A split at the volume's own line opens the volume.
            if (found.volumes[v].line == line) return index;
            // After the volume's line: in it when the rows around are.
            if (previous == index || (nextRow < static_cast<std::size_t>(found.m_lngCount) &&
                                      volumeOf(nextRow) == index))
                return index;
            break;
        }
        return previous;
    };

    const auto copyEntry = [&](std::size_t k) {
        table.m_lngStartLine.push_back(from.m_lngStartLine[k]);
        table.m_intChapterNo.push_back(from.m_intChapterNo[k]);
        table.m_strTitle.push_back(from.m_strTitle[k]);
        if (k < from.m_strHeading.size()) table.m_strHeading.push_back(from.m_strHeading[k]);
        table.m_blnAdded.push_back(false);
    };
    copyEntry(0);
    const std::size_t count = static_cast<std::size_t>(found.m_lngCount);
    std::size_t k = 1;
    auto added = edits.added.begin();
    while (k <= count || added != edits.added.end()) {
        const bool takeAdded =
            added != edits.added.end() && (k > count || added->line < from.m_lngStartLine[k]);
        if (!takeAdded) {
            if (added != edits.added.end() && added->line == from.m_lngStartLine[k]) ++added;
            copyEntry(k);
            const std::size_t r = k - 1;
            result.checked.push_back(found.checked[r]);
            result.midLine.push_back(r < found.midLine.size() && found.midLine[r]);
            if (measured) result.chars.push_back(r < found.chars.size() ? found.chars[r] : -1);
            result.rowVolume.push_back(volumeOf(r));
            ++k;
            continue;
        }
        const AddedSplit& split = *added++;
        if (split.line < 1 || split.line > found.lineCount ||
            (table.m_lngStartLine.size() > 1 && split.line == table.m_lngStartLine.back()))
            continue;
        table.m_lngStartLine.push_back(split.line);
        table.m_intChapterNo.push_back(0);
        table.m_strTitle.push_back(CleanTitle(split.heading));
        table.m_strHeading.push_back(split.heading);
        table.m_blnAdded.push_back(true);
        result.checked.push_back(false);
        result.midLine.push_back(false);
        if (measured) {
            if (!result.chars.empty()) result.chars.back() = -1; // cut short, length unknown
            result.chars.push_back(-1);
        }
        result.rowVolume.push_back(volumeAt(split.line, k - 1));
    }
    copyEntry(from.m_lngStartLine.size() - 1);
    result.m_lngCount = table.headingCount();
    if (!edits.volumes.empty()) MarkVolumes(result, edits.volumes);
    if (!result.volumes.empty()) {
        // A volume opens at its first row, wherever the rows moved.
        for (Volume& volume : result.volumes) volume.firstRow = -1;
        for (std::size_t r = 0; r < result.rowVolume.size(); ++r) {
            const std::int32_t v = result.rowVolume[r];
            if (v < 0) continue;
            Volume& volume = result.volumes[static_cast<std::size_t>(v)];
            if (volume.firstRow < 0) volume.firstRow = static_cast<std::int32_t>(r);
        }
    }

    table.m_blnRetitled.assign(table.m_lngStartLine.size(), false);
    for (const auto& [line, title] : edits.titles) {
        const std::int32_t row = RowStartingAt(table, line);
        if (row < 0) continue;
        table.m_strTitle[static_cast<std::size_t>(row) + 1] = title;
        table.m_blnRetitled[static_cast<std::size_t>(row) + 1] = true;
    }
    return result;
}

} // namespace lumarin::engine
