#pragma once

#include "engine/Encoding.h"
#include "engine/LineCodec.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// A line can hold a built-in rule's heading or a near miss only when its first
// character after leading spaces and ideographic spaces is one of a few (第,
// a numeral, a bracket or decoration, the first letter of an unnumbered word
// or of Chapter/Section/Part). The filter answers that on the raw bytes, so
// the other lines are never decoded.
class HeadingStarts {
public:
    explicit HeadingStarts(Encoding encoding);

    // For the byte encodings (not UTF-16).
    bool mayStartHeading(std::string_view raw) const;
    // For decoded text.
    static bool mayStartHeading(std::u16string_view text);

private:
    bool matchesAt(std::string_view raw, std::size_t pos,
                   const std::vector<std::string>& forms, std::size_t& length) const;

    std::array<std::vector<std::string>, 256> m_starts;
    std::vector<std::string> m_ideographicSpace;
};

// Lines that look like headings: short (at most 40 characters), beginning
// after leading spaces with 第 and numerals (spaces between allowed) and one
// more character, with an unnumbered word (序章, 番外 ...), with Chapter or
// Section and a number, or with digits and a separator.
extern const std::u16string_view kNearMissCondition;

} // namespace lumarin::engine
