// SPDX-License-Identifier: MIT
#include "engine/headings/ChapterPreview.h"

#include "engine/base/TextUtil.h"
#include "engine/encoding/LineCodec.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

#include <algorithm>

namespace lumarin::engine {

std::vector<std::u16string> ChapterOpening(const AnalysisResult& analysis, std::size_t row,
                                           std::size_t maxLines) {
    const ChapterTable& table = analysis.table;
    if (row + 2 >= table.m_lngStartLine.size() || maxLines == 0) return {};
    const LineNumber first = table.m_lngStartLine[row + 1];
    const LineNumber end = std::min<LineNumber>(table.m_lngStartLine[row + 2],
                                                first + static_cast<LineNumber>(maxLines));
    return SourceLines(analysis, first, static_cast<std::size_t>(end - first));
}

std::vector<std::u16string> SourceLines(const AnalysisResult& analysis, LineNumber first,
                                        std::size_t count) {
    std::vector<std::u16string> lines;
    if (count == 0) return lines;
    const LineNumber end = first + static_cast<LineNumber>(count);
    SourceFile file(analysis.m_strSource);
    BlockReader blocks(file, analysis.encoding);
    LineReader reader(blocks);
    LineCodec codec(analysis.encoding);
    Line line;
    while (reader.next(line) && line.number < end)
        if (line.number >= first) lines.push_back(codec.decode(line.raw));
    return lines;
}

std::vector<SplitLine> SplitLinesAt(const AnalysisResult& analysis,
                                    const std::vector<LineNumber>& lines) {
    std::vector<SplitLine> splits(lines.size());
    if (lines.empty()) return splits;
    SourceFile file(analysis.m_strSource);
    BlockReader blocks(file, analysis.encoding);
    LineReader reader(blocks);
    LineCodec codec(analysis.encoding);
    Line line;
    std::size_t wanted = 0;
    while (wanted < lines.size() && reader.next(line)) {
        if (line.number < lines[wanted]) continue;
        std::u16string text = codec.decode(line.raw);
        if (IsBlankText(text)) continue;
        // Every split asked for at or before this line, after the last line with text, lands here.
        for (; wanted < lines.size() && lines[wanted] <= line.number; ++wanted)
            splits[wanted] = {line.number, text};
    }
    return splits;
}

} // namespace lumarin::engine
