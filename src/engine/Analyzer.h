#pragma once

#include "engine/ChapterTable.h"
#include "engine/Encoding.h"
#include "engine/EncodingChoice.h"
#include "engine/HeadingCondition.h"
#include "engine/SourceStamp.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Everything one analysis found, and what the output needs to check that the
// source is still the one analysed.
struct AnalysisResult {
    std::filesystem::path m_strSource;
    Encoding encoding = Encoding::Gb18030;
    SourceStamp stamp;
    std::int32_t m_lngCount = 0;
    LineNumber lineCount = 0;
    ChapterTable table;
    // Initial check marks from the short-chapter rule; row r is entry r + 1.
    std::vector<bool> checked;
};

// Reads the source once and builds the chapter table. Throws EngineError:
// "无此文件!" (missing file), "无法读取文件: ..." (unreadable), "标题条件无效: ..."
// (bad condition), or the match-limit refusal naming the line.
AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       std::uint32_t matchLimit = kDefaultMatchLimit);

// The same, with the source read in the encoding the user chose.
AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       InputEncodingChoice encoding, std::uint32_t matchLimit = kDefaultMatchLimit);

// Title of a heading: every U+3000 removed, then trimmed of U+0020.
std::u16string CleanTitle(std::u16string_view captured);

} // namespace lumarin::engine
