// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/HeadingAudit.h"
#include "engine/headings/HeadingRules.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace lumarin::engine {

// How well a rule explains a text: its split points with and without audit
// flags.
struct RuleScore {
    std::size_t clean = 0;
    std::size_t flagged = 0;
};

// `numbered`: only the rule's numbered headings count; the unnumbered parts
// (序, 后记 ...) every rule takes tell nothing about the rule.
RuleScore ScoreRows(const std::vector<AuditRow>& rows, bool numbered);

// At least three split points, more clean than flagged.
bool IsPlausible(const RuleScore& score);

// How a rule ranks in the choice: the chapter level above volumes and
// sections, and those above a rule that finds titles by their layout.
int RuleRank(const HeadingRule& rule);
inline constexpr int kTopRuleRank = 2;

// The rule that explains the text best (an index into `rules`), or none when
// no rule does. A rule is plausible with at least three split points and
// more clean than flagged ones; only a plausible rule is chosen. A plausible
// rule of a higher rank wins over every rule of a lower one, whatever it
// scores; within a rank the most clean split points beyond the flagged ones
// win; ties go to the earlier rule.
std::optional<std::size_t> ChooseRule(const std::vector<const HeadingRule*>& rules,
                                      const std::vector<RuleScore>& scores);

} // namespace lumarin::engine
