// SPDX-License-Identifier: MIT
#include "engine/base/LeadingNumber.h"

#include "TestText.h"

#include <gtest/gtest.h>
#include <string>

namespace lumarin::engine {
namespace {

TEST(ReadCountField, LeadingNumberRoundedNonNegativeClamped) {
    const struct {
        std::u16string input;
        std::int32_t expected;
    } cases[] = {
        {u"50", 50},        {u"1", 1},          {u"", 0},          {u"abc", 0},
        {u"12abc", 12},     {u"-3", 3},         {u"2.5", 2},       {u"3.5", 4},
        {u" 4 0", 40},      {u"0", 0},          {u"32767", 32767}, {u"40000", 32767},
        {u"-40000", 32767}, {u"-32768", 32767}, {u"1e9", 32767},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ReadCountField(input), expected) << test::U8(input);
}

} // namespace
} // namespace lumarin::engine
