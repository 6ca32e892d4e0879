// SPDX-License-Identifier: MIT
#include "engine/headings/ChineseNumber.h"

#include "engine/base/LeadingNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace lumarin::engine {
namespace {

// Every sign that stands for one decimal digit, with its value.
struct DigitSigns {
    std::u16string_view signs;
    int value;
};

constexpr DigitSigns kDigitSigns[] = {
    {u"零○〇０", 0}, {u"一壹１", 1},   {u"二贰貳两兩２", 2}, {u"三叁參３", 3}, {u"四肆４", 4},
    {u"五伍５", 5},  {u"六陆陸６", 6}, {u"七柒７", 7},       {u"八捌８", 8},   {u"九玖９", 9},
};

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The value of a digit sign, or -1 for any other character.
int DigitValue(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    for (const auto& [signs, value] : kDigitSigns)
        if (signs.find(c) != std::u16string_view::npos) return value;
    return -1;
}

// The multiplier of a unit sign, or 0 for any other character.
std::int64_t UnitValue(char16_t c) {
    switch (c) {
    case u'十':
    case u'拾':
        return 10;
    case u'百':
    case u'佰':
        return 100;
    case u'千':
    case u'仟':
        return 1000;
    case u'万':
    case u'萬':
        return 10000;
    default:
        return 0;
    }
}

bool HoldsUnitSign(std::u16string_view text) {
    for (const char16_t c : text)
        if (UnitValue(c) != 0) return true;
    return false;
}

// Reads a number written with unit signs: digits gather into a decimal number,
// 十/百/千 multiply it (1 when there is none) into the current section, 万
// multiplies everything before it. A single digit right after 百, 千 or 万 that
// ends the number is the short form (一百二 = 120) and counts one place lower.
class ValueReader {
public:
    std::int64_t read(std::u16string_view text) {
        for (const char16_t c : text) {
            if (IsBlank(c)) continue;
            if (const int digit = DigitValue(c); digit >= 0) {
                takeDigit(digit);
            } else if (const std::int64_t unit = UnitValue(c); unit != 0) {
                takeUnit(unit);
            } else {
                break;
            }
        }
        if (m_lastUnit >= 100 && m_digitsAfterUnit == 1) m_number *= m_lastUnit / 10;
        return m_done + m_section + m_number;
    }

private:
    // Values only grow, so anything past this bound is out of range for good;
    // holding it there keeps the arithmetic inside 64 bits.
    static constexpr std::int64_t kBound = 1'000'000'000'000;

    static std::int64_t Bounded(std::int64_t value) { return std::min(value, kBound); }

    void takeDigit(int digit) {
        m_number = Bounded(m_number * 10 + digit);
        m_hasNumber = true;
        ++m_digitsAfterUnit;
    }

    void takeUnit(std::int64_t unit) {
        if (unit == 10000) {
            const bool nothingBefore = m_done == 0 && m_section == 0 && !m_hasNumber;
            m_done = Bounded((nothingBefore ? 1 : m_done + m_section + m_number) * unit);
            m_section = 0;
        } else {
            m_section = Bounded(m_section + (m_hasNumber ? m_number : 1) * unit);
        }
        m_number = 0;
        m_hasNumber = false;
        m_lastUnit = unit;
        m_digitsAfterUnit = 0;
    }

    std::int64_t m_done = 0;    // sections already multiplied by 万
    std::int64_t m_section = 0; // the section since the last 万
    std::int64_t m_number = 0;  // digits since the last unit
    bool m_hasNumber = false;
    std::int64_t m_lastUnit = 0;
    int m_digitsAfterUnit = 0;
};

// Without unit signs every digit sign stands for one decimal digit (一〇五 =
// 105); the result goes on to the plain numeric reading.
std::u16string DigitsAsAscii(std::u16string_view text) {
    std::u16string t(text);
    for (char16_t& c : t)
        if (const int digit = DigitValue(c); digit >= 0) c = static_cast<char16_t>(u'0' + digit);
    return t;
}

} // namespace

std::int16_t ParseChineseNumber(std::u16string_view text) {
    const double value = HoldsUnitSign(text)
                             ? static_cast<double>(ValueReader().read(text))
                             : RoundHalfEven(ReadLeadingNumber(DigitsAsAscii(text)));
    if (!(value >= -32768.0 && value <= 32767.0)) return 0;
    return static_cast<std::int16_t>(value);
}

} // namespace lumarin::engine
