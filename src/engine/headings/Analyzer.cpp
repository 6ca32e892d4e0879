// SPDX-License-Identifier: MIT
// The analysis reads the source once (HeadingScan) with either the user's own
// condition, one built-in rule, or every built-in rule at once; for the
// automatic choice each rule's headings are audited and scored, and the best
// rule's headings become the chapter table.
#include "engine/headings/Analyzer.h"

#include "engine/base/TextUtil.h"
#include "engine/headings/HeadingConsistency.h"
#include "engine/headings/HeadingLevels.h"
#include "engine/headings/HeadingScan.h"
#include "engine/headings/MatterLines.h"
#include "engine/headings/RuleChoice.h"
#include "engine/source/BlockReader.h"

#include <optional>
#include <string>

namespace lumarin::engine {
namespace {

std::vector<bool> ShortChapterChecks(const HeadingHits& hits) {
    std::vector<bool> checked(hits.count(), false);
    for (std::size_t k = 1; k < hits.count(); ++k)
        if (hits.line(k) - hits.line(k - 1) < kShortChapterLines) checked[k - 1] = true;
    return checked;
}

std::vector<AuditRow> AuditRowsOf(const HeadingHits& hits, const std::vector<bool>& checked) {
    std::vector<AuditRow> rows;
    rows.reserve(hits.count());
    for (std::size_t r = 0; r < hits.count(); ++r)
        rows.push_back({hits.table.m_intChapterNo[r + 1], !checked[r], hits.midLine[r],
                        hits.table.m_strHeading[r + 1]});
    return rows;
}

// A heading that is only "第一章" takes its title from the next line when that
// line reads like a title and is no heading itself.
void TitlesFromNextLines(HeadingHits& hits, const std::vector<NextLine>& nextLines) {
    std::size_t at = 0;
    for (std::size_t k = 0; k < hits.count(); ++k) {
        std::u16string& title = hits.table.m_strTitle[k + 1];
        if (!title.empty()) continue;
        while (at < nextLines.size() && nextLines[at].heading < hits.line(k))
            ++at;
        if (at == nextLines.size() || nextLines[at].heading != hits.line(k)) continue;
        if (k + 1 < hits.count() && hits.line(k + 1) == nextLines[at].line) continue;
        title = CleanTitle(TrimBlanks(nextLines[at].text));
    }
}

// Titles found by their layout or their words join the rule's own headings.
HeadingHits WithLayoutTitles(HeadingHits&& hits, const std::vector<LayoutCandidate>& titles,
                             bool measured) {
    if (titles.empty()) return std::move(hits);
    HeadingHits merged;
    std::size_t k = 0;
    for (const LayoutCandidate& title : titles) {
        while (k < hits.count() && hits.line(k) < title.line)
            merged.addFrom(hits, k++);
        if (k < hits.count() && hits.line(k) == title.line) continue;
        HeadingFields fields;
        fields.qualified = true;
        fields.title = std::u16string(TrimBlanks(title.text));
        merged.add(title.line, title.text, fields, title.charsBefore, measured);
        merged.places.push_back(title.place);
    }
    while (k < hits.count())
        merged.addFrom(hits, k++);
    return merged;
}

// What a built-in rule's headings come to once the book is taken as a whole.
// `automatic`: the rule is one the choice tries, which drops a PDF's leftovers
// too. `unsequenced`: where a weak rule keeps its headings before only those
// in sequence are kept.
// `matter`: front and back matter beyond the words every rule knows, which
// the automatic choice adds to every rule's headings.
HeadingHits Refined(HeadingHits&& hits, const HeadingRule& rule, const LayoutTally& layout,
                    bool measured, bool automatic, const std::vector<LayoutCandidate>& matter,
                    HeadingHits& unsequenced) {
    if (rule.byLayout) hits = WithLayoutTitles(std::move(hits), LayoutHeadings(layout), measured);
    if (automatic) {
        hits = WithLayoutTitles(std::move(hits), matter, measured);
        hits = WithLayoutTitles(std::move(hits), ListedInContents(hits, layout.candidates()),
                                measured);
        hits = WithoutPageLeftovers(std::move(hits), rule);
    }
    hits = WithoutRepeats(std::move(hits), !rule.sameTitle);
    if (rule.inSequence) {
        unsequenced = hits;
        hits = InSequence(std::move(hits), rule);
    }
    return std::move(hits);
}

AnalysisResult BuildResult(HeadingHits&& hits, std::vector<bool>&& checked, LineNumber lineCount,
                           std::int64_t totalChars, bool measured) {
    AnalysisResult result;
    result.checked = std::move(checked);
    if (measured) {
        for (std::size_t r = 0; r < hits.count(); ++r) {
            const std::int64_t end = r + 1 < hits.count() ? hits.charsBefore[r + 1] : totalChars;
            result.chars.push_back(end - hits.charsBefore[r]);
        }
    }
    result.midLine = std::move(hits.midLine);
    ChapterTable& table = result.table;
    table = std::move(hits.table);
    result.m_lngCount = table.headingCount();
    result.lineCount = lineCount;
    table.m_lngStartLine.push_back(lineCount + 1);
    table.m_intChapterNo.push_back(0);
    table.m_strTitle.push_back(u"(End)");
    return result;
}

// Near misses are the candidate lines that the condition in use did not match.
std::vector<NearMiss> NearMissesBesides(std::vector<NearMiss>&& candidates,
                                        const ChapterTable& table) {
    std::vector<NearMiss> misses;
    std::size_t k = 1;
    const std::size_t end = table.m_strHeading.size();
    for (NearMiss& candidate : candidates) {
        while (k < end && table.m_lngStartLine[k] < candidate.line)
            ++k;
        if (k < end && table.m_lngStartLine[k] == candidate.line) continue;
        misses.push_back(std::move(candidate));
    }
    return misses;
}

// Rules are refined and scored a rank at a time, the top rank first: a
// plausible rule wins over every rule of a lower rank whatever that scores,
// so the lower ranks (the layout's titles are the costliest to refine) are
// looked at only when nothing above them explains the text. A rule not yet
// scored scores nothing and cannot be chosen. Below the chapter rules, the
// rule chosen may number the sections of chapters that a level above it
// holds; then that level is chosen (its headings in `hits`).
template <typename Refine, typename Short, typename Above>
std::optional<std::size_t> ChooseAmong(const std::vector<const HeadingRule*>& rules,
                                       Refine&& refine, Short&& shortChapters, Above&& levelAbove,
                                       std::vector<HeadingHits>& hits) {
    std::vector<RuleScore> scores(rules.size());
    std::vector<bool> plausible(rules.size(), false);
    for (int rank = kTopRuleRank; rank >= 0; --rank) {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            if (RuleRank(*rules[i]) != rank) continue;
            const HeadingHits& refined = refine(i);
            scores[i] = ScoreRows(AuditRowsOf(refined, shortChapters(refined)), rules[i]->numbered);
            plausible[i] = IsPlausible(scores[i]);
        }
        const std::optional<std::size_t> best = ChooseRule(rules, scores);
        if (!best) continue;
        if (rank == kTopRuleRank) return best;
        std::optional<ParentLevel> parent = levelAbove(*best, plausible);
        if (!parent) return best;
        if (parent->titles) hits[parent->rule] = std::move(*parent->titles);
        return parent->rule;
    }
    return std::nullopt;
}

// The first block of the source, for the encoding decision.
struct SourceHead {
    std::string bytes;
    bool whole = false;
};

SourceHead ReadHead(SourceFile& file) {
    SourceHead head;
    head.bytes.resize(BlockReader::kDefaultBlockSize);
    std::size_t filled = 0;
    while (filled < head.bytes.size()) {
        const std::size_t got = file.read(head.bytes.data() + filled, head.bytes.size() - filled);
        if (got == 0) {
            head.whole = true;
            break;
        }
        filled += got;
    }
    head.bytes.resize(filled);
    return head;
}

// The rules a request tries: all of them, one, or none (the user's condition).
std::vector<const HeadingRule*> RulesOf(const AnalysisRequest& request) {
    std::vector<const HeadingRule*> rules;
    if (request.automatic) {
        for (const HeadingRule& rule : BuiltInRules())
            rules.push_back(&rule);
    } else if (request.rule != nullptr) {
        rules.push_back(request.rule);
    }
    return rules;
}

// Volumes are read once the chapters are known. A chapter that shares its
// line with its volume begins the line all the same.
void AddVolumes(AnalysisResult& result, const std::vector<VolumeLine>& lines) {
    const bool chaptersAreVolumes =
        result.rule != nullptr && result.rule->level == HeadingLevel::Volume;
    VolumeMap map = FindVolumes(result.table, result.checked, lines, chaptersAreVolumes);
    for (const Volume& volume : map.volumes)
        if (volume.sharesLine) result.midLine[static_cast<std::size_t>(volume.firstRow)] = false;
    result.volumes = std::move(map.volumes);
    result.rowVolume = std::move(map.rowVolume);
}

} // namespace

