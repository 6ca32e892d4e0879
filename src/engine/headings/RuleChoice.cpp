// SPDX-License-Identifier: MIT
#include "engine/headings/RuleChoice.h"

namespace lumarin::engine {
namespace {

constexpr std::size_t kPlausibleSplitPoints = 3;

long long Merit(const RuleScore& score) {
    return static_cast<long long>(score.clean) - static_cast<long long>(score.flagged);
}

} // namespace

bool IsPlausible(const RuleScore& score) {
    return score.clean + score.flagged >= kPlausibleSplitPoints && score.clean > score.flagged;
}

RuleScore ScoreRows(const std::vector<AuditRow>& rows, bool numbered) {
    RuleScore score;
    const std::vector<AuditFlags> flags = AuditRows(rows);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r].splitPoint || (numbered && rows[r].number == 0)) continue;
        ++(flags[r] == 0 ? score.clean : score.flagged);
    }
    return score;
}

int RuleRank(const HeadingRule& rule) {
    if (rule.byLayout) return 0;
    return rule.level == HeadingLevel::Chapter ? kTopRuleRank : 1;
}

std::optional<std::size_t> ChooseRule(const std::vector<const HeadingRule*>& rules,
                                      const std::vector<RuleScore>& scores) {
    const auto rank = [&](std::size_t i) { return RuleRank(*rules[i]); };
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < rules.size() && i < scores.size(); ++i) {
        if (!IsPlausible(scores[i])) continue;
        const bool better =
            !best || rank(i) > rank(*best) ||
            (rank(i) == rank(*best) && Merit(scores[i]) > Merit(scores[*best]));
        if (better) best = i;
    }
    return best;
}

} // namespace lumarin::engine
