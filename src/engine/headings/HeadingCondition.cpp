// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingCondition.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"

#include <algorithm>
#include <cstdint>
#include <pcre2.h>
#include <unicode/uniset.h>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

// Case-insensitive like the window's engine always was; Unicode-aware; lines
// holding carried invalid bytes are matched around them. ECMAScript's \uhhhh
// escape is understood.
constexpr uint32_t kCompileOptions =
    PCRE2_CASELESS | PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX;
constexpr uint32_t kExtraOptions = PCRE2_EXTRA_ALT_BSUX;

// The JIT's own stack: small at first, grown up to this much for deep patterns.
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 4 * 1024 * 1024;

bool HasNoOtherCase(char16_t unit) {
    if (U16_IS_SURROGATE(unit)) return false;
    icu::UnicodeSet closure(static_cast<UChar32>(unit), static_cast<UChar32>(unit));
    closure.closeOver(USET_CASE_INSENSITIVE);
    return closure.size() == 1;
}

// Code units the engine sees at first on each attempt (see matchOnce).
constexpr std::size_t kFirstWindow = 1024;
// A line's budget grows with its length, so that scanning a long line a few
// times over (the window doubling does) never exhausts it.
constexpr std::uint64_t kStepsPerCodeUnit = 4;

bool IsLimitError(int rc) {
    return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
           rc == PCRE2_ERROR_HEAPLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT;
}

} // namespace

struct HeadingCondition::Compiled {
    pcre2_code* code = nullptr;
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* jitStack = nullptr;

    ~Compiled() {
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }

    std::u16string group(std::u16string_view line, uint32_t index) const {
        if (index >= pcre2_get_ovector_count(data)) return {};
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
        if (ovector[2 * index] == PCRE2_UNSET) return {};
        return std::u16string(
            line.substr(ovector[2 * index], ovector[2 * index + 1] - ovector[2 * index]));
    }
};

HeadingCondition::HeadingCondition(std::u16string_view pattern, std::uint32_t matchLimit,
                                   std::u16string_view markers)
    : HeadingCondition(Uncompiled{}, pattern, matchLimit, markers) {
    compiled();
}

HeadingCondition::HeadingCondition(Uncompiled, std::u16string_view pattern,
                                   std::uint32_t matchLimit, std::u16string_view markers)
    : m_pattern(pattern), m_markers(markers), m_matchLimit(matchLimit) {}

HeadingCondition HeadingCondition::Deferred(std::u16string_view pattern, std::uint32_t matchLimit,
                                            std::u16string_view markers) {
    return HeadingCondition(Uncompiled{}, pattern, matchLimit, markers);
}

HeadingCondition::Compiled& HeadingCondition::compiled() {
    if (!m_compiled) {
        compile(m_pattern);
        m_pattern = std::u16string();
    }
    return *m_compiled;
}

void HeadingCondition::compile(std::u16string_view pattern) {
    auto fresh = std::make_unique<Compiled>();
    pcre2_compile_context* compileContext = pcre2_compile_context_create(nullptr);
    pcre2_set_compile_extra_options(compileContext, kExtraOptions);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    fresh->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                kCompileOptions, &error, &errorOffset, compileContext);
    pcre2_compile_context_free(compileContext);
    if (fresh->code == nullptr) {
        PCRE2_UCHAR message[256];
        const int length = pcre2_get_error_message(error, message, 256);
        std::u16string reason(reinterpret_cast<const char16_t*>(message), length > 0 ? length : 0);
        throw EngineError::invalidCondition(
            reason + u" (位置 " + ToU16Decimal(static_cast<long long>(errorOffset)) + u")");
    }
    // Without JIT support the interpreter still matches, only slower.
    pcre2_jit_compile(fresh->code, PCRE2_JIT_COMPLETE | PCRE2_JIT_PARTIAL_HARD);
    fresh->data = pcre2_match_data_create_from_pattern(fresh->code, nullptr);
    fresh->context = pcre2_match_context_create(nullptr);
    fresh->jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    pcre2_jit_stack_assign(fresh->context, nullptr, fresh->jitStack);

    pcre2_pattern_info(fresh->code, PCRE2_INFO_CAPTURECOUNT, &m_captureCount);
    uint32_t type = 0;
    uint32_t unit = 0;
    pcre2_pattern_info(fresh->code, PCRE2_INFO_FIRSTCODETYPE, &type);
    if (type == 1) {
        pcre2_pattern_info(fresh->code, PCRE2_INFO_FIRSTCODEUNIT, &unit);
    } else {
        pcre2_pattern_info(fresh->code, PCRE2_INFO_LASTCODETYPE, &type);
        if (type == 1) pcre2_pattern_info(fresh->code, PCRE2_INFO_LASTCODEUNIT, &unit);
    }
    if (type == 1 && HasNoOtherCase(static_cast<char16_t>(unit)))
        m_required = static_cast<char16_t>(unit);
    m_compiled = std::move(fresh);
}

