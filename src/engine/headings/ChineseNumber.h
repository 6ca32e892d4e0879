// SPDX-License-Identifier: MIT
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

} // namespace lumarin::engine
