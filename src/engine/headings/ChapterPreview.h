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

} // namespace lumarin::engine
