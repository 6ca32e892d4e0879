// SPDX-License-Identifier: MIT
#include "engine/cleanup/RepeatedStamps.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// "Many chapters": at least this many, and at least a fifth of them.
constexpr std::int32_t kFewestChapters = 3;
constexpr std::int32_t kShareDivisor = 5;

} // namespace

void RepeatedStamps::add(std::int32_t chapter, LineNumber line, std::string_view raw) {
    Seen& seen = m_seen[std::string(raw)];
    if (!seen.lines.empty() && seen.lines.back() == line) return; // both edges of a short chapter
    seen.lines.push_back(line);
    if (seen.lastChapter != chapter) {
        seen.lastChapter = chapter;
        ++seen.chapters;
    }
}

std::vector<RepeatedStamps::Stamp> RepeatedStamps::choose(std::int32_t chapters) const {
    std::vector<Stamp> stamps;
    for (const auto& [raw, seen] : m_seen) {
        if (seen.chapters < kFewestChapters || seen.chapters * kShareDivisor < chapters) continue;
        for (const LineNumber line : seen.lines)
            stamps.push_back({line, raw});
    }
    std::sort(stamps.begin(), stamps.end(),
              [](const Stamp& a, const Stamp& b) { return a.line < b.line; });
    stamps.erase(std::unique(stamps.begin(), stamps.end(),
                             [](const Stamp& a, const Stamp& b) { return a.line == b.line; }),
                 stamps.end());
    return stamps;
}

} // namespace lumarin::engine
