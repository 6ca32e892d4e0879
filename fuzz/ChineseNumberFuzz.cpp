// SPDX-License-Identifier: MIT
// ParseChineseNumber on any UTF-16 text: it must never crash, and where the text is a plain
// decimal number that fits 16 bits, it must read exactly that number.
#include "FuzzInput.h"
#include "engine/base/LeadingNumber.h"
#include "engine/headings/ChineseNumber.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = lumarin::fuzz::AsUtf16(data, size);
    const std::int16_t value = lumarin::engine::ParseChineseNumber(text);
    const bool plainDigits =
        !text.empty() && text.size() <= 4 &&
        std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    if (plainDigits) {
        int expected = 0;
        for (const char16_t c : text) {
            expected = expected * 10 + (c - u'0');
        }
        if (value != expected) {
            lumarin::fuzz::Fail("plain digits read as another number");
        }
    }
    lumarin::engine::ReadCountField(text);
    return 0;
}
