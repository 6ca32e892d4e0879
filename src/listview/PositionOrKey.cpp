// SPDX-License-Identifier: MIT
#include "listview/PositionOrKey.h"

#include <cfenv>
#include <cmath>

namespace lumarin::listview {

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

std::optional<double> ReadRadix(const std::u16string& digits, int radix) {
    if (digits.empty() || digits.size() > 16) return std::nullopt;
    double value = 0;
    for (char16_t c : digits) {
        int d;
        if (c >= u'0' && c <= u'9')
            d = c - u'0';
        else if (c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        else
            return std::nullopt;
        if (d >= radix) return std::nullopt;
        value = value * radix + d;
    }
    return value;
}

} // namespace

std::optional<double> ReadNumericText(const std::u16string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end) return std::nullopt;
    const std::u16string s = text.substr(begin, end - begin);

    if (s.size() > 2 && s[0] == u'&') {
        if (s[1] == u'H' || s[1] == u'h') return ReadRadix(s.substr(2), 16);
        if (s[1] == u'O' || s[1] == u'o') return ReadRadix(s.substr(2), 8);
        return std::nullopt;
    }

    // [sign] digits [. digits] [(e|E) [sign] digits], at least one mantissa digit.
    std::string ascii;
    std::size_t i = 0;
    if (s[i] == u'+' || s[i] == u'-') ascii += static_cast<char>(s[i++]);
    std::size_t mantissaDigits = 0;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        ascii += static_cast<char>(s[i++]);
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            ascii += static_cast<char>(s[i++]);
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii += static_cast<char>(s[i++]);
        std::size_t expDigits = 0;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            ascii += static_cast<char>(s[i++]);
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    return std::strtod(ascii.c_str(), nullptr);
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // nearbyint honours the rounding mode; the default one rounds halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<double> PositionOrKey::NumericValue() const {
    if (m_blnIsNumber) return m_dblNumber;
    return ReadNumericText(m_strText);
}

} // namespace lumarin::listview
