// SPDX-License-Identifier: MIT
#include "engine/run/RunRequest.h"

#include "engine/base/TextUtil.h"
#include "engine/cleanup/TextCleanup.h"
#include "engine/output/FileNaming.h"

namespace lumarin::engine {
namespace {

// With cleaning, the message says on a line of its own how many lines went.
std::u16string RemovedLinesNote(const RunRequest& request, std::int64_t removed) {
    if (!request.output.cleanup.clean) return {};
    return u"\n" + RemovedLinesMessage(removed);
}

std::optional<std::filesystem::path> BookPathOf(const std::filesystem::path& source,
                                                const RunRequest& request) {
    if (!request.bookFile.empty()) return request.bookFile;
    const std::u16string_view folder = TrimSpaces(request.output.folderText);
    if (folder.empty()) return std::nullopt;
    return EpubPathFor(source, folder);
}

} // namespace

AnalysisResult AnalyzeRun(const RunRequest& request) {
    return Analyze(request.source, request.analysis);
}

std::optional<std::filesystem::path> BookPathFor(const AnalysisResult& analysis,
                                                 const RunRequest& request) {
    return BookPathOf(analysis.m_strSource, request);
}

std::optional<std::filesystem::path> OutputPathFor(const RunRequest& request) {
    if (request.format == OutputFormat::Book) return BookPathOf(request.source, request);
    const std::u16string_view folder = TrimSpaces(request.output.folderText);
    if (folder.empty()) return std::nullopt;
    return OutputFolderFor(request.source, folder);
}

std::u16string ChapterFilesDoneMessage(const RunRequest& request, const OutputResult& files) {
    return OutputDoneMessage(files) + RemovedLinesNote(request, files.removedLines);
}

std::optional<RunOutcome> WriteRunOutput(const AnalysisResult& analysis,
                                         const std::vector<bool>& checked,
                                         const RunRequest& request,
                                         const OutputCallbacks& callbacks) {
    if (request.format == OutputFormat::Book) {
        const auto target = BookPathFor(analysis, request);
        if (!target) return std::nullopt;
        const EpubResult book = WriteEpub(analysis, checked, request.output, *target, callbacks);
        return RunOutcome{book.path,
                          EpubDoneMessage(book) + RemovedLinesNote(request, book.removedLines)};
    }
    const auto files = WriteOutput(analysis, checked, request.output, callbacks);
    if (!files) return std::nullopt;
    return RunOutcome{files->outputFolder, ChapterFilesDoneMessage(request, *files)};
}

} // namespace lumarin::engine
