// SPDX-License-Identifier: MIT
#include "engine/cleanup/WrapWidth.h"

#include <algorithm>

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
// No book is wrapped wider; wider lines are counted as this wide.
constexpr int kWidest = 1000;

} // namespace

namespace {

template <typename T> T& At(std::vector<T>& items, int width) {
    const auto index = static_cast<std::size_t>(std::min(width, kWidest));
    if (index >= items.size()) items.resize(index + 1);
    return items[index];
}

} // namespace

void WrapWidth::add(int width, bool endsClosed, bool indented) {
    Tally& tally = At(m_widths, width);
    ++tally.lines;
    if (!endsClosed) ++tally.open;
    ++m_lines;
    if (m_previousWidth >= 0) {
        Starts& after = At(m_afterWidth, m_previousWidth);
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
    for (int width = kNarrowest; width < std::min(static_cast<int>(m_widths.size()), kWidest);
         ++width) {
        const Tally& tally = m_widths[static_cast<std::size_t>(width)];
        if (tally.lines == 0) continue;
        const std::int64_t lines = tally.lines + m_widths[static_cast<std::size_t>(width - kShort)].lines;
        if (lines >= bestLines) { // on a tie the wider: nothing can be wider than a wrap
            best = width;
            bestLines = lines;
        }
    }
    if (best == 0) return {};
    std::int64_t full = 0, open = 0, wider = 0, shorter = 0, shorterClosed = 0;
    for (int width = 0; width < static_cast<int>(m_widths.size()); ++width) {
        const Tally& tally = m_widths[static_cast<std::size_t>(width)];
        if (isFull(width, best)) {
            full += tally.lines;
            open += tally.open;
        } else if (width > best + kOver) {
            wider += tally.lines;
        } else {
            shorter += tally.lines;
            shorterClosed += tally.lines - tally.open;
        }
    }
    const bool mostlyFull = full * 5 >= m_lines;
    const bool hardlyWider = wider * 50 <= m_lines;
    const bool cutMidSentence = open * 2 >= full;
    // The short lines of wrapped prose are its paragraphs' ends and its
    // dialogue, and end sentences; verse ends its lines, short or long, without.
    const bool paragraphsEnd = shorterClosed > 0 && shorterClosed * 2 >= shorter;
    if (!mostlyFull || !hardlyWider || !cutMidSentence || !paragraphsEnd) return {};
    std::int64_t starts = 0, indented = 0;
    for (int previous = 0; previous < best - kShort && previous < static_cast<int>(m_afterWidth.size());
         ++previous) {
        starts += m_afterWidth[static_cast<std::size_t>(previous)].lines;
        indented += m_afterWidth[static_cast<std::size_t>(previous)].indented;
    }
    return {best, full, starts >= kFewestLines && indented * 10 >= starts * 9};
}

} // namespace lumarin::engine
