// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/HeadingRules.h"
#include "engine/headings/HeadingScan.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumarin::engine {

// A heading fewer lines than this after the previous one makes the previous
// one no split point (tables of contents).
inline constexpr LineNumber kShortChapterLines = 10;

// The automatic choice's own short-chapter rule: a heading that the next one
// follows within 10 lines and within about 150 characters is an entry of a
// table of contents, not a chapter (a chapter written as one long line, a
// short preface keep their place). A rising run of headings near the start,
// which the numbering then starts again after, is a table of contents too
// when the chapters after it are many times larger than its entries (a
// detailed table: a summary and a few lines under each entry).
std::vector<bool> ShortChaptersBySize(const HeadingHits& hits, const LinePlace& end,
                                      int unitsPerCharacter);

// What the level above a rule's headings is, when they are sections.
struct ParentLevel {
    std::size_t rule = 0;               // the rule whose headings are the chapters
    std::optional<HeadingHits> titles;  // when they are titles of the layout instead
};

// What one rule found, for the level above it.
struct LevelInput {
    const std::vector<const HeadingRule*>& rules;
    const std::vector<HeadingHits>& hits; // per rule; empty where not refined
    const std::vector<bool>& plausible;   // per rule
    // Per rule, the headings before only those in sequence were kept (empty
    // for the rules that keep them all).
    const std::vector<HeadingHits>& unsequenced;
    const std::vector<LayoutCandidate>& titleLines; // every short line that reads like a title
    const std::vector<VolumeLine>& volumeLines;
    bool measured = false;
};

// The level a reader means when `chosen` (not a chapter rule) numbers
// sections inside chapters, or null when its headings are the chapters.
// Nesting: when most headings of another rule are followed by one of
// `chosen` with no paragraph between, that rule's headings are the chapters
// (unless they are volumes, which stand above the chapters anyway).
// Restarts: when the numbers of a weak rule start again at 1 three times or
// more under a title-like line, with no volume line between, those lines
// are the chapters.
std::optional<ParentLevel> LevelAbove(std::size_t chosen, const LevelInput& input);

} // namespace lumarin::engine
