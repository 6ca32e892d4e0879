#include "SplitCommand.h"

#include "ChapterListPrinter.h"
#include "ExitCode.h"
#include "ProgressBar.h"
#include "RowRanges.h"
#include "RuleListPrinter.h"
#include "SplitOptions.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/cleanup/TextCleanup.h"
#include "engine/epub/EpubWriter.h"
#include "engine/headings/ChineseNumber.h"
#include "engine/output/FileNaming.h"
#include "engine/output/OutputWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string_view>

namespace lumarin::cli {

namespace {

int Status(ExitCode code) {
    return static_cast<int>(code);
}

// The result on stdout is part of the run: a failed write there is a write failure too.
int StatusAfterWritingStdout() {
    std::cout.flush();
    if (std::cout) {
        return Status(ExitCode::Done);
    }
    const int error = errno;
    std::cerr << engine::EngineError::writeFailed("stdout", std::strerror(error)).what() << '\n';
    return Status(ExitCode::IoFailure);
}

std::vector<bool> ChecksAfterOptions(const engine::AnalysisResult& analysis,
                                     const SplitOptions& options) {
    std::vector<bool> checked = analysis.checked;
    for (const auto& rows : options.checkRows) {
        RowRanges::Parse(rows).ApplyTo(checked, true);
    }
    for (const auto& rows : options.uncheckRows) {
        RowRanges::Parse(rows).ApplyTo(checked, false);
    }
    return checked;
}

engine::OutputOptions OutputOptionsFor(const SplitOptions& options) {
    engine::OutputOptions output;
    output.folderText = engine::FolderTextFromBytes(options.output);
    output.namePattern = engine::FromUtf8(options.pattern);
    output.chaptersPerFile = engine::ReadCountField(engine::FromUtf8(options.chaptersPerFile));
    output.filesPerFolder = engine::ReadCountField(engine::FromUtf8(options.filesPerFolder));
    output.deleteBlankLines = !options.keepBlankLines;
    output.toSimplified = options.simplified;
    output.encoding = *engine::ParseOutputEncodingChoice(options.outputEncoding);
    output.cleanup = {options.clean, options.unwrap};
    output.bookTitle = engine::FromUtf8(options.title);
    output.bookAuthor = engine::FromUtf8(options.author);
    output.cover = options.cover;
    output.existing = options.existing == "overwrite" ? engine::ExistingFiles::Overwrite
                      : options.existing == "append"  ? engine::ExistingFiles::Append
                                                      : engine::ExistingFiles::Refuse;
    // Each -f is one filter; the engine's own splitting drops the empty ones, as the window does.
    for (const auto& filter : options.filters) {
        for (auto& piece : engine::SplitFilterText(engine::FromUtf8(filter))) {
            output.filters.push_back(std::move(piece));
        }
    }
    return output;
}

int Split(const engine::AnalysisResult& analysis, const std::vector<bool>& checked,
          const SplitOptions& options) {
    ProgressBar progress(stderr, !options.quiet);
    engine::OutputCallbacks callbacks;
    callbacks.onFileStarted = [&progress](const engine::FileProgress& file) {
        progress.Show(file.percent, file.fileNumber);
    };
    const auto result =
        engine::WriteOutput(analysis, checked, OutputOptionsFor(options), callbacks);
    progress.Clear();
    if (!result) {
        std::cerr << "--output is empty\n";
        return Status(ExitCode::Usage);
    }
    std::cout << "处理完毕！共" << result->fileCount << "个文件！\n";
    if (options.clean)
        std::cout << engine::ToUtf8(engine::RemovedLinesMessage(result->removedLines)) << '\n';
    return StatusAfterWritingStdout();
}

int WriteBook(const engine::AnalysisResult& analysis, const std::vector<bool>& checked,
              const SplitOptions& options) {
    const engine::OutputOptions output = OutputOptionsFor(options);
    if (engine::TrimSpaces(output.folderText).empty() && options.epubFile.empty()) {
        std::cerr << "--output is empty\n";
        return Status(ExitCode::Usage);
    }
    const std::filesystem::path target =
        options.epubFile.empty()
            ? engine::EpubPathFor(analysis.m_strSource, engine::TrimSpaces(output.folderText))
            : std::filesystem::path(options.epubFile);
    ProgressBar progress(stderr, !options.quiet);
    engine::OutputCallbacks callbacks;
    callbacks.onFileStarted = [&progress](const engine::FileProgress& file) {
        progress.Show(file.percent, file.fileNumber);
    };
    const engine::EpubResult result =
        engine::WriteEpub(analysis, checked, output, target, callbacks);
    progress.Clear();
    std::cout << engine::ToUtf8(engine::EpubDoneMessage(result)) << '\n';
    if (options.clean)
        std::cout << engine::ToUtf8(engine::RemovedLinesMessage(result.removedLines)) << '\n';
    return StatusAfterWritingStdout();
}

// The condition "auto" chooses among the built-in rules.
constexpr std::string_view kAutomaticCondition = "auto";

int Run(const SplitOptions& options) {
    if (options.rules) {
        PrintRules(std::cout, options.json);
        return StatusAfterWritingStdout();
    }
    engine::AnalysisRequest request;
    request.condition = engine::FromUtf8(options.condition);
    request.automatic = options.rule.empty() && options.condition == kAutomaticCondition;
    if (!options.rule.empty()) {
        request.rule = engine::FindRule(engine::FromUtf8(options.rule));
        if (request.rule == nullptr) {
            std::cerr << "--rule: no built-in rule named " << options.rule
                      << " (lumarin-split --rules lists them)\n";
            return Status(ExitCode::Usage);
        }
    }
    request.measureChapters = options.list && options.json;
    request.nearMisses = options.list && options.nearMisses;
    request.encoding = *engine::ParseInputEncodingChoice(options.encoding);
    const engine::AnalysisResult analysis =
        engine::Analyze(std::filesystem::path(options.source), request);
    std::vector<bool> checked;
    try {
        checked = ChecksAfterOptions(analysis, options);
    } catch (const RowRangesError& error) {
        std::cerr << error.what() << '\n';
        return Status(ExitCode::Usage);
    }
    if (!options.list) {
        return options.epub ? WriteBook(analysis, checked, options)
                            : Split(analysis, checked, options);
    }
    const engine::TextCleanup cleanup =
        engine::PlanCleanup(analysis, checked, {options.clean, false});
    const ChapterListPrinter printer(analysis, checked, options.nearMisses,
                                     options.clean ? &cleanup : nullptr);
    if (options.json) {
        printer.PrintJson(std::cout);
    } else {
        printer.PrintText(std::cout);
    }
    return StatusAfterWritingStdout();
}

} // namespace

int RunSplitCommand(int argc, const char* const* argv) {
    const ParsedCommandLine parsed =
        ParseCommandLine(argc, argv, engine::ToUtf8(engine::kDefaultCondition));
    if (!parsed.options) {
        return parsed.exitStatus;
    }
    try {
        return Run(*parsed.options);
    } catch (const engine::EngineError& error) {
        std::cerr << error.what() << '\n';
        return static_cast<int>(error.kind());
    } catch (const std::filesystem::filesystem_error& error) {
        // Said in the engine's words, never the library's.
        std::cerr << engine::EngineError::writeFailed(error.path1().string(),
                                                      error.code().message())
                         .what()
                  << '\n';
        return Status(ExitCode::IoFailure);
    } catch (const std::exception& error) {
        std::cerr << "lumarin-split: " << error.what() << '\n';
        return Status(ExitCode::IoFailure);
    }
}

} // namespace lumarin::cli
