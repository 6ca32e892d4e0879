// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// A byte that is invalid in the source's encoding is carried through the
// UTF-16 text as the lone low surrogate U+DC00 + byte and written back as that
// same byte. Valid text never decodes to a lone surrogate in the byte
// encodings, so the two cannot be confused. (UTF-16 sources keep their own
// lone surrogates as they are; their only invalid byte, an odd last byte of
// the file, is kept apart: see oddTail.)
inline constexpr char16_t kCarriedByteBase = 0xDC00;

// True when text[i] is a carried byte (a lone U+DC00..U+DCFF).
bool IsCarriedByte(std::u16string_view text, std::size_t i);

// Display: every code reads as its character. Exact: a code that does not
// come back from encoding its character (some Big5 characters have two
// codes) is carried as bytes instead, so that a line that is edited and
// written again keeps every byte that was not removed.
enum class CodecMode { Display, Exact };

// Decodes raw line bytes to UTF-16 and encodes UTF-16 back, per encoding.
// Holds a converter: one codec per thread.
class LineCodec {
public:
    explicit LineCodec(Encoding encoding, CodecMode mode = CodecMode::Display);
    ~LineCodec();
    LineCodec(LineCodec&&) noexcept;
    LineCodec& operator=(LineCodec&&) noexcept;

    Encoding encoding() const noexcept { return m_encoding; }

    // Replaces `out` with the text of `raw` (no line terminator, no BOM).
    void decode(std::string_view raw, std::u16string& out);
    std::u16string decode(std::string_view raw);

    // Appends the bytes of `text` to `out`; carried bytes become their byte.
    void encode(std::u16string_view text, std::string& out);

    // For UTF-16: the odd last byte of a raw line that decode() left out (empty
    // otherwise). A changed line is written as encode(text) + oddTail(raw).
    std::string_view oddTail(std::string_view raw) const;

    // Every byte sequence that decodes to exactly `unit` (a BMP character);
    // empty when none does. Used to search raw bytes for a character.
    // The answer is the encoding's, so it is found once per process.
    std::vector<std::string> encodedForms(char16_t unit);
    // The same for each of `units`: one pass over the encoding's codes serves
    // them all.
    std::vector<std::vector<std::string>> encodedForms(std::u16string_view units);

    // Every two-byte code (trail from 0x40) of a double-byte encoding that
    // decodes by itself to one BMP character, with that character, a lead
    // byte's codes decoded in one call: each(lead, trail, character).
    void forEachTwoByteCode(
        const std::function<void(unsigned char lead, unsigned char trail, char16_t c)>& each);

private:
    struct Converter;
    static const std::vector<bool>* OneWayCodes(Encoding encoding);
    std::vector<std::vector<std::string>> findEncodedForms(std::u16string_view units);
    bool mayHoldOneWayCode(std::string_view raw) const;
    void decodeExactly(std::string_view raw, std::u16string& out);

    Encoding m_encoding;
    // Two-byte codes (lead * 256 + trail) that do not round-trip; null when none do.
    const std::vector<bool>* m_oneWay = nullptr;
    // Exact, and m_oneWay not yet looked up: it is, by the first decode (a
    // writer that copies every line's bytes never needs it).
    bool m_oneWayPending = false;
    std::unique_ptr<Converter> m_converter;
};

} // namespace lumarin::engine
