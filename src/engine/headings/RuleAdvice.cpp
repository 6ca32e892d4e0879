// SPDX-License-Identifier: MIT
#include "engine/headings/RuleAdvice.h"

#include "engine/base/TextUtil.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// "Far fewer": the automatic choice finds at least this many times as many
// headings, and at least this many more.
constexpr std::int32_t kTimesMore = 2;
constexpr std::int32_t kAtLeastMore = 3;
// A rule finds "the same headings" when this share of the rows starts where it has one.
constexpr int kSamePercent = 80;

std::vector<LineNumber> StartLines(const AnalysisResult& analysis) {
    const auto& starts = analysis.table.m_lngStartLine;
    return {starts.begin() + 1, starts.begin() + 1 + analysis.m_lngCount};
}

bool SameHeadings(const AnalysisResult& ours, const AnalysisResult& theirs) {
    const std::vector<LineNumber> found = StartLines(theirs);
    std::int32_t shared = 0;
    for (const LineNumber line : StartLines(ours))
        shared += std::binary_search(found.begin(), found.end(), line) ? 1 : 0;
    return shared * 100 >= ours.m_lngCount * kSamePercent;
}

std::u16string Quoted(std::u16string_view text) {
    return u"“" + std::u16string(text) + u"”";
}

} // namespace

std::int32_t RowsWithoutNumber(const AnalysisResult& analysis) {
    std::int32_t rows = 0;
    for (std::int32_t k = 1; k <= analysis.m_lngCount; ++k) {
        const auto entry = static_cast<std::size_t>(k);
        rows += analysis.table.m_intChapterNo[entry] == 0 &&
                        analysis.table.m_strTitle[entry] == u"(Unknown)"
                    ? 1
                    : 0;
    }
    return rows;
}

RuleAdvice AdviseRule(const std::filesystem::path& source, const AnalysisRequest& request,
                      const AnalysisResult& analysis) {
    RuleAdvice advice;
    if (request.automatic || analysis.m_lngCount == 0) return advice;
    const std::int32_t unread = request.rule == nullptr ? RowsWithoutNumber(analysis) : 0;

    AnalysisRequest automatic = request;
    automatic.automatic = true;
    automatic.rule = nullptr;
    automatic.measureChapters = false;
    automatic.nearMisses = false;
    const AnalysisResult found = Analyze(source, automatic);
    const bool better = found.rule != nullptr && found.rule != request.rule;

    if (unread > 0) {
        advice.kind = RuleAdviceKind::NoNumbers;
        advice.rows = unread;
        if (better && SameHeadings(analysis, found)) {
            advice.rule = found.rule;
            advice.ruleCount = found.m_lngCount;
        }
        return advice;
    }
    if (!better) return advice;
    const LineNumber firstFound = found.table.m_lngStartLine[1];
    const bool frontMatter = found.m_lngCount > 0 &&
                             analysis.table.m_lngStartLine[static_cast<std::size_t>(
                                 analysis.m_lngCount)] < firstFound;
    const bool fewer = found.m_lngCount >= analysis.m_lngCount * kTimesMore &&
                       found.m_lngCount - analysis.m_lngCount >= kAtLeastMore;
    if (!frontMatter && !fewer) return advice;
    advice.kind = frontMatter ? RuleAdviceKind::OnlyFrontMatter : RuleAdviceKind::FewerThanAutomatic;
    advice.rule = found.rule;
    advice.ruleCount = found.m_lngCount;
    return advice;
}

std::u16string RuleAdviceMessage(const RuleAdvice& advice, std::int32_t count) {
    const auto number = [](std::int64_t n) { return ToU16Decimal(n); };
    std::u16string text;
    switch (advice.kind) {
    case RuleAdviceKind::None:
        return {};
    case RuleAdviceKind::NoNumbers:
        text = u"条件的第二组不是章、草或曹：文件名里没有章节数和标题";
        if (advice.rows < count) text += u"（" + number(advice.rows) + u"行）";
        if (advice.rule != nullptr)
            text += u"。内置规则" + Quoted(advice.rule->name) + u"能找到同样的标题并读出章节数";
        return text + u"。";
    case RuleAdviceKind::FewerThanAutomatic:
        text = u"当前的规则只找到" + number(count) + u"个标题，“自动”会选" +
               Quoted(advice.rule->name) + u"，能找到" + number(advice.ruleCount) + u"个。";
        return text;
    case RuleAdviceKind::OnlyFrontMatter:
        return u"当前的规则只在正文之前找到" + number(count) + u"个标题，“自动”会选" +
               Quoted(advice.rule->name) + u"，能找到" + number(advice.ruleCount) + u"个。";
    }
    return text;
}

} // namespace lumarin::engine
