// SPDX-License-Identifier: MIT
#pragma once
// Advice on a list that is not empty but may come from the wrong condition:
// the user's own condition found headings whose number and title it cannot
// read (its second group is not 章, 草 or 曹), or the rule in use (a
// remembered one) finds far fewer headings than the automatic choice would,
// or only front matter. Where a built-in rule does better it is named, as
// the words over an empty list name one. It may read the source again.

#include "engine/headings/Analyzer.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace lumarin::engine {

enum class RuleAdviceKind {
    None,
    NoNumbers,       // own condition: rows without number and title
    FewerThanAutomatic, // the automatic choice finds far more headings
    OnlyFrontMatter, // every row stands before the automatic choice's first heading
};

struct RuleAdvice {
    RuleAdviceKind kind = RuleAdviceKind::None;
    std::int32_t rows = 0;              // NoNumbers: rows without number and title
    const HeadingRule* rule = nullptr;  // a built-in rule that does better, or none
    std::int32_t ruleCount = 0;         // the headings it finds
};

// Rows of the analysis whose number and title the condition did not read.
std::int32_t RowsWithoutNumber(const AnalysisResult& analysis);

// The advice for `analysis` (of `source` under `request`, with rows).
RuleAdvice AdviseRule(const std::filesystem::path& source, const AnalysisRequest& request,
                      const AnalysisResult& analysis);

// The advice in words, on one line; empty for None.
std::u16string RuleAdviceMessage(const RuleAdvice& advice, std::int32_t count);

} // namespace lumarin::engine