HeadingCondition::~HeadingCondition() = default;
HeadingCondition::HeadingCondition(HeadingCondition&&) noexcept = default;
HeadingCondition& HeadingCondition::operator=(HeadingCondition&&) noexcept = default;

// One match attempt from `start`, charged to the line's budget. The engine
// first sees only a window of the line after `start`; a window it ran out of
// (a partial match) or found nothing in is doubled until the answer cannot
// depend on what lies beyond it. So an attempt is charged for the code units
// it really looked at: a lookahead that runs to the end of the line on every
// attempt spends the budget quickly, while many short matches on a long line
// cost little. Within one attempt the engine's own backtracking steps are
// capped by what is left, and never more than the limit one call always had.
int HeadingCondition::matchOnce(std::u16string_view line, std::size_t start, uint32_t options,
                                std::uint64_t& budget) {
    const auto subject = reinterpret_cast<PCRE2_SPTR>(line.data());
    std::size_t window = kFirstWindow;
    for (;;) {
        std::size_t end = line.size() - start > window ? start + window : line.size();
        if (end < line.size() && U16_IS_LEAD(line[end - 1])) ++end; // keep a pair whole
        const bool whole = end == line.size();
        pcre2_set_match_limit(m_compiled->context,
                              static_cast<uint32_t>(std::min<std::uint64_t>(budget, m_matchLimit)));
        const int rc = pcre2_match(m_compiled->code, subject, end, start,
                                   options | (whole ? 0 : PCRE2_PARTIAL_HARD), m_compiled->data,
                                   m_compiled->context);
        if (IsLimitError(rc)) return rc;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_compiled->data);
        const bool conclusive = whole || (rc >= 0 && ovector[0] < end && ovector[1] < end);
        const std::uint64_t charge = conclusive && rc >= 0
                                         ? std::max<std::size_t>(ovector[1], start) - start + 1
                                         : end - start + 1;
        if (charge > budget) return PCRE2_ERROR_MATCHLIMIT;
        budget -= charge;
        if (conclusive) return rc;
        window *= 2;
    }
}

// Global matching as scripting engines do it: after an empty match the next
// attempt must not be empty at the same place, else it moves on one character.
// All attempts on one line share one budget.
template <typename OnMatch>
MatchStatus HeadingCondition::forEachMatch(std::u16string_view line, OnMatch&& onMatch) {
    compiled();
    std::uint64_t budget = m_matchLimit + kStepsPerCodeUnit * std::uint64_t{line.size()};
    PCRE2_SIZE start = 0;
    uint32_t options = 0;
    bool any = false;
    while (start <= line.size()) {
        const int rc = matchOnce(line, start, options, budget);
        if (rc == PCRE2_ERROR_NOMATCH && options != 0) {
            options = 0;
            start += (start + 1 < line.size() && U16_IS_LEAD(line[start]) &&
                      U16_IS_TRAIL(line[start + 1]))
                         ? 2
                         : 1;
            continue;
        }
        if (IsLimitError(rc)) return MatchStatus::LimitExceeded;
        if (rc < 0) break;
        any = true;
        if (!onMatch()) break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_compiled->data);
        // \K in a lookahead can end a match before it starts: move on regardless.
        start = ovector[1] > ovector[0] ? ovector[1] : ovector[0];
        options = ovector[1] <= ovector[0] ? (PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED) : 0;
    }
    return any ? MatchStatus::Matched : MatchStatus::NoMatch;
}

MatchStatus HeadingCondition::match(std::u16string_view line, HeadingFields& fields) {
    fields = HeadingFields{};
    bool first = true;
    return forEachMatch(line, [&] {
        const PCRE2_SIZE matchStart = pcre2_get_ovector_pointer(m_compiled->data)[0];
        if (first) fields.start = matchStart;
        first = false;
        std::u16string marker = u"," + m_compiled->group(line, 2) + u",";
        for (char16_t& c : marker)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (m_markers.find(marker) == std::u16string::npos) return true;
        fields.start = matchStart;
        fields.qualified = true;
        fields.number = m_compiled->group(line, 1);
        fields.title = m_compiled->group(line, 3);
        return false;
    });
}

MatchStatus HeadingCondition::allMatches(std::u16string_view line,
                                         std::vector<std::vector<std::u16string>>& matches) {
    matches.clear();
    const MatchStatus status = forEachMatch(line, [&] {
        std::vector<std::u16string> groups;
        for (uint32_t i = 1; i <= m_captureCount; ++i)
            groups.push_back(m_compiled->group(line, i));
        matches.push_back(std::move(groups));
        return true;
    });
    if (status == MatchStatus::LimitExceeded) matches.clear();
    return status;
}

} // namespace lumarin::engine
