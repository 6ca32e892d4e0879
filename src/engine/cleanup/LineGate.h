// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Tells from a line's raw bytes whether it could be anything JudgeLine
// removes (see kPageOrDot), walking its characters without decoding them.
// Most lines of a story hold none of what it looks for. On the same walk it
// sees the dialogue quotes, which tell whether a speech goes on in the next line.
class LineGate {
public:
    explicit LineGate(Encoding encoding);

    struct Look {
        bool mayBeRemoved = false;
        bool opensQuote = false;  // holds “「『
        bool closesQuote = false; // holds ”」』
    };
    Look look(std::string_view raw) const;
    bool mayBeRemoved(std::string_view raw) const { return look(raw).mayBeRemoved; }

private:
    // Bits: a character that passes the line by itself, or the first or
    // second character of a site phrase; an opening or a closing quote. The
    // scans shift a flag by one to pair a phrase's characters: no flag holds
    // the bit kSecond or kCloses shifts into.
    enum Flag : std::uint8_t {
        kNone = 0,
        kSure = 1,
        kFirst = 2,
        kSecond = 4,
        kOpens = 16,
        kCloses = 32,
    };

    // The flags a line's characters carry, and kSecond once for every place
    // where a phrase's first character may stand before its second.
    struct Scan {
        std::uint8_t seen = kNone;
        unsigned pairs = 0;
    };
    Scan utf8Scan(std::string_view raw) const;
    Scan legacyScan(std::string_view raw) const;
    // Whether two site phrases start in the line, their first two characters checked.
    // `decode` reads the multi-byte character at a position (a Sequence).
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
