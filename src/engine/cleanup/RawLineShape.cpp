// SPDX-License-Identifier: MIT
#include "engine/cleanup/RawLineShape.h"

#include "engine/encoding/LineCodec.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kClosing = u"。！？!?…”」』）)】》~～—.．";

// Each character as the encoding writes it (other codes for the same
// punctuation are too rare to matter for a judgement about line ends).
std::vector<std::string> FormsOf(LineCodec& codec, std::u16string_view characters) {
    std::vector<std::string> forms;
    for (const char16_t c : characters) {
        std::string form;
        codec.encode(std::u16string_view(&c, 1), form);
        if (!form.empty()) forms.push_back(std::move(form));
    }
    // Longest first, so that a multi-byte form is not mistaken for its last byte.
    std::sort(forms.begin(), forms.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return forms;
}

int Utf8Width(std::string_view raw) {
    int width = 0;
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 || (byte >= 0xC0 && byte < 0xE0))
            width += 1;
        else if (byte >= 0xE0)
            width += 2;
    }
    return width;
}

int Utf16Width(std::string_view raw, bool littleEndian) {
    int width = 0;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const auto high = static_cast<unsigned char>(raw[littleEndian ? i + 1 : i]);
        const auto low = static_cast<unsigned char>(raw[littleEndian ? i : i + 1]);
        const unsigned unit = high << 8 | low;
        if (unit >= 0xDC00 && unit < 0xE000) continue; // second half of a pair
        width += unit < 0x1100 ? 1 : 2;
    }
    return width;
}

// Bytes of the character at `i` in GB18030 or Big5.
std::size_t LegacyLength(std::string_view raw, std::size_t i, Encoding encoding) {
    const auto lead = static_cast<unsigned char>(raw[i]);
    if (lead < 0x81 || lead == 0xFF || i + 1 >= raw.size()) return 1;
    const auto second = static_cast<unsigned char>(raw[i + 1]);
    if (encoding == Encoding::Gb18030 && second >= 0x30 && second <= 0x39)
        return std::min<std::size_t>(4, raw.size() - i);
    return 2;
}

} // namespace

RawLineShape::RawLineShape(Encoding encoding) : m_encoding(encoding) {
    LineCodec codec(encoding);
    m_spaces = FormsOf(codec, u" \t\u3000");
    for (const std::string& space : m_spaces)
        m_spaceEnds.set(static_cast<unsigned char>(space.back()));
    m_indents = FormsOf(codec, u"\t\u3000");
    std::string twoSpaces;
    codec.encode(u"  ", twoSpaces);
    m_indents.push_back(twoSpaces);
    m_closing = FormsOf(codec, kClosing);
}

bool RawLineShape::startsWithAny(std::string_view raw,
                                 const std::vector<std::string>& forms) const {
    return std::any_of(forms.begin(), forms.end(),
                       [raw](const std::string& form) { return raw.starts_with(form); });
}

// A suffix that matches may be the tail of a longer character in the byte
// encodings; only the forms' own lengths are compared, which is close enough
// for a judgement about line ends.
bool RawLineShape::endsWithAny(std::string_view raw, const std::vector<std::string>& forms) const {
    return std::any_of(forms.begin(), forms.end(),
                       [raw](const std::string& form) { return raw.ends_with(form); });
}

std::string_view RawLineShape::trimmedEnd(std::string_view raw) const {
    bool trimmed = true;
    // Most lines end in a byte no space ends in: nothing to try.
    while (trimmed && !raw.empty() && m_spaceEnds[static_cast<unsigned char>(raw.back())]) {
        trimmed = false;
        for (const std::string& form : m_spaces) {
            if (raw.ends_with(form)) {
                raw.remove_suffix(form.size());
                trimmed = true;
                break;
            }
        }
    }
    return raw;
}

int RawLineShape::width(std::string_view raw) const {
    raw = trimmedEnd(raw);
    switch (m_encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return Utf8Width(raw);
    case Encoding::Utf16LE:
        return Utf16Width(raw, true);
    case Encoding::Utf16BE:
        return Utf16Width(raw, false);
    case Encoding::Gb18030:
    case Encoding::Big5:
        break;
    }
    // Two bytes for a Chinese character, one for ASCII: bytes are columns.
    return static_cast<int>(raw.size());
}

int RawLineShape::characters(std::string_view raw) const {
    raw = trimmedEnd(raw);
    int count = 0;
    switch (m_encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        for (const char c : raw)
            count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return count;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
            const auto high =
                static_cast<unsigned char>(raw[m_encoding == Encoding::Utf16LE ? i + 1 : i]);
            count += high < 0xDC || high >= 0xE0;
        }
        return count;
    case Encoding::Gb18030:
    case Encoding::Big5:
        break;
    }
    for (std::size_t i = 0; i < raw.size(); i += LegacyLength(raw, i, m_encoding))
        ++count;
    return count;
}

bool RawLineShape::isBlank(std::string_view raw) const {
    return trimmedEnd(raw).empty();
}

bool RawLineShape::startsIndented(std::string_view raw) const {
    return startsWithAny(raw, m_indents);
}

bool RawLineShape::endsClosed(std::string_view raw) const {
    return endsWithAny(trimmedEnd(raw), m_closing);
}

} // namespace lumarin::engine
