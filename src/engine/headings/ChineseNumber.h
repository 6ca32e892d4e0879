#pragma once

#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// Reads a chapter number. A text with a unit sign (十 拾 百 佰 千 仟 万 萬) is read
// by value (四千九百八十五 = 4985, the short form 一百二 = 120); one without is read
// digit by digit (一〇五 = 105, 12.5 = 12). Digits may be Chinese (plain or as on
// cheques), full-width or ASCII. Text without a number, and a value outside the
// signed 16-bit range, read as 0.
std::int16_t ParseChineseNumber(std::u16string_view text);

// The leading numeric part of a text: spaces, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits, an optional fraction and
// exponent. No number at all gives 0.
double ReadLeadingNumber(std::u16string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// A count field such as "chapters per file" or "files per folder": leading
// number, rounded halves-to-even, made non-negative, clamped to 32767.
std::int32_t ReadCountField(std::u16string_view text);

// A size in characters (split size): read like a count field, clamped to
// 2147483647.
std::int64_t ReadSizeField(std::u16string_view text);

} // namespace lumarin::engine
