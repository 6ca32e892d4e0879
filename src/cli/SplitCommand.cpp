// SPDX-License-Identifier: MIT
#include "cli/SplitCommand.h"

#include "cli/BatchRun.h"
#include "cli/ChapterListPrinter.h"
#include "cli/Interruption.h"
#include "cli/ProgressBar.h"
#include "cli/RowRanges.h"
#include "cli/RuleListPrinter.h"
#include "cli/SourceList.h"
#include "cli/SplitOptions.h"
#include "cli/TocFile.h"
#include "engine/base/EngineError.h"
#include "engine/base/ExitCode.h"
#include "engine/base/FailureReport.h"
#include "engine/base/TextUtil.h"
#include "engine/cleanup/TextCleanup.h"
#include "engine/headings/ReviewFile.h"
#include "engine/run/RunRequest.h"
#include "engine/source/SourceChecksum.h"

#include <cstdio>
#include <cstring>
#include <iostream>

namespace lumarin::cli {

namespace {

using engine::ExitCode;

int Status(ExitCode code) {
    return static_cast<int>(code);
}

// The result on stdout is part of the run: a failed write there is a write failure too.
int StatusAfterWritingStdout(const BookStreams& streams) {
    const int error = FlushAndCheck(streams.out);
    if (error == 0) return Status(ExitCode::Done);
    streams.err << engine::EngineError::writeFailed("stdout", std::strerror(error)).what() << '\n';
    return Status(ExitCode::IoFailure);
}

std::vector<bool> ChecksAfterOptions(const engine::AnalysisResult& analysis,
                                     const CommandLine& line) {
    std::vector<bool> checked = analysis.checked;
    for (const auto& rows : line.checkRows) {
        RowRanges::Parse(rows).ApplyTo(checked, true);
    }
    for (const auto& rows : line.uncheckRows) {
        RowRanges::Parse(rows).ApplyTo(checked, false);
    }
    return checked;
}

// Chapter files or a book, with the progress bar on stderr and the count on stdout.
int WriteFiles(const engine::AnalysisResult& analysis, const std::vector<bool>& checked,
               const CommandLine& line, BookCount book, const BookStreams& streams) {
    ProgressBar progress(stderr, !line.quiet && streams.progressBar, book);
    // An interruption stops the run at its next step, so that a book's temporary file goes.
    const InterruptionGuard interruptions;
    engine::OutputCallbacks callbacks;
    callbacks.onFileStarted = [&progress](const engine::FileProgress& file) {
        InterruptionGuard::check();
        progress.Show(file.percent, file.fileNumber);
    };
    callbacks.yield = [] { InterruptionGuard::check(); };
    const auto outcome = engine::WriteRunOutput(analysis, checked, line.run, callbacks);
    InterruptionGuard::check();
    progress.Clear();
    if (!outcome) {
        streams.err << "--output is empty\n";
        return Status(ExitCode::Usage);
    }
    streams.out << engine::ToUtf8(outcome->message) << '\n';
    return StatusAfterWritingStdout(streams);
}

// A table of contents is analysed as it was made: with its rule, else its condition.
void UseTocRule(const engine::ReviewFile& toc, engine::AnalysisRequest& request) {
    if (toc.rule) {
        request.rule = engine::FindRule(*toc.rule);
        if (request.rule == nullptr)
            throw engine::EngineError::invalidReview("没有名为“" + engine::ToUtf8(*toc.rule) +
                                                     "”的内置规则");
        request.automatic = false;
    } else if (!toc.condition.empty()) {
        request.rule = nullptr;
        request.automatic = false;
        request.condition = toc.condition;
    }
}

// The analysis becomes the table of contents' split: refused when the source
// is not the one the table was made of. Returns the check marks.
std::vector<bool> ApplyToc(const engine::ReviewFile& toc, engine::AnalysisResult& analysis) {
    engine::CheckReviewIsOf(toc, engine::SourceChecksum(analysis.m_strSource),
                            analysis.m_strSource);
    engine::Review review = engine::ReviewFromFile(analysis, toc);
    analysis = engine::ApplyEdits(analysis, review.edits);
    return std::move(review.checked);
}

int Run(const CommandLine& line, BookCount book, const BookStreams& streams) {
    if (line.rules) {
        PrintRules(streams.out, line.json);
        return StatusAfterWritingStdout(streams);
    }
    engine::RunRequest run = line.run;
    std::optional<engine::ReviewFile> toc;
    if (!line.toc.empty()) {
        try {
            toc = ReadTocFile(line.toc);
        } catch (const TocFileError& error) {
            streams.err << error.what() << '\n';
            return Status(ExitCode::Usage);
        }
        UseTocRule(*toc, run.analysis);
    }
    engine::AnalysisResult analysis = engine::AnalyzeRun(run);
    std::vector<bool> checked;
    if (toc) {
        checked = ApplyToc(*toc, analysis);
    } else {
        try {
            checked = ChecksAfterOptions(analysis, line);
        } catch (const RowRangesError& error) {
            streams.err << error.what() << '\n';
            return Status(ExitCode::Usage);
        }
    }
    if (!line.list) return WriteFiles(analysis, checked, line, book, streams);
    const bool clean = line.run.output.cleanup.clean;
    const engine::TextCleanup cleanup = engine::PlanCleanup(analysis, checked, {clean, false});
    const ChapterListPrinter printer(
        analysis, checked, line.nearMisses,
        line.json ? engine::SourceChecksum(analysis.m_strSource) : std::string{},
        clean ? &cleanup : nullptr);
    if (line.json) {
        printer.PrintJson(streams.out);
    } else {
        printer.PrintText(streams.out);
    }
    return StatusAfterWritingStdout(streams);
}

// What the command line offers after a refusal, where it has an answer: a book
// without headings is split by size.
std::string NextStep(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const engine::EngineError& error) {
        if (error.code() == engine::ErrorCode::NoHeadings)
            return "（按字数分割：--split-size N，例如 --split-size 5000）";
    } catch (...) {
    }
    return {};
}

// One book, its failure said on stderr and turned into the exit status. An interruption goes
// on up: the whole run ends by it.
int RunGuarded(const CommandLine& line, BookCount book, const BookStreams& streams) {
    try {
        return Run(line, book, streams);
    } catch (const Interrupted&) {
        throw;
    } catch (...) {
        const engine::FailureReport failure =
            engine::ReportFailure(std::current_exception(), engine::FailureSide::Writing);
        if (failure.foreign) streams.err << "lumarin-split: ";
        streams.err << engine::ToUtf8(failure.message) << NextStep(std::current_exception()) << '\n';
        return Status(failure.status);
    }
}

} // namespace

int RunSplitCommand(int argc, const char* const* argv) {
    const ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    if (!parsed.commandLine) {
        return parsed.exitStatus;
    }
    try {
        if (!parsed.commandLine->rules && NamesSeveralBooks(parsed.commandLine->sources)) {
            return RunBatch(*parsed.commandLine, RunGuarded);
        }
        return RunGuarded(*parsed.commandLine, {}, {std::cout, std::cerr});
    } catch (const Interrupted& interrupted) {
        EndBySignal(interrupted.signal);
    }
}

} // namespace lumarin::cli
