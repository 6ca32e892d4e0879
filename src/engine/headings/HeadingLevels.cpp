// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingLevels.h"

#include "engine/base/TextUtil.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// Characters between two headings below which the first is a short chapter.
constexpr std::int64_t kShortChapterChars = 150;
// How many times larger than the entries before it the chapters after a
// restart are when those entries are a table of contents.
constexpr std::int64_t kContentsRatio = 4;
constexpr std::size_t kLeastContentsEntries = 3;
// Chapters a level above the chosen rule needs.
constexpr std::size_t kLeastParents = 3;

// The content of heading k up to the next one (or the end).
std::int64_t UnitsOf(const HeadingHits& hits, const LinePlace& end, std::size_t k) {
    const std::int64_t next =
        k + 1 < hits.count() ? hits.places[k + 1].unitsBefore : end.unitsBefore;
    return next - hits.places[k].unitsBefore;
}

bool Numbered(const HeadingHits& hits, std::size_t k) {
    return hits.table.m_intChapterNo[k + 1] > 0 && !hits.midLine[k];
}

// Checks the rising run of numbered headings that a restart at 1 follows
// when the chapters after the restart are many times larger than its entries.
void CheckContentsBeforeRestart(const HeadingHits& hits, const LinePlace& end,
                                std::vector<bool>& checked) {
    std::vector<std::size_t> numbered;
    for (std::size_t k = 0; k < hits.count(); ++k)
        if (Numbered(hits, k)) numbered.push_back(k);
    const auto number = [&](std::size_t i) { return hits.table.m_intChapterNo[numbered[i] + 1]; };
    if (numbered.empty() || number(0) != 1) return;
    std::size_t restart = 1;
    while (restart < numbered.size() && number(restart) > number(restart - 1))
        ++restart;
    if (restart < kLeastContentsEntries || restart + 1 >= numbered.size() ||
        number(restart) != 1 || number(restart + 1) != 2)
        return;
    const std::size_t first = numbered.front();
    const std::size_t chapters = numbered[restart];
    const std::int64_t entries =
        hits.places[chapters].unitsBefore - hits.places[first].unitsBefore;
    const std::int64_t rest = end.unitsBefore - hits.places[chapters].unitsBefore;
    const auto entryCount = static_cast<std::int64_t>(chapters - first);
    const auto chapterCount = static_cast<std::int64_t>(hits.count() - chapters);
    if (entries * chapterCount * kContentsRatio > rest * entryCount) return;
    // What stands between the run and the restart (a preface) is no entry.
    for (std::size_t k = first; k <= numbered[restart - 1]; ++k)
        checked[k] = true;
}

bool Holds(const std::vector<LineNumber>& sorted, LineNumber line) {
    return std::binary_search(sorted.begin(), sorted.end(), line);
}

// The rule most of whose headings stand right above one of the children.
std::optional<std::size_t> NestingParent(std::size_t chosen, const HeadingHits& children,
                                         const LevelInput& input) {
    std::vector<LineNumber> childLines;
    std::vector<LineNumber> above; // the lines with content right above a child
    for (std::size_t k = 0; k < children.count(); ++k) {
        childLines.push_back(children.line(k));
        if (Numbered(children, k)) above.push_back(children.places[k].contentBefore);
    }
    std::sort(above.begin(), above.end());
    std::optional<std::size_t> best;
    std::size_t bestCount = 0;
    for (std::size_t i = 0; i < input.rules.size(); ++i) {
        if (i == chosen || !input.plausible[i]) continue;
        const HeadingHits& parents = input.hits[i];
        std::size_t total = 0;
        std::size_t nesting = 0;
        for (std::size_t k = 0; k < parents.count(); ++k) {
            if (!Numbered(parents, k) || Holds(childLines, parents.line(k))) continue;
            ++total;
            if (Holds(above, parents.line(k))) ++nesting;
        }
        if (nesting >= kLeastParents && nesting * 2 > total && nesting > bestCount) {
            best = i;
            bestCount = nesting;
        }
    }
    return best;
}

