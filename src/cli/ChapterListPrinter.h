// SPDX-License-Identifier: MIT
#pragma once

#include "engine/cleanup/TextCleanup.h"
#include "engine/headings/Analyzer.h"

#include <ostream>
#include <string>
#include <vector>

namespace lumarin::cli {

// Prints the chapter list of an analysis with the current check marks, as --list shows it:
// one row per heading (row, mark, label, heading, preview, tab-separated) and the count line
// "unchecked/total"; or, for --json, the whole table as one JSON document. With a built-in rule
// the text starts with "rule<TAB>name", each row ends with its audit flags and each volume's
// "volume<TAB>line<TAB>title" stands before its first row; near misses, when asked for, follow
// the count line as "near-miss<TAB>line<TAB>text", and lines the cleaning removes as
// "removed<TAB>line<TAB>reason<TAB>text" (in JSON: "removed").
class ChapterListPrinter {
public:
    // `checksum` is the source's (SourceChecksum), for --json.
    ChapterListPrinter(const engine::AnalysisResult& analysis, const std::vector<bool>& checked,
                       bool nearMisses = false, std::string checksum = {},
                       const engine::TextCleanup* cleanup = nullptr);

    void PrintText(std::ostream& out) const;
    void PrintJson(std::ostream& out) const;

private:
    const engine::AnalysisResult& m_analysis;
    const std::vector<bool>& m_checked;
    bool m_nearMisses;
    std::string m_checksum;
    const engine::TextCleanup* m_cleanup;
};

} // namespace lumarin::cli
