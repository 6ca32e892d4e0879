// SPDX-License-Identifier: MIT
#include "platform/StdFont.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace lumarin::platform::test {
namespace {

TEST(StdFontTest, EveryChangeNotifiesWithTheAttributeName) {
    StdFont font(u"Tahoma", 8.25);
    std::vector<std::u16string> heard;
    font.AddListener([&](const std::u16string& name) { heard.push_back(name); });

    font.Name(u"SimSun");
    font.Name(u"SimSun"); // unchanged: nothing to tell
    font.Size(12);
    font.Bold(true);
    font.Bold(true);
    font.Weight(900);
    font.Italic(true);
    font.Underline(true);
    font.Strikethrough(true);
    font.Charset(134);
    EXPECT_EQ(heard, (std::vector<std::u16string>{u"Name", u"Size", u"Bold", u"Weight", u"Italic",
                                                  u"Underline", u"Strikethrough", u"Charset"}));
    EXPECT_TRUE(font.Bold());
    font.Bold(false);
    EXPECT_EQ(font.Weight(), 400);
}

TEST(StdFontTest, InvalidValuesAreRefusedAndChangeNothing) {
    StdFont font;
    int told = 0;
    font.AddListener([&](const std::u16string&) { ++told; });
    const double size = font.Size();
    EXPECT_THROW(font.Size(0), std::invalid_argument);
    EXPECT_THROW(font.Size(-3), std::invalid_argument);
    EXPECT_THROW(font.Name(u""), std::invalid_argument);
    EXPECT_THROW(font.Weight(1001), std::invalid_argument);
    EXPECT_THROW(font.Charset(256), std::invalid_argument);
    EXPECT_EQ(font.Size(), size);
    EXPECT_EQ(told, 0);
    EXPECT_THROW(StdFont(u"", 8), std::invalid_argument);
}

TEST(StdFontTest, ListenersMayLeaveWhileBeingTold) {
    StdFont font;
    int first = 0;
    int second = 0;
    int token = 0;
    token = font.AddListener([&](const std::u16string&) {
        ++first;
        font.RemoveListener(token);
    });
    font.AddListener([&](const std::u16string&) { ++second; });
    font.Italic(true);
    font.Italic(false);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
}

TEST(StdFontTest, ClonesAreEqualButIndependent) {
    StdFont font(u"Tahoma", 8.25);
    font.Underline(true);
    int told = 0;
    font.AddListener([&](const std::u16string&) { ++told; });
    auto copy = font.Clone();
    EXPECT_TRUE(copy->SameAs(font));
    copy->Size(9);
    EXPECT_EQ(told, 0) << "the clone has no listeners";
    EXPECT_FALSE(copy->SameAs(font));
    EXPECT_DOUBLE_EQ(font.Size(), 8.25);
}

} // namespace
} // namespace lumarin::platform::test
