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

// Up to `count` lines of the analysed source from line `first` (1-based) on,
// read again from the source. Throws EngineError when it can no longer be read.
std::vector<std::u16string> SourceLines(const AnalysisResult& analysis, LineNumber first,
                                        std::size_t count);

} // namespace lumarin::engine
