// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Why a split point looks wrong. A row may carry several.
enum AuditFlag : std::uint8_t {
    kAuditGap = 1,         // at least one number skipped just before this row
    kAuditDuplicate = 2,   // the same number as an earlier split point
    kAuditBackwards = 4,   // a number that falls out of the rising sequence
    kAuditMidLine = 8,     // the match does not begin the line
    kAuditLongHeading = 16 // the heading line is longer than a heading
};
using AuditFlags = std::uint8_t;

// A heading line longer than this many characters (leading and trailing
// spaces not counted) is no plain heading.
inline constexpr std::size_t kLongHeadingChars = 40;

// What the audit knows of one row.
struct AuditRow {
    std::int32_t number = 0; // 0: the row carries no number
    bool splitPoint = true;  // unchecked
    bool midLine = false;
    std::u16string_view heading;
    bool opensVolume = false; // the first numbered row after a volume line
};

// Flags of every row. Checked rows get none, but their numbers still count:
// checking a doubted row leaves its neighbours as they were. The numbers are
// judged as a
// whole: rows of the longest rising sequence stand, a row that falls out of
// it is backwards (or duplicate when its number came before), a rising row
// that skips numbers has a gap. Numbering that starts again at 1 (followed by
// 2) begins a new sequence, and so does a number at a volume's first row that
// is not above the one before it. Rows whose match does not begin the line (a
// sentence that mentions a chapter) and rows without a number take no part in
// the sequence.
std::vector<AuditFlags> AuditRows(const std::vector<AuditRow>& rows);

// What a flag is about: the earlier row a duplicate repeats, the numbers a gap skips.
struct AuditNote {
    std::int32_t sameAs = -1; // kAuditDuplicate: the earlier row with the same number
    std::int32_t missingFirst = 0; // kAuditGap: the numbers skipped, first..last
    std::int32_t missingLast = 0;
};

struct AuditReport {
    std::vector<AuditFlags> flags;
    std::vector<AuditNote> notes; // one per row
};

// AuditRows with the notes besides.
AuditReport AuditRowsWithNotes(const std::vector<AuditRow>& rows);

// Whether a match starting at `start` begins the line after its leading
// spaces and ideographic spaces.
bool StartsLine(std::u16string_view line, std::size_t start);

bool IsLongHeading(std::u16string_view line);

// The words of the flags in a fixed order: "gap", "duplicate", "backwards",
// "mid_line", "long_heading".
std::vector<std::string> FlagWords(AuditFlags flags);

// The same as the window says them: 缺章, 重复, 倒序, 句中, 标题过长.
std::vector<std::u16string> FlagReasons(AuditFlags flags);

} // namespace lumarin::engine
