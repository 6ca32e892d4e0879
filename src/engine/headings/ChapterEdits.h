// SPDX-License-Identifier: MIT
#pragma once
// What a reader changes in an analysis beyond its check marks: split points
// the rules missed, titles the rules got wrong, and volume lines the rules
// missed. Both front ends split with the table the edits make of the
// analysis, so the files, their names, the volume folders and the book's
// contents follow the review.

#include "engine/headings/Analyzer.h"

#include <map>
#include <string>
#include <vector>

namespace lumarin::engine {

// A split point at a line no rule found; its heading is the line's text.
struct AddedSplit {
    LineNumber line = 0;
    std::u16string heading;

    friend bool operator==(const AddedSplit&, const AddedSplit&) = default;
};

struct ChapterEdits {
    std::vector<AddedSplit> added;               // in line order, each line once
    std::map<LineNumber, std::u16string> titles; // corrected titles by start line
    std::map<LineNumber, std::u16string> volumes; // volume lines marked by hand, with their text

    bool empty() const noexcept { return added.empty() && titles.empty() && volumes.empty(); }
    friend bool operator==(const ChapterEdits&, const ChapterEdits&) = default;

    // Adds a split at `line` (kept in line order); false when one is there already.
    bool add(LineNumber line, std::u16string heading);
    // Removes the added split at `line` and its corrected title; false when none.
    bool remove(LineNumber line);
};

// The analysis with the edits applied: added rows take their place by line
// (unchecked, number 0, the line as heading and title, not measured: chars
// -1, as is the row they cut short; in the volume they stand in, or the one
// whose line they start at), corrected titles replace the found ones.
// An added line outside the source or at a found heading is left out, and so
// is a title for a line that starts no row. The check marks of found rows are
// kept. A marked volume line opens a volume (number 0, its text trimmed as
// title) that holds the rows from that line to the next volume's line; one
// outside the source or at a found volume's line is left out.
AnalysisResult ApplyEdits(const AnalysisResult& found, const ChapterEdits& edits);

// The volume (an index into analysis.volumes) whose line is `line`, or -1.
std::int32_t VolumeAtLine(const AnalysisResult& analysis, LineNumber line);

// The row (entry - 1) that starts at `line`, or -1.
std::int32_t RowStartingAt(const ChapterTable& table, LineNumber line);

} // namespace lumarin::engine
