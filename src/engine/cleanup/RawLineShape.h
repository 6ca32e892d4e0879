// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// What unwrapping asks of a line, answered from its raw bytes so that the
// lines of a book that is not wrapped are never decoded: its width in
// columns (a Chinese character takes two), whether it is blank, starts
// indented, or ends without closing punctuation.
class RawLineShape {
public:
    explicit RawLineShape(Encoding encoding);

    // Columns up to the last character that is not a space.
    int width(std::string_view raw) const;
    // Characters up to the last one that is not a space (some wraps count these).
    int characters(std::string_view raw) const;
    bool isBlank(std::string_view raw) const;
    // Starts with an ideographic space, a tab or two spaces (one space may be
    // a wrapped line's first character).
    bool startsIndented(std::string_view raw) const;
    // Ends in something that closes a sentence (。！？…”」』 and the like).
    bool endsClosed(std::string_view raw) const;
    // Ends a sentence with 。！？ themselves: what follows starts anew.
    bool endsStopped(std::string_view raw) const;
    // Ends in a colon: the line leads into what follows (a letter's salutation).
    bool endsLeadingIn(std::string_view raw) const;

private:
    // Characters a line may end in, as the encoding writes them: forms of
    // one and two bytes in tables (asked of most lines, they answer at once),
    // longer ones listed with their last bytes.
    struct Endings {
        std::bitset<256> singles;
        std::bitset<0x10000> pairs; // first byte * 256 + second
        std::vector<std::string> longer;
        std::bitset<256> longerLastBytes;
    };
    static Endings EndingsOf(std::vector<std::string> forms);

    std::string_view trimmedEnd(std::string_view raw) const;
    bool startsWithAny(std::string_view raw, const std::vector<std::string>& forms) const;
    static bool EndsWithAny(std::string_view raw, const Endings& endings);

    Encoding m_encoding;
    std::vector<std::string> m_spaces;  // space, tab, U+3000
    std::bitset<256> m_spaceEnds;       // the last bytes of m_spaces
    std::vector<std::string> m_indents; // tab, U+3000, two spaces
    Endings m_closing; // sentence ends and closing quotes
    Endings m_stops;   // 。！？ and their ASCII forms
    Endings m_colons;
};

} // namespace lumarin::engine
