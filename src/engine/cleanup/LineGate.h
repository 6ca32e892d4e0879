// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Tells from a line's raw bytes whether it could be anything JudgeLine
// removes (see kPageOrDot), walking its characters once without decoding
// them. Most lines of a story hold none of what it looks for.
class LineGate {
public:
    explicit LineGate(Encoding encoding);

    bool mayBeRemoved(std::string_view raw) const;

private:
    // Bits: a character that passes the line by itself, or the first or
    // second character of a site phrase.
    enum Flag : std::uint8_t { kNone = 0, kSure = 1, kFirst = 2, kSecond = 4 };
    // Whether a character (or code) passes the line, given the one before it.
    bool passes(std::uint8_t previousFlag, std::uint8_t flag, std::uint32_t previous,
                std::uint32_t current, const std::vector<std::uint32_t>& pairs, int& starts) const {
        if (flag & kSure) return true;
        if (!(flag & kSecond) || !(previousFlag & kFirst)) return false;
        return isPair(previous << 16 | current, pairs) && ++starts >= 2;
    }
    static bool isPair(std::uint32_t pair, const std::vector<std::uint32_t>& pairs);
    struct Sequence {
        std::size_t length = 0;
        std::optional<std::uint32_t> code;
    };
    template <typename Decode>
    bool walk(std::string_view raw, const std::vector<std::uint8_t>& flags,
              const std::vector<std::uint32_t>& pairs, Decode decode) const;
    bool legacyMayBeRemoved(std::string_view raw) const;
    bool utf8MayBeRemoved(std::string_view raw) const;

    Encoding m_encoding;
    std::vector<std::uint8_t> m_characters; // by UTF-16 unit
    std::vector<std::uint8_t> m_codes; // by two-byte code (lead * 256 + trail), legacy encodings
    // The first two characters of each site phrase, (first << 16 | second),
    // sorted: as UTF-16 units and as two-byte codes.
    std::vector<std::uint32_t> m_characterPairs;
    std::vector<std::uint32_t> m_codePairs;
};

} // namespace lumarin::engine
