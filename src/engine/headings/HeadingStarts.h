// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"
#include "engine/encoding/LineCodec.h"

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// A line can hold a built-in rule's heading or a near miss only when its first
// character after leading spaces and ideographic spaces is one of a few (第,
// a numeral, a bracket or decoration, the first letter of an unnumbered word
// or of Chapter/Section/Part), followed where that matters by one of a few
// (楔 by 子, 一 by a numeral or 、). The filter answers that on the raw bytes,
// so the other lines are never decoded.
// How a line stands: blank or not, its indentation in columns (a space 1, an
// ideographic space 2, a tab 4), and the length of what follows it up to the
// last character that is not a space.
struct LineShape {
    bool blank = true;
    int indent = 0;
    std::size_t contentStart = 0; // after the indentation
    std::size_t contentUnits = 0; // bytes, or UTF-16 code units for text
};

class HeadingStarts {
public:
    explicit HeadingStarts(Encoding encoding);

    LineShape shape(std::string_view raw) const;
    static LineShape shape(std::u16string_view text);

    // Whether a line's content ends like a sentence or a line of dialogue
    // (。！？, 。” ...): no title does, so such a line need not be decoded. A
    // closing quote after a word (我的“父亲”) may end a title.
    bool endsLikeSentence(std::string_view content) const;
    // Whether a heading that may begin with any character can end here: with
    // its number or a closing bracket.
    static bool mayEndHeading(std::u16string_view text);

    // For the byte encodings (not UTF-16).
    bool mayStartHeading(std::string_view raw) const;
    // The same for a line whose shape is known: its indentation is not read again.
    bool mayStartHeading(std::string_view raw, const LineShape& shape) const {
        return !shape.blank && startsAt(raw, shape.contentStart);
    }
    // For decoded text.
    static bool mayStartHeading(std::u16string_view text);

private:
    static bool FormAt(std::string_view raw, std::size_t pos, const std::string& form);
    bool startsAt(std::string_view raw, std::size_t pos) const;

    struct EncodedStart {
        std::string form;
        std::vector<std::string> next; // empty: any character may follow
        bool orEnd = false;
    };
    std::size_t SkipSpaces(std::string_view raw, std::size_t pos) const;
    bool ideographicSpaceAt(std::string_view raw, std::size_t pos) const;
    bool EndsAfterSpaces(std::string_view raw, std::size_t pos) const;
    // The encoded start characters by first byte; a bit per first two bytes
    // turns most other lines away before any comparison.
    std::array<std::vector<EncodedStart>, 256> m_starts;
    std::bitset<65536> m_pairs;
    std::string m_ideographicSpace; // two bytes, three in UTF-8
    std::vector<std::string> m_sentenceEnds;
    std::string m_closingQuote;
    std::string m_dash;
    static bool EndsWith(std::string_view content, const std::string& end);
};

// Lines that look like headings: short (at most 40 characters), beginning
// after leading spaces with 第 and numerals (spaces between allowed) and one
// more character, with an unnumbered word (序章, 番外 ...), with Chapter or
// Section and a number, or with digits and a separator.
extern const std::u16string_view kNearMissCondition;

} // namespace lumarin::engine
