// SPDX-License-Identifier: MIT
#include "engine/cleanup/RawLineShape.h"

#include "engine/encoding/CharacterCount.h"
#include "engine/encoding/LineCodec.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kClosing = u"。！？!?…”」』）)】》~～—.．";
constexpr std::u16string_view kStops = u"。！？!?";
constexpr std::u16string_view kColons = u"：:";

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
    m_closing = EndingsOf(FormsOf(codec, kClosing));
    m_stops = EndingsOf(FormsOf(codec, kStops));
    m_colons = EndingsOf(FormsOf(codec, kColons));
}

RawLineShape::Endings RawLineShape::EndingsOf(std::vector<std::string> forms) {
    Endings endings;
    for (std::string& form : forms) {
        const auto last = static_cast<unsigned char>(form.back());
        if (form.size() == 1) {
            endings.singles.set(last);
        } else if (form.size() == 2) {
            endings.pairs.set(static_cast<unsigned char>(form[0]) * 256u + last);
        } else {
            endings.longerLastBytes.set(last);
            endings.longer.push_back(std::move(form));
        }
    }
    return endings;
}

bool RawLineShape::startsWithAny(std::string_view raw,
                                 const std::vector<std::string>& forms) const {
    return std::any_of(forms.begin(), forms.end(),
                       [raw](const std::string& form) { return raw.starts_with(form); });
}

// A suffix that matches may be the tail of a longer character in the byte
// encodings; only the forms' own lengths are compared, which is close enough
// for a judgement about line ends.
bool RawLineShape::EndsWithAny(std::string_view raw, const Endings& endings) {
    if (raw.empty()) return false;
    const auto last = static_cast<unsigned char>(raw.back());
    if (endings.singles[last]) return true;
    if (raw.size() >= 2 &&
        endings.pairs[static_cast<unsigned char>(raw[raw.size() - 2]) * 256u + last])
        return true;
    return endings.longerLastBytes[last] &&
           std::any_of(endings.longer.begin(), endings.longer.end(),
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
    return static_cast<int>(CountCharacters(trimmedEnd(raw), m_encoding));
}

bool RawLineShape::isBlank(std::string_view raw) const {
    return trimmedEnd(raw).empty();
}

bool RawLineShape::startsIndented(std::string_view raw) const {
    return startsWithAny(raw, m_indents);
}

bool RawLineShape::endsClosed(std::string_view raw) const {
    return EndsWithAny(trimmedEnd(raw), m_closing);
}

bool RawLineShape::endsStopped(std::string_view raw) const {
    return EndsWithAny(trimmedEnd(raw), m_stops);
}

bool RawLineShape::endsLeadingIn(std::string_view raw) const {
    return EndsWithAny(trimmedEnd(raw), m_colons);
}

} // namespace lumarin::engine
