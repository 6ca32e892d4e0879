// SPDX-License-Identifier: MIT
#pragma once
// One run, from a source to chapter files or a book, as one value: the command
// line parses its arguments into it and the window builds it from its
// controls. A front end analyses with it, settles the check marks, and writes
// with it. The way in for a front end.

#include "engine/epub/EpubWriter.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/OutputPlan.h"
#include "engine/output/OutputWriter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumarin::engine {

enum class OutputFormat { ChapterFiles, Book };

struct RunRequest {
    std::filesystem::path source;
    AnalysisRequest analysis;
    OutputOptions output; // its defaults are every front end's start values
    OutputFormat format = OutputFormat::ChapterFiles;
    std::filesystem::path bookFile; // empty: named after the source, in the output folder
};

struct RunOutcome {
    std::filesystem::path written; // the folder of the chapter files, or the book
    std::u16string message;        // "处理完毕！...", for the user
};

// The source read with the request's analysis choices.
AnalysisResult AnalyzeRun(const RunRequest& request);

// Where the request's book goes: its own file, else named after the analysed
// source in the output folder. Nothing when neither is given (the folder text
// is empty).
std::optional<std::filesystem::path> BookPathFor(const AnalysisResult& analysis,
                                                 const RunRequest& request);

// What the request writes for its source, from the source's path alone (before
// anything is read): the folder of the chapter files, or the book. Nothing when
// there is nowhere to write.
std::optional<std::filesystem::path> OutputPathFor(const RunRequest& request);

// "处理完毕！共N个文件！..." for chapter files the request wrote, with the
// count of removed lines on a line of its own when it cleans.
std::u16string ChapterFilesDoneMessage(const RunRequest& request, const OutputResult& files);

// Writes what the request asks for, chapter files or a book, from an analysis
// and its check marks. Returns nothing when there is nowhere to write (a
// silent stop); throws what WriteOutput and WriteEpub throw.
std::optional<RunOutcome> WriteRunOutput(const AnalysisResult& analysis,
                                         const std::vector<bool>& checked,
                                         const RunRequest& request,
                                         const OutputCallbacks& callbacks = {});

} // namespace lumarin::engine
