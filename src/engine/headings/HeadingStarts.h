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
class HeadingStarts {
public:
    explicit HeadingStarts(Encoding encoding);

    // For the byte encodings (not UTF-16).
    bool mayStartHeading(std::string_view raw) const;
    // For decoded text.
    static bool mayStartHeading(std::u16string_view text);

private:
    static bool FormAt(std::string_view raw, std::size_t pos, const std::string& form);
    bool startsAt(std::string_view raw, std::size_t pos) const;

    struct EncodedStart {
        std::string form;
        std::vector<std::string> next; // empty: any character may follow
    };
    // The encoded start characters by first byte; a bit per first two bytes
    // turns most other lines away before any comparison.
    std::array<std::vector<EncodedStart>, 256> m_starts;
    std::bitset<65536> m_pairs;
    std::string m_ideographicSpace;
};

// Lines that look like headings: short (at most 40 characters), beginning
// after leading spaces with 第 and numerals (spaces between allowed) and one
// more character, with an unnumbered word (序章, 番外 ...), with Chapter or
// Section and a number, or with digits and a separator.
extern const std::u16string_view kNearMissCondition;

} // namespace lumarin::engine
