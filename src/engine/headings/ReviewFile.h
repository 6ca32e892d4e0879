// SPDX-License-Identifier: MIT
#pragma once
// A review kept outside the program: the window saves and exports it, the
// command line splits by it (--toc). It is JSON in the shape of
// `lumarin-split --list --json`: the source's checksum, the rule or
// condition, the volumes (of which only "line" is read), and one object per
// row, of which only "start_line", "checked", "title" and "added" are read.

#include "engine/headings/ChapterEdits.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct ReviewRow {
    LineNumber startLine = 0;
    bool checked = false;
    bool added = false;
    std::u16string title;
};

struct ReviewVolume {
    LineNumber line = 0;
    std::u16string title;
    std::int32_t number = 0;
};

struct ReviewFile {
    std::string checksum; // SourceChecksum of the source reviewed
    std::u16string source;
    std::optional<std::u16string> rule; // a built-in rule's name; none for the condition
    std::u16string condition;
    std::vector<ReviewVolume> volumes; // every volume, found or marked by hand
    std::vector<ReviewRow> rows;
};

// Reads the JSON text. Throws EngineError "目录文件无效: ..." naming what is
// wrong (not JSON, no checksum, a row without a start line ...).
ReviewFile ParseReviewFile(std::string_view json);

// A review file a few times larger than the table of the longest novel is
// no review: it is refused before it is read.
inline constexpr std::int64_t kLargestReviewBytes = 16 * 1024 * 1024;

// Reads and parses the file at `path` (ReadSmallFile's refusals, then
// ParseReviewFile's): a FIFO or a device never blocks, a huge file is never read.
ReviewFile ReadReviewFile(const std::filesystem::path& path);

// The JSON text of a review, rows with their number and heading besides.
std::string ReviewFileText(const ReviewFile& review, const AnalysisResult& reviewed);

// The file of a reviewed analysis (ApplyEdits's result) and its check marks.
ReviewFile ReviewOf(const AnalysisResult& reviewed, const std::vector<bool>& checked,
                    std::string checksum);

// What a file makes of a fresh analysis of the same source: its rows are the
// split points (unchecked rows) and the rows kept but ticked; rows it lists at
// lines the analysis did not find are added splits, and found rows it does not
// list are ticked; volumes it lists at lines the analysis found none are
// volumes marked by hand. `checked` is per row of ApplyEdits(found, edits).
struct Review {
    ChapterEdits edits;
    std::vector<bool> checked;
};

// Throws EngineError when `file` was not made of the text whose checksum is
// `checksum`: "源文件已改变，请重新分析!" when it names a source of the same file
// name as `source` (the book was changed since), else
// "目录文件属于另一本书: NAME" (its source's file name, when it names one).
void CheckReviewIsOf(const ReviewFile& file, std::string_view checksum,
                     const std::filesystem::path& source);

// Throws EngineError "目录文件无效: ..." for a line listed twice or beyond the
// source (a row's or a volume's), and as the source's reading does.
Review ReviewFromFile(const AnalysisResult& found, const ReviewFile& file);

} // namespace lumarin::engine
