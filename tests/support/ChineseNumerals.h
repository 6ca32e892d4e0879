// SPDX-License-Identifier: MIT
#pragma once
// Chapter numbers as novels write them, for test data of every layer.

#include <string>

namespace lumarin::test {

// The usual way of writing n (0 … 99999999): 十二 for 12, 一百一十 for 110, one 零 for
// every gap, 一万零五百 for 10500.
std::u16string WrittenOut(int n);

// n digit by digit with 〇 for zero, as years are written: 一〇五〇 for 1050.
std::u16string DigitByDigit(int n);

} // namespace lumarin::test
