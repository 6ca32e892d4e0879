// SPDX-License-Identifier: MIT
#include "support/ChineseNumerals.h"

#include <string_view>

namespace lumarin::test {
namespace {

constexpr std::u16string_view kDigits = u"零一二三四五六七八九";
constexpr std::u16string_view kUnits = u"千百十";

// One group of four places; after 万 a group that starts with zeros starts with 零.
std::u16string FourPlaces(int value, bool afterWan) {
    std::u16string text;
    bool gap = false;
    for (int place = 0, scale = 1000; place < 4; ++place, scale /= 10) {
        const int digit = value / scale % 10;
        if (digit == 0) {
            gap = gap || afterWan || !text.empty();
            continue;
        }
        if (gap) text += u'零';
        gap = false;
        text += kDigits[digit];
        if (place < 3) text += kUnits[place];
    }
    return text;
}

} // namespace

std::u16string WrittenOut(int n) {
    if (n == 0) return u"零";
    std::u16string text = n >= 10000
                              ? FourPlaces(n / 10000, false) + u"万" + FourPlaces(n % 10000, true)
                              : FourPlaces(n, false);
    if (text.starts_with(u"一十")) text.erase(0, 1);
    return text;
}

std::u16string DigitByDigit(int n) {
    std::u16string text;
    for (const char c : std::to_string(n))
        text += c == '0' ? u'〇' : kDigits[c - '0'];
    return text;
}

} // namespace lumarin::test
