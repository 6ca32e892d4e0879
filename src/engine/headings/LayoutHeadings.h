// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/LineReader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Titles that carry no number stand apart from the prose by their layout: a
// short line without closing punctuation, with blank lines around it or set
// in from the margin differently from the paragraphs. The scan tells the
// tally about every line; the tally keeps the short lines that could be such
// a title and counts how the paragraphs stand.
// Where a line stands among the others: the line with content before it
// (0: none), and how much content comes before it, in the units a line's
// shape is measured in (bytes, or UTF-16 code units), indentation and
// trailing spaces not counted. Known for every line with the built-in rules.
struct LinePlace {
    LineNumber contentBefore = 0;
    std::int64_t unitsBefore = 0;
};

struct LayoutCandidate {
    LineNumber line = 0;
    std::int64_t charsBefore = 0; // characters of all earlier lines
    std::u16string text;
    int indent = 0; // in columns: a space 1, an ideographic space 2, a tab 4
    bool blankBefore = false;
    bool blankAfter = false;
    LinePlace place;
};

// A short line that reads like a title: at most kLayoutTitleChars characters
// after its indentation, not ending like a sentence or a clause, not opening
// like dialogue or a signature, holding a word, and neither a date, a bare
// number nor a page marker.
bool IsTitleLike(std::u16string_view text);

// A title as the automatic choice also takes it: one in quotation marks
// (“家”, “老板”的一天, 我的“父亲”: the quotes balanced, no sentence
// punctuation inside, not ending like broken-off speech), or one beginning
// with a word of the book's data (译者后记).
bool IsLooseTitle(std::u16string_view text);

// Lines longer than this (in characters after the indentation) are prose.
inline constexpr std::size_t kLayoutTitleChars = 20;

class LayoutTally {
public:
    // Every line in order. `shortText`: the line's decoded text when it is not
    // blank and short enough to be a title, else null. Inline: it is called
    // for every line of a book, and most lines are blank or prose.
    void line(LineNumber number, bool blank, int indent, const std::u16string* shortText,
              std::int64_t charsBefore, const LinePlace& place = {}) {
        if (blank) {
            if (m_last == Last::Paragraph) ++m_beforeBlank;
            if (m_last == Last::Candidate) m_candidates.back().blankAfter = true;
            m_last = Last::Blank;
        } else if (shortText == nullptr || !candidate(number, indent, *shortText, charsBefore, place)) {
            ++m_paragraphs;
            ++m_indents[indent < kWidestIndent ? indent : kWidestIndent];
            m_last = Last::Paragraph;
        }
    }

    // Keep the titles IsLooseTitle takes too.
    void allowLooseTitles() noexcept { m_loose = true; }

    static constexpr int kWidestIndent = 16; // wider ones count as this
    const std::vector<LayoutCandidate>& candidates() const noexcept { return m_candidates; }
    std::int64_t paragraphs() const noexcept { return m_paragraphs; }
    std::int64_t paragraphsWithIndent(int indent) const { return m_indents[indent]; }
    std::int64_t paragraphsBeforeBlank() const noexcept { return m_beforeBlank; }

private:
    enum class Last { None, Blank, Paragraph, Candidate };
    // Keeps a short line that reads like a title; false for any other.
    bool candidate(LineNumber number, int indent, const std::u16string& text,
                   std::int64_t charsBefore, const LinePlace& place);
    Last m_last = Last::None;
    bool m_loose = false;
    std::vector<LayoutCandidate> m_candidates;
    std::int64_t m_paragraphs = 0;
    std::int64_t m_indents[kWidestIndent + 1] = {};
    std::int64_t m_beforeBlank = 0;
};

// The candidates set apart the way the book sets its titles apart, when the
// book does so consistently: four in five paragraphs indented alike and the
// titles less (or centred between blank lines), or the paragraphs run
// together and the titles between blank lines. Empty when the layout tells
// nothing: too little prose, fewer than three titles, or so many that the
// "titles" are the prose.
std::vector<LayoutCandidate> LayoutHeadings(const LayoutTally& tally);

} // namespace lumarin::engine
