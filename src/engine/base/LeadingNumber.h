// SPDX-License-Identifier: MIT
#pragma once
// Numbers read from the front of a text, as the count fields and the
// progress width are read: whatever follows the number is ignored.

#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// The leading numeric part of a text: spaces, tabs and line feeds are skipped
// wherever they stand; then an optional sign, digits, an optional fraction and
// exponent. No number at all gives 0.
double ReadLeadingNumber(std::u16string_view text);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);

// A count field such as "chapters per file" or "files per folder": leading
// number, rounded halves-to-even, made non-negative, clamped to 32767.
std::int32_t ReadCountField(std::u16string_view text);

// A size in characters (the split size): read like a count field, clamped to
// 2147483647.
std::int64_t ReadSizeField(std::u16string_view text);

} // namespace lumarin::engine
