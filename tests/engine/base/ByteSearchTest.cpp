// SPDX-License-Identifier: MIT
#include "engine/base/ByteSearch.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace lumarin::engine {
namespace {

// Every start, the slow way.
std::size_t FindAnyNaively(std::string_view haystack, std::size_t from,
                           const std::vector<std::pair<std::string, bool>>& needles) {
    for (std::size_t i = from; i < haystack.size(); ++i) {
        for (const auto& [needle, caseless] : needles) {
            if (needle.size() > haystack.size() - i) continue;
            bool same = true;
            for (std::size_t j = 0; j < needle.size() && same; ++j) {
                const auto byte = static_cast<unsigned char>(haystack[i + j]);
                same = (caseless ? (byte | 0x20) : byte) == static_cast<unsigned char>(needle[j]);
            }
            if (same) return i;
        }
    }
    return haystack.size();
}

// Needles at every offset of the sixteen- and thirty-two-byte steps and across the tail,
// in either case, among bytes that share some of theirs; with and without a
// one-byte needle, which the search handles apart.
TEST(NeedleSet, FindsTheFirstOfAnyNeedleAsTheSlowWayDoes) {
    for (const bool withSingle : {false, true}) {
        SCOPED_TRACE(withSingle ? "with #" : "without #");
        std::vector<std::pair<std::string, bool>> needles = {
            {"\xB5\xDA", false}, {"\xE5\x8D\xB7", false}, {"vol", true}, {"boo", true}};
        if (withSingle) needles.emplace_back("#", false);
        NeedleSet set;
        for (const auto& [needle, caseless] : needles)
            ASSERT_TRUE(set.add(needle, caseless));
        const std::string pieces[] = {"\xB5\xDA", "\xE5\x8D\xB7", "VoL", "BOO", "#",
                                      "\xB5",     "\x8D\xB7",     "vo",  "bOk", "\xDA\xB5"};
        for (std::size_t length = 0; length < 72; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {
                for (const std::string& piece : pieces) {
                    std::string haystack(length, 'x');
                    haystack.insert(at, piece);
                    for (const std::size_t from : {std::size_t{0}, at, at + 1}) {
                        ASSERT_EQ(set.find(haystack, from), FindAnyNaively(haystack, from, needles))
                            << haystack << " from " << from;
                    }
                }
            }
        }
    }
}

TEST(NeedleSet, CaselessOnlyWhenAsked) {
    NeedleSet set;
    ASSERT_TRUE(set.add("Ab"));
    EXPECT_EQ(set.find("xxab xAB Ab", 0), 9u);
    NeedleSet caseless;
    ASSERT_TRUE(caseless.add("ab", true));
    EXPECT_EQ(caseless.find("xxaB", 0), 2u);
}

TEST(NeedleSet, RefusesNeedlesItCannotHold) {
    NeedleSet set;
    EXPECT_FALSE(set.add(""));
    EXPECT_FALSE(set.add("four"));
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.find("four", 0), 4u);
}

} // namespace
} // namespace lumarin::engine
