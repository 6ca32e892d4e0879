// SPDX-License-Identifier: MIT
#include "platform/PropertyBag.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace lumarin::platform::test {
namespace {

using FontPtr = std::shared_ptr<StdFont>;

TEST(PropertyBagTest, ValuesEqualToTheirDefaultAreNotStored) {
    PropertyBag bag;
    struct Case {
        const char16_t* name;
        PropertyValue value;
        PropertyValue defaultValue;
        bool stored;
    };
    const Case cases[] = {
        {u"BackColor", std::int32_t{0xFFFFFF}, std::int32_t{static_cast<std::int32_t>(0x80000005)},
         true},
        {u"Reorder", false, true, true},
        {u"MultiSelect", true, true, false},
        {u"ItemPaddingRight", std::int32_t{5}, std::int32_t{5}, false},
        {u"Caption", std::u16string(u"章节"), std::u16string(u"章节"), false},
        {u"Title", std::u16string(u"甲"), std::u16string(u"乙"), true},
        {u"Font", FontPtr(std::make_shared<StdFont>(u"Tahoma", 8.25)),
         FontPtr(std::make_shared<StdFont>()), true},
        {u"SameFont", FontPtr(std::make_shared<StdFont>(u"Tahoma", 8.25)),
         FontPtr(std::make_shared<StdFont>(u"TAHOMA", 8.25)), false},
        {u"Kind", std::int32_t{1}, true, true}, // a different kind is a different value
    };
    for (const Case& c : cases) {
        bag.WriteProperty(c.name, c.value, c.defaultValue);
        EXPECT_EQ(bag.Contains(c.name), c.stored) << std::string(c.name, c.name + 3);
    }
    EXPECT_EQ(bag.Count(), 5u);
}

TEST(PropertyBagTest, NamesMatchRegardlessOfCase) {
    PropertyBag bag;
    bag.WriteProperty(u"oledropmode", std::int32_t{1}, std::int32_t{0});
    EXPECT_EQ(std::get<std::int32_t>(bag.ReadProperty(u"OLEDropMode", std::int32_t{0})), 1);
    bag.WriteProperty(u"OLEDROPMODE", std::int32_t{2}, std::int32_t{0});
    EXPECT_EQ(bag.Count(), 1u);
    EXPECT_EQ(std::get<std::int32_t>(bag.ReadProperty(u"oleDropMode", std::int32_t{0})), 2);
    // Writing the default again takes the stored entry out.
    bag.WriteProperty(u"OleDropMode", std::int32_t{0}, std::int32_t{0});
    EXPECT_FALSE(bag.Contains(u"oledropmode"));
    EXPECT_EQ(std::get<std::int32_t>(bag.ReadProperty(u"oledropmode", std::int32_t{7})), 7);
}

TEST(PropertyBagTest, StoredFontsAreCopiesOfTheCallersFont) {
    PropertyBag bag;
    auto font = std::make_shared<StdFont>(u"Tahoma", 8.25);
    bag.WriteProperty(u"Font", font, std::make_shared<StdFont>());
    font->Bold(true);
    auto read = std::get<FontPtr>(bag.ReadProperty(u"font", FontPtr()));
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->Bold()) << "later changes of the caller's font do not leak in";
    read->Italic(true);
    auto again = std::get<FontPtr>(bag.ReadProperty(u"font", FontPtr()));
    EXPECT_FALSE(again->Italic());
    EXPECT_EQ(again->Name(), u"Tahoma");
    EXPECT_DOUBLE_EQ(again->Size(), 8.25);
}

TEST(PropertyBagTest, AnEmptyNameIsRefusedAndChangesNothing) {
    PropertyBag bag;
    EXPECT_THROW(bag.WriteProperty(u"", true, false), std::invalid_argument);
    EXPECT_EQ(bag.Count(), 0u);
}

TEST(PropertyBagTest, SameValueComparesFontsByAttributes) {
    EXPECT_TRUE(SamePropertyValue(FontPtr(), FontPtr()));
    EXPECT_FALSE(SamePropertyValue(FontPtr(), FontPtr(std::make_shared<StdFont>())));
    auto a = std::make_shared<StdFont>();
    auto b = a->Clone();
    EXPECT_TRUE(SamePropertyValue(a, b));
    b->Charset(134);
    EXPECT_FALSE(SamePropertyValue(a, b));
}

} // namespace
} // namespace lumarin::platform::test
