// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/Analyzer.h"

#include <cstddef>
#include <string>
#include <vector>

namespace lumarin::engine {

// The first `maxLines` lines of the chapter of row `row` (entry row + 1),
// heading included, read again from the analysed source. Throws EngineError
// when the source can no longer be read.
std::vector<std::u16string> ChapterOpening(const AnalysisResult& analysis, std::size_t row,
                                           std::size_t maxLines);

// Where a split asked for at a line falls: the line itself, or after a blank
// line the first line with text (a chapter never starts with nothing); with
// that line's text. Line 0 when only blank lines follow.
struct SplitLine {
    LineNumber line = 0;
    std::u16string text;
};

// One SplitLine for each of `lines` (ascending), read again from the analysed
// source. A number past the end gives line 0 too.
std::vector<SplitLine> SplitLinesAt(const AnalysisResult& analysis,
                                    const std::vector<LineNumber>& lines);
// Up to `count` lines of the analysed source from line `first` (1-based) on,
// read again from the source. Throws EngineError when it can no longer be read.
std::vector<std::u16string> SourceLines(const AnalysisResult& analysis, LineNumber first,
                                        std::size_t count);

} // namespace lumarin::engine
