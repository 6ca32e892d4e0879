#pragma once

#include "engine/Analyzer.h"
#include "engine/EncodingChoice.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct OutputOptions {
    std::u16string folderText = u"(default)"; // trimmed of U+0020 by the writer
    std::u16string namePattern = u"%n-%c%s";
    std::int32_t chaptersPerFile = 1; // N; below 1 reads as 1
    std::int32_t filesPerFolder = 50; // P; 0 for no group folders
    bool deleteBlankLines = true;
    bool toSimplified = false;
    std::vector<std::u16string> filters; // removed from every line, in order
    OutputEncodingChoice encoding = OutputEncodingChoice::Source;
};

// The filter box's text split at every CR LF; empty pieces dropped.
std::vector<std::u16string> SplitFilterText(std::u16string_view text);

struct FileProgress {
    std::int32_t fileNumber = 0; // F
    int percent = 0;             // start line of the file's first chapter * 100 / (lines + 1)
    std::filesystem::path path;
};

struct OutputCallbacks {
    // Called when a file is opened, before its first line.
    std::function<void(const FileProgress&)> onFileStarted;
    // Called every 1024 source lines and at each new file, so a window can let
    // pending events run (it may want to throttle further by time).
    std::function<void()> yield;
};

struct OutputResult {
    std::int32_t fileCount = 0; // F + 1, file 000 included
    std::filesystem::path outputFolder;
};

// Writes the chapter files of an analysis. `checked` holds the current marks,
// one per row. Returns nothing when the folder text is empty (a silent stop).
// Throws EngineError: "无此文件!", "源文件已改变，请重新分析!",
// "排除全部条件，无法分割!", "无法读取文件: ...", "无法写入: ...".
std::optional<OutputResult> WriteOutput(const AnalysisResult& analysis,
                                        const std::vector<bool>& checked,
                                        const OutputOptions& options,
                                        const OutputCallbacks& callbacks = {});

} // namespace lumarin::engine