std::u16string CleanTitle(std::u16string_view captured) {
    return std::u16string(TrimSpaces(RemoveAll(captured, u"\u3000")));
}

AnalysisResult Analyze(const std::filesystem::path& source, const AnalysisRequest& request) {
    SourceFile file(source);
    const std::vector<const HeadingRule*> rules = RulesOf(request);
    std::vector<HeadingCondition> conditions;
    if (rules.empty()) {
        conditions.emplace_back(request.condition, request.matchLimit);
    } else {
        for (const HeadingRule* rule : rules)
            conditions.push_back(
                HeadingCondition::Deferred(rule->condition, request.matchLimit, rule->markers));
    }
    std::optional<HeadingCondition> anyRuleStart;
    if (!rules.empty()) anyRuleStart.emplace(AnyRuleStart(), request.matchLimit);
    std::optional<HeadingCondition> nearMiss;
    if (request.nearMisses) nearMiss.emplace(kNearMissCondition, request.matchLimit);
    HeadingCondition volume(kVolumeCondition, request.matchLimit);

    ScanPlan plan;
    for (HeadingCondition& condition : conditions)
        plan.conditions.push_back(&condition);
    plan.userCondition = rules.empty();
    plan.anyRuleStart = anyRuleStart ? &*anyRuleStart : nullptr;
    plan.measure = request.measureChapters;
    plan.nearMiss = nearMiss ? &*nearMiss : nullptr;
    plan.volume = &volume;
    plan.needsAtStart = UnnumberedWordStarts();
    plan.automatic = request.automatic;
    for (const HeadingRule* rule : rules) {
        plan.anyStart.push_back(rule->anyStart);
        plan.needs.push_back(rule->needs);
        plan.starts.push_back(rule->starts);
        plan.ends.push_back(rule->ends);
        plan.layout = plan.layout || rule->byLayout;
    }

    const SourceStamp stamp = file.stamp();
    const SourceHead head = ReadHead(file);
    Encoding encoding = ResolveInputEncoding(request.encoding, head.bytes,
                                             head.whole ? head.bytes.size() : stamp.size);
    // Only a guess is checked again; a chosen encoding is used as given.
    const bool guessedUtf8 =
        request.encoding == InputEncodingChoice::Auto && encoding == Encoding::Utf8;
    std::optional<HeadingScanner> scanner;
    scanner.emplace(file, encoding, plan, guessedUtf8 && !head.whole ? stamp.size : 0);
    if (!scanner->run()) {
        encoding = DetectLegacyEncoding(head.bytes);
        scanner.emplace(file, encoding, plan, 0);
        scanner->run();
    }
    ScanOutcome outcome = scanner->take();

    std::vector<HeadingHits> unsequenced(rules.size());
    const std::vector<LayoutCandidate> matter =
        request.automatic ? MatterLines(outcome.layout.candidates()) : std::vector<LayoutCandidate>();
    const auto refine = [&](std::size_t i) -> const HeadingHits& {
        HeadingHits& hits = outcome.hits[i];
        hits = Refined(std::move(hits), *rules[i], outcome.layout, request.measureChapters,
                       request.automatic, matter, unsequenced[i]);
        return hits;
    };
    // The automatic choice judges a chapter short by its characters too.
    const auto shortChapters = [&](const HeadingHits& hits) {
        return request.automatic
                   ? ShortChaptersBySize(hits, outcome.end, outcome.unitsPerCharacter)
                   : ShortChapterChecks(hits);
    };
    const auto levelAbove = [&](std::size_t best, const std::vector<bool>& plausible) {
        const LevelInput input{rules,
                               outcome.hits,
                               plausible,
                               unsequenced,
                               outcome.layout.candidates(),
                               outcome.volumeLines,
                               request.measureChapters};
        return LevelAbove(best, input);
    };
    std::optional<std::size_t> chosen;
    if (request.automatic) {
        chosen = ChooseAmong(rules, refine, shortChapters, levelAbove, outcome.hits);
    } else if (!rules.empty()) {
        refine(0);
        chosen = 0;
    }
    HeadingHits hits;
    if (chosen) {
        hits = std::move(outcome.hits[*chosen]);
        TitlesFromNextLines(hits, outcome.nextLines);
    } else if (rules.empty()) {
        hits = std::move(outcome.hits.front());
    }
    std::vector<bool> checked = shortChapters(hits);
    AnalysisResult result = BuildResult(std::move(hits), std::move(checked), outcome.lineCount,
                                        outcome.totalChars, request.measureChapters);
    result.encoding = encoding;
    result.m_strSource = source;
    result.stamp = stamp;
    result.automatic = request.automatic;
    result.rule = chosen ? rules[*chosen] : nullptr;
    result.condition = chosen ? rules[*chosen]->condition
                       : rules.empty() ? request.condition
                                       : std::u16string();
    if (request.nearMisses)
        result.nearMisses = NearMissesBesides(std::move(outcome.nearMisses), result.table);
    AddVolumes(result, outcome.volumeLines);
    return result;
}

AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       std::uint32_t matchLimit) {
    AnalysisRequest request;
    request.condition = std::u16string(condition);
    request.matchLimit = matchLimit;
    return Analyze(source, request);
}

std::vector<AuditFlags> AuditAnalysis(const AnalysisResult& analysis,
                                      const std::vector<bool>& checked) {
    return AuditAnalysisWithNotes(analysis, checked).flags;
}

AuditReport AuditAnalysisWithNotes(const AnalysisResult& analysis,
                                   const std::vector<bool>& checked) {
    const ChapterTable& table = analysis.table;
    const std::vector<bool> opening = VolumeOpeningRows(table, analysis.volumes);
    std::vector<AuditRow> rows;
    for (std::size_t r = 0; r < checked.size() && r + 1 < table.m_strHeading.size(); ++r) {
        const bool numbered = analysis.rule == nullptr || analysis.rule->numbered;
        rows.push_back({numbered ? table.m_intChapterNo[r + 1] : std::int16_t{0}, !checked[r],
                        r < analysis.midLine.size() && analysis.midLine[r],
                        table.m_strHeading[r + 1], opening[r]});
    }
    return AuditRowsWithNotes(rows);
}

} // namespace lumarin::engine
