// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Raw line bytes straight to the UTF-8 character data of an XHTML document,
// for the lines that make up nearly every novel: valid UTF-8 copied as it is,
// and the one- and two-byte codes of GB18030 and Big5 looked up in a table
// taken from the codec once. A line holding anything else (four-byte codes,
// invalid bytes, control characters) is declined and left to the codec.
class XhtmlTranscoder {
public:
    explicit XhtmlTranscoder(Encoding encoding);

    // Appends the line to `out` with "&", "<" and ">" escaped; returns false,
    // with `out` as it was, when the line needs the codec.
    bool append(std::string_view raw, std::string& out);

private:
    bool appendUtf8(std::string_view raw, std::string& out) const;
    bool appendDoubleByte(std::string_view raw, std::string& out);

    Encoding m_encoding;
    // UTF-8 of each two-byte code (lead * 256 + trail), padded to four bytes,
    // and its length (0 for a code the table does not answer).
    struct Utf8Form {
        char bytes[4];
        std::uint8_t length;
    };
    std::vector<Utf8Form> m_table;
    std::vector<char> m_buffer; // room for a line's worst case: every byte escaped
};

} // namespace lumarin::engine
