// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// The window's default heading condition: number, marker, title.
inline constexpr std::u16string_view kDefaultCondition =
    u"第([一二两三四五六七八九十○〇零百千万0-9１２３４５６７８９０]{1,10})([章草])(.*)";

// What \h matches in a condition: the horizontal spaces.
inline constexpr std::u16string_view kHorizontalSpaces =
    u"\t \u00A0\u1680\u180E\u2000\u2001\u2002\u2003\u2004\u2005\u2006\u2007\u2008\u2009"
    u"\u200A\u202F\u205F\u3000";

// Marker texts that qualify a match of the user's own condition.
inline constexpr std::u16string_view kQualifyingMarkers = u",章,草,曹,";

// Steps one line may take before the condition gives up on it, on top of a
// few steps per code unit of the line. All matches of a line share them.
inline constexpr std::uint32_t kDefaultMatchLimit = 10'000'000;

// What a heading line yields: the first capture groups of its first
// qualifying match (marker "章", "草" or "曹"). Missing groups read as empty.
struct HeadingFields {
    bool qualified = false;
    std::u16string number; // group 1
    std::u16string title;  // group 3, as captured
    // Where the match used begins in the line: the first qualifying match, or
    // the first match when none qualifies.
    std::size_t start = 0;
};

enum class MatchStatus { NoMatch, Matched, LimitExceeded };

// The heading condition: a regular expression (PCRE2, UTF-16, JIT) matched
// case-insensitively with Unicode properties, all matches of a line from left
// to right. A bad pattern throws EngineError "标题条件无效: " + reason.
// `markers` lists the qualifying group-2 texts as ",a,b,"; a captured marker
// is compared with its ASCII letters in lower case.
class HeadingCondition {
public:
    explicit HeadingCondition(std::u16string_view pattern,
                              std::uint32_t matchLimit = kDefaultMatchLimit,
                              std::u16string_view markers = kQualifyingMarkers);
    // A condition compiled when it is first used, for a pattern known to be
    // valid (a built-in rule's): most books give most rules no line to try,
    // and compiling one costs as much as trying it on thousands of lines.
    static HeadingCondition Deferred(std::u16string_view pattern, std::uint32_t matchLimit,
                                     std::u16string_view markers);
    ~HeadingCondition();
    HeadingCondition(HeadingCondition&&) noexcept;
    HeadingCondition& operator=(HeadingCondition&&) noexcept;

    // Whether `line` matches; when it does, `fields` gets the first qualifying
    // match (or stays unqualified).
    MatchStatus match(std::u16string_view line, HeadingFields& fields);

    // All matches of `line`, left to right; each holds its groups 1..n (an
    // unset group is empty). Empty when the line does not match.
    MatchStatus allMatches(std::u16string_view line,
                           std::vector<std::vector<std::u16string>>& matches);

    // A character every match must contain and that has no other case form,
    // so a line without it cannot match. None when the pattern has no such
    // character.
    std::optional<char16_t> requiredCharacter() {
        compiled();
        return m_required;
    }

private:
    struct Compiled;
    struct Uncompiled {};
    HeadingCondition(Uncompiled, std::u16string_view pattern, std::uint32_t matchLimit,
                     std::u16string_view markers);
    void compile(std::u16string_view pattern);
    Compiled& compiled();
    template <typename OnMatch>
    MatchStatus forEachMatch(std::u16string_view line, OnMatch&& onMatch);
    int matchOnce(std::u16string_view line, std::size_t start, std::uint32_t options,
                  std::uint64_t& budget);

    std::unique_ptr<Compiled> m_compiled; // null until compiled
    std::u16string m_pattern;             // kept until compiled
    std::u16string m_markers;
    std::uint32_t m_matchLimit;
    std::optional<char16_t> m_required;
    std::uint32_t m_captureCount = 0;
};

} // namespace lumarin::engine
