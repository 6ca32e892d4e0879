// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Tells from a line's raw bytes whether it could be anything JudgeLine
// removes (see kPageOrDot), walking its characters without decoding them.
// Most lines of a story hold none of what it looks for.
class LineGate {
public:
    explicit LineGate(Encoding encoding);

    bool mayBeRemoved(std::string_view raw) const;

private:
    // Bits: a character that passes the line by itself, or the first or
    // second character of a site phrase.
    enum Flag : std::uint8_t { kNone = 0, kSure = 1, kFirst = 2, kSecond = 4 };

    // The flags a line's characters carry: kSure when one passes the line,
    // kSecond when a phrase's first character may stand before its second.
    std::uint8_t utf8Scan(std::string_view raw) const;
    std::uint8_t legacyScan(std::string_view raw) const;
    // Whether two site phrases start in the line, their first two characters checked.
    template <typename Decode>
    bool twoPhrasesStart(std::string_view raw, const std::vector<std::uint8_t>& flags,
                         const std::vector<std::uint32_t>& pairs, Decode decode) const;

    Encoding m_encoding;
    std::vector<std::uint8_t> m_characters; // by UTF-16 unit
    // Legacy encodings, by the two bytes at a character's start (next * 256 +
    // lead): a two-byte code's flag; for an ASCII lead, its own flag.
    std::vector<std::uint8_t> m_codes;
    // The first two characters of each site phrase, (first << 16 | second),
    // sorted: as UTF-16 units and as two-byte codes.
    std::vector<std::uint32_t> m_characterPairs;
    std::vector<std::uint32_t> m_codePairs;
};

} // namespace lumarin::engine
