#include "engine/headings/RuleChoice.h"

namespace lumarin::engine {
namespace {

constexpr std::size_t kPlausibleSplitPoints = 3;

bool Plausible(const RuleScore& score) {
    return score.clean >= kPlausibleSplitPoints && score.clean > score.flagged;
}

long long Merit(const RuleScore& score) {
    return static_cast<long long>(score.clean) - static_cast<long long>(score.flagged);
}

} // namespace

RuleScore ScoreRows(const std::vector<AuditRow>& rows) {
    RuleScore score;
    const std::vector<AuditFlags> flags = AuditRows(rows);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (!rows[r].splitPoint) continue;
        ++(flags[r] == 0 ? score.clean : score.flagged);
    }
    return score;
}

std::size_t ChooseRule(const std::vector<HeadingRule>& rules,
                       const std::vector<RuleScore>& scores) {
    std::size_t best = 0;
    bool bestPlausible = false;
    bool bestChapter = false;
    for (std::size_t i = 0; i < rules.size() && i < scores.size(); ++i) {
        const bool plausible = Plausible(scores[i]);
        const bool chapter = plausible && rules[i].level == HeadingLevel::Chapter;
        const bool better = i == 0 || plausible > bestPlausible ||
                            (plausible == bestPlausible &&
                             (chapter > bestChapter ||
                              (chapter == bestChapter && Merit(scores[i]) > Merit(scores[best]))));
        if (better) {
            best = i;
            bestPlausible = plausible;
            bestChapter = chapter;
        }
    }
    return best;
}

} // namespace lumarin::engine
