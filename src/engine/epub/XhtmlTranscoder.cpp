// SPDX-License-Identifier: MIT
#include "engine/epub/XhtmlTranscoder.h"

#include "engine/encoding/LineCodec.h"
#include "engine/encoding/Utf8Scan.h"

#include <cstring>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace lumarin::engine {
namespace {

bool IsUtf8(Encoding encoding) {
    return encoding == Encoding::Utf8 || encoding == Encoding::Utf8Bom;
}

// ASCII as character data; false for a control character XML cannot hold.
bool AppendAscii(char c, std::string& out) {
    switch (c) {
    case '&':
        out += "&amp;";
        return true;
    case '<':
        out += "&lt;";
        return true;
    case '>':
        out += "&gt;";
        return true;
    default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
        out.push_back(c);
        return true;
    }
}

// The longest text one source byte can become ("&amp;").
constexpr std::size_t kMaxBytesPerByte = 5;

} // namespace

XhtmlTranscoder::XhtmlTranscoder(Encoding encoding) : m_encoding(encoding) {
    if (encoding != Encoding::Gb18030 && encoding != Encoding::Big5) return;
    m_table.assign(0x10000, Utf8Form{});
    LineCodec codec(encoding);
    std::u16string text;
    char code[2];
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            code[0] = static_cast<char>(lead);
            code[1] = static_cast<char>(trail);
            codec.decode(std::string_view(code, 2), text);
            if (text.size() != 1) continue;
            const char16_t c = text[0];
            if (c < 0x80 || U16_IS_SURROGATE(c) || c == 0xFFFE || c == 0xFFFF) continue;
            Utf8Form& form = m_table[lead * 256 + trail];
            std::size_t length = 0;
            U8_APPEND_UNSAFE(form.bytes, length, c);
            form.length = static_cast<std::uint8_t>(length);
        }
    }
}

bool XhtmlTranscoder::append(std::string_view raw, std::string& out) {
    if (IsUtf8(m_encoding)) return appendUtf8(raw, out);
    if (!m_table.empty()) return appendDoubleByte(raw, out);
    return false;
}

bool XhtmlTranscoder::appendUtf8(std::string_view raw, std::string& out) const {
    if (ScanUtf8(raw).valid != raw.size()) return false;
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            // U+FFFE and U+FFFF are valid UTF-8 but no XML characters.
            if (c == '\xEF' && raw.substr(i, 2) == "\xEF\xBF" && i + 2 < raw.size() &&
                (raw[i + 2] == '\xBE' || raw[i + 2] == '\xBF')) {
                out.resize(start);
                return false;
            }
            out.push_back(c);
        } else if (!AppendAscii(c, out)) {
            out.resize(start);
            return false;
        }
    }
    return true;
}

// Written through a pointer into a buffer with room for the worst case:
// appending byte by byte costs more than the look-up.
bool XhtmlTranscoder::appendDoubleByte(std::string_view raw, std::string& out) {
    if (m_buffer.size() < raw.size() * kMaxBytesPerByte + 4)
        m_buffer.resize(raw.size() * kMaxBytesPerByte + 4);
    char* const begin = m_buffer.data();
    char* p = begin;
    const auto* bytes = reinterpret_cast<const unsigned char*>(raw.data());
    const std::size_t size = raw.size();
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            switch (lead) {
            case '&':
                std::memcpy(p, "&amp;", 5);
                p += 5;
                break;
            case '<':
                std::memcpy(p, "&lt;", 4);
                p += 4;
                break;
            case '>':
                std::memcpy(p, "&gt;", 4);
                p += 4;
                break;
            default:
                if (lead < 0x20 && lead != '\t') return false;
                *p++ = static_cast<char>(lead);
            }
            continue;
        }
        if (i + 1 == size) return false;
        const Utf8Form& form = m_table[lead * 256 + bytes[i + 1]];
        if (form.length == 0) return false;
        std::memcpy(p, form.bytes, 4);
        p += form.length;
        ++i;
    }
    out.append(begin, static_cast<std::size_t>(p - begin));
    return true;
}

} // namespace lumarin::engine
