// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ReplacedCharacters.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/OutputPlan.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct FileProgress {
    std::int32_t fileNumber = 0; // F
    int percent = 0;             // start line of the file's first chapter * 100 / (lines + 1)
    std::filesystem::path path;
};

// Thrown by a callback to stop a run at once: the file being written is
// taken back (removed, or cut back to what it held before), the files
// finished before it stay, and the exception goes on to the caller.
struct OutputCancelled {};

struct OutputCallbacks {
    // Called when a file is opened, before its first line.
    std::function<void(const FileProgress&)> onFileStarted;
    // Called every 1024 source lines and at each new file, so a window can let
    // pending events run (it may want to throttle further by time).
    std::function<void()> yield;
};

struct OutputResult {
    std::int32_t fileCount = 0; // files written, file 000 included; a repeated path counts once
    std::filesystem::path outputFolder;
    ReplacedCharacters replaced; // characters written as U+FFFD, by what they were
    std::int64_t removedLines = 0; // by the cleaning the options asked for
};

// "处理完毕！共N个文件！", then the ReplacementNote of what became U+FFFD.
std::u16string OutputDoneMessage(const OutputResult& result);

// Writes the files of a plan, treating files already there as
// plan.options.existing says. Before anything is written it refuses a plan
// that would write to the source, through a link or (Refuse) over a file.
// While it copies, the source must still hold the lines analysed. Throws
// EngineError: "源文件已改变，请重新分析!", "输出文件已存在: ...",
// "无法读取文件: ...", "无法写入: ...".
OutputResult WriteOutput(const OutputPlan& plan, const OutputCallbacks& callbacks = {});

// Plans and writes in one step. Returns nothing when the folder text is
// empty (a silent stop); throws what PlanOutput and the writer throw.
std::optional<OutputResult> WriteOutput(const AnalysisResult& analysis,
                                        const std::vector<bool>& checked,
                                        const OutputOptions& options,
                                        const OutputCallbacks& callbacks = {});

} // namespace lumarin::engine
