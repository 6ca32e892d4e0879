#pragma once

#include "engine/headings/HeadingAudit.h"
#include "engine/headings/HeadingRules.h"

#include <cstddef>
#include <vector>

namespace lumarin::engine {

// How well a rule explains a text: its split points with and without audit
// flags.
struct RuleScore {
    std::size_t clean = 0;
    std::size_t flagged = 0;
};

RuleScore ScoreRows(const std::vector<AuditRow>& rows);

// The rule that explains the text best (an index into `rules`). A rule is
// plausible with at least three clean split points and more clean than
// flagged ones. Among plausible rules the chapter level wins over volumes and
// sections; within a level, and when no rule is plausible, the most clean
// split points beyond the flagged ones win; ties go to the earlier rule.
std::size_t ChooseRule(const std::vector<HeadingRule>& rules, const std::vector<RuleScore>& scores);

} // namespace lumarin::engine
