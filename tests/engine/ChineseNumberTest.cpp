#include "engine/ChineseNumber.h"

#include "TestText.h"

#include <gtest/gtest.h>
#include <string>

namespace lumarin::engine {
namespace {

struct NumeralCase {
    std::u16string input;
    std::int16_t expected;
};

TEST(ParseChineseNumber, WorkedResults) {
    const NumeralCase cases[] = {
        {u"十", 10},          {u"十二", 12},      {u"二十", 20},      {u"二十五", 25},
        {u"一百", 100},       {u"一百零五", 105}, {u"二百零一", 201}, {u"一百二", 12},
        {u"一百十", 10},      {u"二百五", 25},    {u"○", 0},          {u"一百一十", 110},
        {u"一百一十五", 115}, {u"一百十五", 15},  {u"两百", 200},     {u"三百二十一", 321},
        {u"一○五", 105},      {u"１２", 12},      {u"２０", 20},      {u"两", 2},
        {u"12", 12},          {u"", 0},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ParseChineseNumber(input), expected) << test::U8(input);
}

TEST(ParseChineseNumber, EdgeForms) {
    const NumeralCase cases[] = {
        {u"  十二  ", 12}, // ASCII spaces around are ignored
        {u"1十二", 12},    // a stray ASCII digit stays in front
        {u"九十九", 99},     {u"零", 0},    {u"０", 0},     {u"千", 0}, // not handled: no number
        {u"abc", 0},         {u"1 2", 12},                              // blanks inside are skipped
        {u"2.5", 2},         {u"3.5", 4},                               // halves to even
        {u"-7", -7},         {u"1e2", 100}, {u"1e", 1},     {u"32767", 32767},
        {u"-32768", -32768}, {u"32768", 0}, {u"999999", 0}, // beyond 16 bits reads as 0
        {u"1e400", 0},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ParseChineseNumber(input), expected) << test::U8(input);
}

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
