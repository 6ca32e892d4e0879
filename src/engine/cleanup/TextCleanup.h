// SPDX-License-Identifier: MIT
#pragma once
// Cleaning a book's text on the way out: lines that are not the book's own
// removed, and the lines of hard-wrapped paragraphs joined. Both need a view
// of the whole book, so one pass over the source decides them before anything
// is written; the writers then apply them line by line (CleanupCursor).

#include "engine/cleanup/LineVerdict.h"
#include "engine/headings/Analyzer.h"

#include <string>
#include <vector>

namespace lumarin::engine {

struct CleanupRequest {
    bool clean = false;  // remove advertisements, page markers, repeated stamps
    bool unwrap = false; // join the lines of hard-wrapped paragraphs

    bool any() const noexcept { return clean || unwrap; }
};

struct RemovedLine {
    LineNumber line = 0;
    std::u16string text;
    RemovalReason reason = RemovalReason::Ad;
};

struct TextCleanup {
    std::vector<RemovedLine> removed; // ascending by line; never a heading
    // The width in columns the book was wrapped at; 0 when it is not hard-wrapped
    // (or unwrapping was not asked for).
    int wrapWidth = 0;
    bool wrapInCharacters = false;   // the width counts characters, not columns
    bool indentedParagraphs = false; // see WrapWidth::Decision
    // The split points, volume lines and rows whose heading begins its line
    // (marked or not), ascending, when wrapped: they are never joined.
    std::vector<LineNumber> headings;
};

// Reads the source of `analysis` once. The split points are the rows not
// checked; they and the volume lines are never removed nor joined. Any other
// row may be removed like the rest of the text (a row the reader or the audit
// marked is no split point, and may be a site's line that looked like a
// heading), but one whose heading begins its line is never joined. Throws EngineError:
// "源文件已改变，请重新分析!", "无法读取文件: ...".
TextCleanup PlanCleanup(const AnalysisResult& analysis, const std::vector<bool>& checked,
                        const CleanupRequest& request);

// "已删除N行（广告、页码、重复行）", shown after an output with cleaning.
std::u16string RemovedLinesMessage(std::int64_t count);

} // namespace lumarin::engine