// The title-like lines right above the places where the children's numbers
// (written as the rule's chosen headings write theirs) start again at 1;
// none when the restarts are too few or a volume line stands among them.
std::vector<const LayoutCandidate*> TitlesAboveRestarts(const HeadingHits& children,
                                                        std::uint8_t form,
                                                        const LevelInput& input) {
    std::vector<LineNumber> childLines;
    for (std::size_t k = 0; k < children.count(); ++k)
        childLines.push_back(children.line(k));
    const auto byLine = [](const LayoutCandidate& c, LineNumber line) { return c.line < line; };
    std::vector<const LayoutCandidate*> titles;
    std::size_t restarts = 0;
    for (std::size_t k = 0; k < children.count(); ++k) {
        if (!Numbered(children, k) || children.numberForm[k] != form ||
            children.table.m_intChapterNo[k + 1] != 1)
            continue;
        std::size_t next = k + 1;
        while (next < children.count() &&
               (!Numbered(children, next) || children.numberForm[next] != form))
            ++next;
        if (next == children.count() || children.table.m_intChapterNo[next + 1] != 2) continue;
        ++restarts;
        const LineNumber above = children.places[k].contentBefore;
        const auto at = std::lower_bound(input.titleLines.begin(), input.titleLines.end(), above,
                                         byLine);
        if (at == input.titleLines.end() || at->line != above || Holds(childLines, above))
            continue;
        titles.push_back(&*at);
    }
    if (titles.size() < kLeastParents || titles.size() * 2 <= restarts) return {};
    const LineNumber first = titles.front()->line;
    const LineNumber last = children.line(children.count() - 1);
    for (const VolumeLine& volume : input.volumeLines)
        if (volume.line >= first && volume.line <= last) return {};
    return titles;
}

// The titles as headings, with the children's unnumbered parts (序, 后记 ...).
HeadingHits TitlesAsHeadings(const std::vector<const LayoutCandidate*>& titles,
                             const HeadingHits& children, bool measured) {
    HeadingHits hits;
    std::size_t t = 0;
    const auto addTitle = [&](const LayoutCandidate& title) {
        HeadingFields fields;
        fields.qualified = true;
        fields.title = std::u16string(TrimBlanks(title.text));
        hits.add(title.line, title.text, fields, title.charsBefore, measured);
        hits.places.push_back(title.place);
    };
    for (std::size_t k = 0; k < children.count(); ++k) {
        if (children.table.m_intChapterNo[k + 1] != 0 || children.numberForm[k] != 0) continue;
        while (t < titles.size() && titles[t]->line < children.line(k))
            addTitle(*titles[t++]);
        hits.addFrom(children, k);
    }
    while (t < titles.size())
        addTitle(*titles[t++]);
    return hits;
}

} // namespace

std::vector<bool> ShortChaptersBySize(const HeadingHits& hits, const LinePlace& end,
                                      int unitsPerCharacter) {
    std::vector<bool> checked(hits.count(), false);
    if (hits.places.size() != hits.count()) return checked;
    for (std::size_t k = 1; k < hits.count(); ++k)
        if (hits.line(k) - hits.line(k - 1) < kShortChapterLines &&
            UnitsOf(hits, end, k - 1) < kShortChapterChars * unitsPerCharacter)
            checked[k - 1] = true;
    CheckContentsBeforeRestart(hits, end, checked);
    return checked;
}

std::optional<ParentLevel> LevelAbove(std::size_t chosen, const LevelInput& input) {
    const HeadingRule& rule = *input.rules[chosen];
    if (rule.level == HeadingLevel::Volume) return std::nullopt;
    const HeadingHits& children = rule.inSequence ? input.unsequenced[chosen] : input.hits[chosen];
    if (children.places.size() != children.count()) return std::nullopt;
    if (const std::optional<std::size_t> parent = NestingParent(chosen, children, input)) {
        if (input.rules[*parent]->level == HeadingLevel::Volume) return std::nullopt;
        return ParentLevel{*parent, std::nullopt};
    }
    const HeadingHits& chosenHits = input.hits[chosen];
    if (!rule.inSequence || chosenHits.count() == 0) return std::nullopt;
    // The numbers written as those of the headings the rule kept; others are list items.
    std::uint8_t form = 0;
    for (std::size_t k = 0; k < chosenHits.count() && form == 0; ++k)
        form = chosenHits.numberForm[k];
    const std::vector<const LayoutCandidate*> titles = TitlesAboveRestarts(children, form, input);
    if (titles.empty()) return std::nullopt;
    for (std::size_t i = 0; i < input.rules.size(); ++i)
        if (input.rules[i]->byLayout)
            return ParentLevel{i, TitlesAsHeadings(titles, children, input.measured)};
    return std::nullopt;
}

} // namespace lumarin::engine
