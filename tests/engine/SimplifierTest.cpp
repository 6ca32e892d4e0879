#include "engine/Simplifier.h"

#include "TestText.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

TEST(ToSimplified, ConvertsTraditionalAndKeepsTheRest) {
    const struct {
        std::u16string input, expected;
    } cases[] = {
        {u"話說天下大勢", u"话说天下大势"},
        {u"周末七國分爭，並入於秦。", u"周末七国分争，并入于秦。"},
        {u"简体不变 abc 123", u"简体不变 abc 123"},
        {u"", u""},
        {u"國\xDC80國", u"国\xDC80国"}, // a carried byte stays where it was
        {u"\U00020000國", u"\U00020000国"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToSimplified(c.input), c.expected) << test::U8(c.input);
}

} // namespace
} // namespace lumarin::engine
