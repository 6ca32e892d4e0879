// SPDX-License-Identifier: MIT
#include "engine/headings/ChineseNumber.h"

#include "TestText.h"
#include "support/ChineseNumerals.h"

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
        {u"十", 10},
        {u"十二", 12},
        {u"二十", 20},
        {u"二十五", 25},
        {u"一百", 100},
        {u"一百零五", 105},
        {u"二百零一", 201},
        {u"一百二", 120},
        {u"一百十", 110},
        {u"二百五", 250},
        {u"○", 0},
        {u"一百一十", 110},
        {u"一百一十五", 115},
        {u"一百十五", 115},
        {u"两百", 200},
        {u"三百二十一", 321},
        {u"一○五", 105},
        {u"１２", 12},
        {u"２０", 20},
        {u"两", 2},
        {u"12", 12},
        {u"", 0},
        {u"一千", 1000},
        {u"一千零一", 1001},
        {u"四千九百八十五", 4985},
        {u"一万零五百", 10500},
        {u"壹佰贰拾", 120},
        {u"1千2百", 1200},
        {u"三万二千七百六十七", 32767},
        {u"三万二千七百六十八", 0},
        {u"十万", 0},
        {u"一千二", 1200},
        {u"两万三", 23000},
        {u"一百零二", 102},
        {u"一〇五", 105},
        {u"二〇二三", 2023},
        {u"一一一", 111},
        {u"12.5", 12},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ParseChineseNumber(input), expected) << test::U8(input);
}

TEST(ParseChineseNumber, EdgeForms) {
    const NumeralCase cases[] = {
        {u"  十二  ", 12}, // ASCII spaces around are ignored
        {u"1十二", 12},    // an ASCII digit counts like any other
        {u"九十九", 99},
        {u"零", 0},
        {u"０", 0},
        {u"千", 1000},
        {u"万", 10000},
        {u"拾", 10}, // a unit alone counts once
        {u"abc", 0},
        {u"1 2", 12}, // blanks inside are skipped
        {u"2.5", 2},
        {u"3.5", 4}, // halves to even
        {u"-7", -7},
        {u"1e2", 100},
        {u"1e", 1},
        {u"32767", 32767},
        {u"-32768", -32768},
        {u"32768", 0},
        {u"999999", 0}, // beyond 16 bits reads as 0
        {u"1e400", 0},
        {u"二十五章", 25},
        {u"一百二章", 120},       // another character ends the reading
        {u"一 千\t零\n一", 1001}, // blanks are skipped by value too
        {u"一百二三", 123},
        {u"二十五", 25},
        {u"一万二", 12000}, // short form only after 百 千 万
        {u"貳佰參拾陸", 236},
        {u"兩仟", 2000},
        {u"壹萬", 10000},
        {u"-十", 0},
        {u"十.5", 10},                  // no sign or fraction by value
        {u"99999999999999999999千", 0}, // huge, never wraps round
        {u"零千零百零十零", 0},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(ParseChineseNumber(input), expected) << test::U8(input);
}

// The same number in the signs used on cheques.
std::u16string Financial(std::u16string text) {
    static constexpr std::u16string_view kPlain = u"一二三四五六七八九十百千万";
    static constexpr std::u16string_view kFinancial = u"壹贰叁肆伍陆柒捌玖拾佰仟萬";
    for (char16_t& c : text)
        if (const auto at = kPlain.find(c); at != std::u16string_view::npos) c = kFinancial[at];
    return text;
}

TEST(ParseChineseNumber, ReadsEveryNumberUpTo32767InEveryWriting) {
    using lumarin::test::DigitByDigit;
    using lumarin::test::WrittenOut;
    for (int n = 0; n <= 32767; ++n) {
        for (const std::u16string& text :
             {WrittenOut(n), Financial(WrittenOut(n)), DigitByDigit(n)})
            ASSERT_EQ(ParseChineseNumber(text), n) << test::U8(text);
    }
    EXPECT_EQ(WrittenOut(10500), u"一万零五百");
    EXPECT_EQ(WrittenOut(1001), u"一千零一");
    EXPECT_EQ(WrittenOut(110), u"一百一十");
    EXPECT_EQ(WrittenOut(12000), u"一万二千");
    EXPECT_EQ(DigitByDigit(1050), u"一〇五〇");
}

} // namespace
} // namespace lumarin::engine
