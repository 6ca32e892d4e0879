// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingAudit.h"

#include <algorithm>
#include <array>
#include <map>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

struct FlagName {
    AuditFlag flag;
    const char* word;
    const char16_t* reason;
};

constexpr std::array<FlagName, 5> kFlagNames = {{
    {kAuditGap, "gap", u"缺章"},
    {kAuditDuplicate, "duplicate", u"重复"},
    {kAuditBackwards, "backwards", u"倒序"},
    {kAuditMidLine, "mid_line", u"句中"},
    {kAuditLongHeading, "long_heading", u"标题过长"},
}};

bool IsLineSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// Positions (into `run`) of a longest strictly rising subsequence of numbers;
// among equally long ones the earliest rows are kept.
std::vector<std::size_t> LongestRising(const std::vector<std::int32_t>& run) {
    std::vector<std::size_t> tails; // position of the smallest tail of each length
    std::vector<std::size_t> before(run.size(), run.size());
    for (std::size_t i = 0; i < run.size(); ++i) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), run[i],
                                         [&](std::size_t t, std::int32_t v) { return run[t] < v; });
        if (at != tails.begin()) before[i] = *(at - 1);
        if (at == tails.end()) {
            tails.push_back(i);
        } else if (run[*at] != run[i]) {
            *at = i; // an equal tail stays: the earlier row keeps its place
        }
    }
    std::vector<std::size_t> chain;
    for (std::size_t i = tails.empty() ? run.size() : tails.back(); i < run.size(); i = before[i])
        chain.push_back(i);
    std::reverse(chain.begin(), chain.end());
    return chain;
}

// Judges one numbered run (rows between restarts).
void AuditRun(const std::vector<std::size_t>& rows, const std::vector<AuditRow>& all,
              std::vector<AuditFlags>& flags, std::vector<AuditNote>& notes) {
    std::vector<std::int32_t> numbers;
    for (const std::size_t r : rows)
        numbers.push_back(all[r].number);
    const std::vector<std::size_t> chain = LongestRising(numbers);
    std::vector<bool> inChain(rows.size(), false);
    for (const std::size_t i : chain)
        inChain[i] = true;
    std::map<std::int32_t, std::size_t> seen; // number -> the first row that had it
    std::int32_t lastRising = 0;
    bool anyRising = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        AuditFlags& f = flags[rows[i]];
        AuditNote& note = notes[rows[i]];
        if (inChain[i]) {
            if (anyRising && numbers[i] > lastRising + 1) {
                f |= kAuditGap;
                note.missingFirst = lastRising + 1;
                note.missingLast = numbers[i] - 1;
            }
            lastRising = numbers[i];
            anyRising = true;
        } else if (const auto earlier = seen.find(numbers[i]); earlier != seen.end()) {
            f |= kAuditDuplicate;
            note.sameAs = static_cast<std::int32_t>(earlier->second);
        } else {
            f |= kAuditBackwards;
        }
        seen.emplace(numbers[i], rows[i]);
    }
}

} // namespace

bool StartsLine(std::u16string_view line, std::size_t start) {
    for (std::size_t i = 0; i < start && i < line.size(); ++i)
        if (!IsLineSpace(line[i])) return false;
    return true;
}

bool IsLongHeading(std::u16string_view line) {
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && IsLineSpace(line[first]))
        ++first;
    while (last > first && IsLineSpace(line[last - 1]))
        --last;
    std::size_t characters = 0;
    for (std::size_t i = first; i < last; ++i)
        if (!(U16_IS_TRAIL(line[i]) && i > first && U16_IS_LEAD(line[i - 1]))) ++characters;
    return characters > kLongHeadingChars;
}

std::vector<AuditFlags> AuditRows(const std::vector<AuditRow>& rows) {
    return AuditRowsWithNotes(rows).flags;
}

AuditReport AuditRowsWithNotes(const std::vector<AuditRow>& rows) {
    AuditReport report;
    std::vector<AuditFlags>& flags = report.flags;
    flags.assign(rows.size(), 0);
    report.notes.assign(rows.size(), AuditNote{});
    std::vector<std::size_t> numbered;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].midLine) flags[r] |= kAuditMidLine;
        if (IsLongHeading(rows[r].heading)) flags[r] |= kAuditLongHeading;
        if (!rows[r].midLine && rows[r].number > 0) numbered.push_back(r);
    }
    // A 1 followed by a 2, after at least two numbered rows, starts the
    // numbering again (a new volume); a lone stray 1 does not.
    std::vector<std::size_t> run;
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        const AuditRow& row = rows[numbered[i]];
        const bool restart =
            (run.size() >= 2 && row.number == 1 && i + 1 < numbered.size() &&
             rows[numbered[i + 1]].number == 2) ||
            (row.opensVolume && !run.empty() && row.number <= rows[run.back()].number);
        if (restart) {
            AuditRun(run, rows, flags, report.notes);
            run.clear();
        }
        run.push_back(numbered[i]);
    }
    AuditRun(run, rows, flags, report.notes);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].splitPoint) continue;
        flags[r] = 0;
        report.notes[r] = AuditNote{};
    }
    return report;
}

std::vector<std::string> FlagWords(AuditFlags flags) {
    std::vector<std::string> words;
    for (const FlagName& name : kFlagNames)
        if ((flags & name.flag) != 0) words.emplace_back(name.word);
    return words;
}

std::vector<std::u16string> FlagReasons(AuditFlags flags) {
    std::vector<std::u16string> reasons;
    for (const FlagName& name : kFlagNames)
        if ((flags & name.flag) != 0) reasons.emplace_back(name.reason);
    return reasons;
}

} // namespace lumarin::engine
