// SPDX-License-Identifier: MIT
#include "engine/cleanup/WrapWidth.h"

namespace lumarin::engine {
namespace {

// Narrower wraps are too like verse or dialogue to judge.
constexpr int kNarrowest = 20;
// Too few lines tell nothing.
constexpr std::int64_t kFewestLines = 8;
// A full line may fall one column short (a Chinese character that did not fit)
// or run two over (punctuation kept on the line).
constexpr int kShort = 1;
constexpr int kOver = 2;

} // namespace

void WrapWidth::add(int width, bool endsClosed, bool indented) {
    Tally& tally = m_widths[width];
    ++tally.lines;
    if (!endsClosed) ++tally.open;
    ++m_lines;
    if (m_previousWidth >= 0) {
        Starts& after = m_afterWidth[m_previousWidth];
        ++after.lines;
        if (indented) ++after.indented;
    }
    m_previousWidth = width;
}

bool WrapWidth::isFull(int width, int wrapWidth) {
    return wrapWidth > 0 && width >= wrapWidth - kShort && width <= wrapWidth + kOver;
}

WrapWidth::Decision WrapWidth::decide() const {
    if (m_lines < kFewestLines) return {};
    // The width that, with the one below it, holds the most lines.
    int best = 0;
    std::int64_t bestLines = 0;
    for (const auto& [width, tally] : m_widths) {
        if (width < kNarrowest) continue;
        const auto below = m_widths.find(width - kShort);
        const std::int64_t lines =
            tally.lines + (below == m_widths.end() ? 0 : below->second.lines);
        if (lines >= bestLines) { // on a tie the wider: nothing can be wider than a wrap
            best = width;
            bestLines = lines;
        }
    }
    if (best == 0) return {};
    std::int64_t full = 0, open = 0, wider = 0;
    for (const auto& [width, tally] : m_widths) {
        if (isFull(width, best)) {
            full += tally.lines;
            open += tally.open;
        } else if (width > best + kOver) {
            wider += tally.lines;
        }
    }
    const bool mostlyFull = full * 5 >= m_lines;
    const bool hardlyWider = wider * 50 <= m_lines;
    const bool cutMidSentence = open * 2 >= full;
    if (!mostlyFull || !hardlyWider || !cutMidSentence) return {};
    std::int64_t starts = 0, indented = 0;
    for (const auto& [previous, after] : m_afterWidth) {
        if (previous >= best - kShort) break;
        starts += after.lines;
        indented += after.indented;
    }
    return {best, full, starts >= kFewestLines && indented * 10 >= starts * 9};
}

} // namespace lumarin::engine
