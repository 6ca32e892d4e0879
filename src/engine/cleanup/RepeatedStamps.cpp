// SPDX-License-Identifier: MIT
#include "engine/cleanup/RepeatedStamps.h"

#include <algorithm>
#include <functional>

namespace lumarin::engine {
namespace {

// "Many chapters": at least this many, and at least a fifth of them.
constexpr std::int32_t kFewestChapters = 3;
constexpr std::int32_t kShareDivisor = 5;
// A stamp may stray into the story now and then (two pages of a site joined
// into one chapter), but far less often than it stands at an edge.
constexpr std::int32_t kBodyShareDivisor = 4;

std::uint64_t KeyOf(std::string_view raw) {
    return std::hash<std::string_view>{}(raw);
}

} // namespace

void RepeatedStamps::add(std::int32_t chapter, LineNumber line, std::string_view raw) {
    m_longest = std::max(m_longest, raw.size());
    Seen& seen = m_seen[KeyOf(raw)];
    if (seen.first == 0) {
        seen.first = line;
    } else {
        if (!seen.repeats) seen.repeats = std::make_unique<Repeats>(Repeats{std::string(raw), {}});
        std::vector<LineNumber>& lines = seen.repeats->lines;
        const LineNumber last = lines.empty() ? seen.first : lines.back();
        if (last == line) return; // both edges of a short chapter
        lines.push_back(line);
    }
    if (seen.lastChapter != chapter) {
        seen.lastChapter = chapter;
        ++seen.chapters;
    }
}

void RepeatedStamps::addBody(std::string_view raw) {
    if (raw.size() > m_longest) return;
    const auto seen = m_seen.find(KeyOf(raw));
    if (seen != m_seen.end()) ++seen->second.inBody;
}

std::vector<RepeatedStamps::Stamp> RepeatedStamps::choose(std::int32_t chapters) const {
    std::vector<Stamp> stamps;
    for (const auto& [key, seen] : m_seen) {
        if (seen.chapters < kFewestChapters || seen.chapters * kShareDivisor < chapters) continue;
        const std::int32_t atEdges = 1 + static_cast<std::int32_t>(seen.repeats->lines.size());
        if (seen.inBody * kBodyShareDivisor > atEdges) continue;
        stamps.push_back({seen.first, seen.repeats->raw});
        for (const LineNumber line : seen.repeats->lines)
            stamps.push_back({line, seen.repeats->raw});
    }
    std::sort(stamps.begin(), stamps.end(),
              [](const Stamp& a, const Stamp& b) { return a.line < b.line; });
    stamps.erase(std::unique(stamps.begin(), stamps.end(),
                             [](const Stamp& a, const Stamp& b) { return a.line == b.line; }),
                 stamps.end());
    return stamps;
}

} // namespace lumarin::engine
