// SPDX-License-Identifier: MIT
#include "engine/base/TextUtil.h"

#include <string>
#include <unicode/ustring.h>

namespace lumarin::engine {

bool IsBlankText(std::u16string_view text) {
    return text.find_first_not_of(u" \u3000") == std::u16string_view::npos;
}

std::u16string_view TrimSpaces(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    const auto last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    constexpr std::u16string_view kBlanks = u" \u3000\t";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with) {
    if (what.empty()) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (auto hit = text.find(what); hit != std::u16string_view::npos; hit = text.find(what, pos)) {
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::u16string RemoveAll(std::u16string_view text, std::u16string_view what) {
    return ReplaceAll(text, what, {});
}

std::string ToUtf8(std::u16string_view text) {
    std::string out(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(text.data()),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::u16string FromUtf8(std::string_view text) {
    std::u16string out(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                         &length, text.data(), static_cast<int32_t>(text.size()), 0xFFFD, nullptr,
                         &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::u16string ToU16Decimal(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string PrintableText(std::u16string_view text) {
    std::u16string out;
    const auto hex = [&out](char16_t c, int digits) {
        static constexpr char16_t kDigits[] = u"0123456789abcdef";
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
            out.push_back(kDigits[(c >> shift) & 0xF]);
    };
    for (const char16_t c : text) {
        if (c == u'\t') {
            out += u"\\t";
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += u"\\x";
            hex(c, 2);
        } else if ((c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) {
            out += u"\\u";
            hex(c, 4);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string ShownPath(std::string_view path) {
    return PrintableText(FromUtf8(path));
}

} // namespace lumarin::engine
