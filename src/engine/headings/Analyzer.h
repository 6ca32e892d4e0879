// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"
#include "engine/encoding/EncodingChoice.h"
#include "engine/headings/ChapterTable.h"
#include "engine/headings/HeadingAudit.h"
#include "engine/headings/HeadingCondition.h"
#include "engine/headings/HeadingRules.h"
#include "engine/headings/Volumes.h"
#include "engine/source/SourceStamp.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// A line that looks like a heading but does not match the condition in use.
struct NearMiss {
    LineNumber line = 0;
    std::u16string text;
};

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
    // The built-in rule used, or null for the user's own condition and for an
    // automatic choice that found no rule explaining the text (no headings then).
    const HeadingRule* rule = nullptr;
    bool automatic = false; // the rule was to be chosen automatically
    std::u16string condition;
    // Per row: the match does not begin its line.
    std::vector<bool> midLine;
    // Per row: the chapter's length in characters, line ends not counted
    // (only when measured).
    std::vector<std::int64_t> chars;
    // Only when asked for.
    std::vector<NearMiss> nearMisses;
    // The volumes above the chapters, and per row its volume (-1: none).
    std::vector<Volume> volumes;
    std::vector<std::int32_t> rowVolume;
};

// What to look for and what to gather besides the chapter table.
struct AnalysisRequest {
    std::u16string condition{kDefaultCondition}; // the user's own condition
    const HeadingRule* rule = nullptr;           // a built-in rule instead
    bool automatic = false;                      // the built-in rule that explains the text best
    bool measureChapters = false;
    bool nearMisses = false;
    std::uint32_t matchLimit = kDefaultMatchLimit;
    InputEncodingChoice encoding = InputEncodingChoice::Auto; // how the source is read
};

// Reads the source once and builds the chapter table. Throws EngineError:
// "无此文件!" (missing file), "无法读取文件: ..." (unreadable), "标题条件无效: ..."
// (bad condition), or the match-limit refusal naming the line.
AnalysisResult Analyze(const std::filesystem::path& source, const AnalysisRequest& request);
AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       std::uint32_t matchLimit = kDefaultMatchLimit);

// The audit of the current check marks (row r is entry r + 1).
std::vector<AuditFlags> AuditAnalysis(const AnalysisResult& analysis,
                                      const std::vector<bool>& checked);
AuditReport AuditAnalysisWithNotes(const AnalysisResult& analysis,
                                   const std::vector<bool>& checked);

// Title of a heading: every U+3000 removed, then trimmed of U+0020.
std::u16string CleanTitle(std::u16string_view captured);

} // namespace lumarin::engine
