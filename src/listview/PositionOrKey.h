// SPDX-License-Identifier: MIT
#pragma once
// A column argument as owners pass it: a number, or a text that is either a
// number (then it is a position) or a column key.

#include <cstdint>
#include <optional>
#include <string>

namespace lumarin::listview {

class PositionOrKey {
public:
    PositionOrKey(std::int32_t number) : m_blnIsNumber(true), m_dblNumber(number) {}
    PositionOrKey(double number) : m_blnIsNumber(true), m_dblNumber(number) {}
    PositionOrKey(std::u16string text) : m_strText(std::move(text)) {}
    PositionOrKey(const char16_t* text) : m_strText(text) {}

    // True when the value was given as a number, not as text.
    bool IsNumber() const { return m_blnIsNumber; }
    const std::u16string& Text() const { return m_strText; }

    // The value of a number, or of a text that reads as one; empty for any other text.
    std::optional<double> NumericValue() const;

private:
    bool m_blnIsNumber = false;
    double m_dblNumber = 0;
    std::u16string m_strText;
};

// True when the text reads as a number: optional blanks, a sign, digits with
// an optional decimal point and exponent, or &H / &O followed by digits.
std::optional<double> ReadNumericText(const std::u16string& text);

// Rounds half to even into 32 bits; std::nullopt when the value does not fit.
std::optional<std::int32_t> RoundToInt32(double value);

} // namespace lumarin::listview
