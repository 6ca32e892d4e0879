// SPDX-License-Identifier: MIT
// The heading condition's matches on a long line against plain PCRE2 on the whole line. The
// condition first shows the engine a window of the line and widens it when the answer could
// depend on what lies beyond; whatever the pattern, the matches must be those of the whole line.
// Input: a pattern (UTF-8) up to the first newline, then the line; a run of 'a's of 1000 to
// 1255 code units (first byte) goes before the line, so that its text meets the window's edge.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/HeadingCondition.h"

#include <pcre2.h>
#include <unicode/utf16.h>

namespace {

using Matches = std::vector<std::vector<std::u16string>>;

// Every match of the whole line, left to right, as a scripting engine's global matching finds
// them; false when PCRE2 gives up (a limit) or cannot compile the pattern.
bool PlainMatches(std::u16string_view pattern, std::u16string_view line, Matches& matches) {
    constexpr uint32_t options =
        PCRE2_CASELESS | PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX;
    pcre2_compile_context* compileContext = pcre2_compile_context_create(nullptr);
    pcre2_set_compile_extra_options(compileContext, PCRE2_EXTRA_ALT_BSUX);
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &error, &offset, compileContext);
    pcre2_compile_context_free(compileContext);
    if (code == nullptr) return false;
    // JIT as the condition uses it; the interpreter alone can spend minutes on a line.
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    pcre2_match_context* context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(context, 1'000'000);
    uint32_t groups = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
    const auto subject = reinterpret_cast<PCRE2_SPTR>(line.data());
    bool ok = true;
    PCRE2_SIZE start = 0;
    uint32_t flags = 0;
    while (start <= line.size()) {
        const int rc = pcre2_match(code, subject, line.size(), start, flags, data, context);
        if (rc == PCRE2_ERROR_NOMATCH && flags != 0) {
            flags = 0;
            start += (start + 1 < line.size() && U16_IS_LEAD(line[start]) &&
                      U16_IS_TRAIL(line[start + 1]))
                         ? 2
                         : 1;
            continue;
        }
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc < 0) {
            ok = false;
            break;
        }
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
        std::vector<std::u16string> match;
        for (uint32_t i = 1; i <= groups; ++i) {
            const bool set = i < pcre2_get_ovector_count(data) && ovector[2 * i] != PCRE2_UNSET;
            match.push_back(set ? std::u16string(line.substr(ovector[2 * i],
                                                             ovector[2 * i + 1] - ovector[2 * i]))
                                : std::u16string());
        }
        matches.push_back(std::move(match));
        start = ovector[1] > ovector[0] ? ovector[1] : ovector[0];
        flags = ovector[1] <= ovector[0] ? (PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED) : 0;
    }
    pcre2_match_context_free(context);
    pcre2_match_data_free(data);
    pcre2_code_free(code);
    return ok;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    if (size < 1) return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t newline = bytes.find('\n');
    if (newline == std::string_view::npos) return 0;
    const std::u16string pattern = FromUtf8(bytes.substr(0, newline));
    const std::u16string line =
        std::u16string(1000 + data[0], u'a') + FromUtf8(bytes.substr(newline + 1));
    Matches expected;
    if (!PlainMatches(pattern, line, expected)) return 0;
    try {
        HeadingCondition condition(pattern);
        Matches found;
        if (condition.allMatches(line, found) == MatchStatus::LimitExceeded) return 0;
        if (found != expected) lumarin::fuzz::Fail("windowed and whole-line matches differ");
    } catch (const EngineError&) {
        lumarin::fuzz::Fail("a pattern PCRE2 compiles was refused");
    }
    return 0;
}
