// SPDX-License-Identifier: MIT
#include "engine/epub/XhtmlText.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace lumarin::engine {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool XmlCanHold(char32_t c) {
    if (c < 0x20) return c == u'\t';
    return c != 0xFFFE && c != 0xFFFF;
}

void AppendUtf8(char32_t c, std::string& out) {
    char bytes[U8_MAX_LENGTH];
    std::size_t length = 0;
    U8_APPEND_UNSAFE(bytes, length, c);
    out.append(bytes, length);
}

XhtmlReplaced AppendEscaped(std::u16string_view text, bool quotes, std::string& out) {
    XhtmlReplaced replaced;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80 && unit >= 0x20) {
            switch (unit) {
            case u'&':
                out += "&amp;";
                break;
            case u'<':
                out += "&lt;";
                break;
            case u'>':
                out += "&gt;";
                break;
            case u'"':
                out += quotes ? "&quot;" : "\"";
                break;
            case u'\'':
                out += quotes ? "&apos;" : "'";
                break;
            default:
                out.push_back(static_cast<char>(unit));
            }
            continue;
        }
        char32_t c = unit;
        if (U16_IS_LEAD(unit) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
            c = U16_GET_SUPPLEMENTARY(unit, text[++i]);
        } else if (U16_IS_SURROGATE(unit)) {
            c = kReplacement;
            ++replaced.loneSurrogates;
        } else if (!XmlCanHold(c)) {
            c = kReplacement;
            ++replaced.unfit;
        }
        AppendUtf8(c, out);
    }
    return replaced;
}

} // namespace

XhtmlReplaced AppendXhtmlText(std::u16string_view text, std::string& out) {
    return AppendEscaped(text, false, out);
}

XhtmlReplaced AppendXhtmlAttribute(std::u16string_view text, std::string& out) {
    return AppendEscaped(text, true, out);
}

} // namespace lumarin::engine
