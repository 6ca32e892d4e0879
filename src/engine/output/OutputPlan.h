// SPDX-License-Identifier: MIT
#pragma once
// Everything an output will write, worked out before a byte is written: the
// folder, the group folders and every chapter file in writing order, with the
// source lines each file receives. It touches nothing on disk: the window asks
// about existing files from it (ExistingFileProbe.h), the command line refuses
// from it, and the writer follows it.

#include "engine/cleanup/TextCleanup.h"
#include "engine/encoding/Encoding.h"
#include "engine/encoding/EncodingChoice.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/FileNaming.h"
#include "engine/output/OutputSelection.h"
#include "engine/source/SourceStamp.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lumarin::engine {

// What to do with chapter files that are already there.
enum class ExistingFiles {
    Refuse,    // write nothing, name the first one
    Overwrite, // start each one afresh (a link is replaced, never followed)
    Append,    // add to the end (a link is refused)
};

struct OutputOptions {
    std::u16string folderText{kDefaultFolderText}; // trimmed of U+0020 by the writer
    std::u16string namePattern = u"%n-%c%s";
    std::int32_t chaptersPerFile = 1; // N; below 1 reads as 1
    std::int32_t filesPerFolder = 50; // P; 0 for no group folders
    bool deleteBlankLines = true;
    bool toSimplified = false;
    std::vector<std::u16string> filters; // removed from every line, in order
    ExistingFiles existing = ExistingFiles::Refuse;
    OutputEncodingChoice encoding = OutputEncodingChoice::Source;
    CleanupRequest cleanup; // lines removed, wrapped paragraphs joined
    // A book's title and author when given (before the text's own and the
    // file name's), and its cover image (JPEG or PNG), if any.
    std::u16string bookTitle;
    std::u16string bookAuthor;
    std::filesystem::path cover;
    bool volumeFolders = false; // one folder per volume instead of groups of P
    std::int64_t splitSize = 0; // characters per part; 0: chapters are not cut
};

// With volume folders: a run of kept entries that share a folder (a volume's,
// or the output folder for the entries outside any volume), and the number of
// its first file. Files never span two runs.
struct FileRun {
    std::int32_t firstEntry = 1;
    std::int32_t firstFile = 1;
    std::int32_t volume = -1;
};

// One chapter file of the plan: lines [firstLine, endLine) of the source go
// into `folder` / `name` (folder "" is the output folder itself). Worked out
// from the plan when needed: a plan holds nothing per file.
struct PlannedFile {
    std::int32_t fileNumber = 0; // F
    std::int32_t firstEntry = 0; // selection entries (0 = front matter) it holds
    std::int32_t lastEntry = 0;
    LineNumber firstLine = 1;
    LineNumber endLine = 1;
    int percent = 0;         // firstLine * 100 / (lines + 1)
    std::int32_t group = -1; // its group folder's number, or -1
    std::string folder;      // a group folder's name on disk, or ""
    std::string name;        // the file name on disk
    bool firstOpen = true;   // false when an earlier file of the run has the same path
};

struct OutputPlan {
    std::filesystem::path source;
    SourceStamp stamp;
    Encoding encoding = Encoding::Gb18030;
    LineNumber lineCount = 0;
    OutputOptions options;
    // The folder the user chose (it may be a link: the user named it), and
    // the one made inside it for this source (never followed if a link).
    std::filesystem::path chosenFolder;
    std::string stem;
    std::filesystem::path outputFolder;
    // The chapters written; its titles are views of the analysis's table, so
    // the analysis must outlive the plan.
    OutputSelection selection;
    std::int32_t fileCount = 0; // F + 1, file 000 included
    // Volume folders only: the runs in order, and each volume's folder name.
    std::vector<FileRun> runs;
    std::vector<std::string> volumeFolderNames;
    // Files (ascending) whose path an earlier file of the run has already.
    std::vector<std::int32_t> repeatedPaths;
    // What the cleaning the options ask for removes and joins.
    TextCleanup cleanup;
};

// File F of the plan, 0 <= F < plan.fileCount.
PlannedFile PlannedFileAt(const OutputPlan& plan, std::int32_t fileNumber);

// output folder / folder / name.
std::filesystem::path PathOf(const OutputPlan& plan, const PlannedFile& file);

// The plan for writing an analysis with these marks and options. Nothing on
// disk changes. Returns nothing when the folder text is empty (a silent stop).
// Throws EngineError: "无此文件!", "源文件已改变，请重新分析!",
// "排除全部条件，无法分割!", "无法读取文件: ...".
std::optional<OutputPlan> PlanOutput(const AnalysisResult& analysis,
                                     const std::vector<bool>& checked,
                                     const OutputOptions& options);

} // namespace lumarin::engine
