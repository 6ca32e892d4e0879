// SPDX-License-Identifier: MIT
#pragma once
// Why an analysis found no heading, and what to try next. Asked only once a
// list has come out empty: it may read the source again.

#include "engine/headings/Analyzer.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lumarin::engine {

enum class EmptyListCause {
    EmptySource,   // the source has no text at all
    WrongEncoding, // the chosen encoding does not fit the bytes: try the automatic one
    OtherRule,     // the user's condition finds nothing, a built-in rule finds headings
    NoRuleFits,    // nothing found either way: the automatic choice, the near misses,
                   // or parts by size
};

struct EmptyListReason {
    EmptyListCause cause = EmptyListCause::NoRuleFits;
    Encoding chosen = Encoding::Gb18030;   // WrongEncoding: the encoding used
    Encoding detected = Encoding::Gb18030; // WrongEncoding: what the bytes look like
    int invalidPercent = 0;                // WrongEncoding: invalid share of the non-ASCII text
    const HeadingRule* rule = nullptr;     // OtherRule: the rule that finds headings
    std::int32_t ruleCount = 0;            // OtherRule: how many
    bool automatic = false;                // NoRuleFits: the automatic choice was in use
    std::size_t nearMisses = 0;
};

// How much of `bytes` read in `encoding` is invalid: the carried bytes among
// the non-ASCII characters, in percent (0 for pure ASCII).
int InvalidPercent(std::string_view bytes, Encoding encoding);

// The reason for `empty` (an analysis of `source` under `request` with no row).
EmptyListReason ExplainEmptyList(const std::filesystem::path& source,
                                 const AnalysisRequest& request, const AnalysisResult& empty);

// The reason in words, with the next step, on one or two lines.
std::u16string EmptyListMessage(const EmptyListReason& reason);

} // namespace lumarin::engine
