// The plan follows the chapter pass rule for rule: a new file at entry 0, at
// every entry i with i mod N = 1 (every entry when N = 1), a new group folder
// whenever (F - 1) div P changes. Looking at the disk is a separate step
// (ExistingFileProbe), so the window can ask before anything is written.
#include "engine/output/OutputPlan.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/output/ChapterFile.h"
#include "engine/output/FileNaming.h"
#include "engine/output/OutputSelection.h"
#include "engine/source/SourceFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <sys/stat.h>
#include <tuple>

namespace lumarin::engine {
namespace {

std::int32_t ChaptersPerFile(const OutputPlan& plan) {
    return std::max(1, plan.options.chaptersPerFile);
}

// File F > 0 starts at entry (F - 1) * N + 1; file 0 holds the front matter.
std::int32_t FirstEntryOf(const OutputPlan& plan, std::int32_t fileNumber) {
    return fileNumber == 0 ? 0 : (fileNumber - 1) * ChaptersPerFile(plan) + 1;
}

// The name on disk and group folder of file F, without its lines.
PlannedFile NameFile(const OutputPlan& plan, std::int32_t fileNumber) {
    const OutputSelection& selection = plan.selection;
    const std::int32_t perFolder = std::max(0, plan.options.filesPerFolder);
    PlannedFile file;
    file.fileNumber = fileNumber;
    file.firstEntry = FirstEntryOf(plan, fileNumber);
    const auto first = static_cast<std::size_t>(file.firstEntry);
    file.name = FileNameOnDisk(CleanFileName(ExpandNamePattern(plan.options.namePattern, fileNumber,
                                                               selection.m_intSelNo[first],
                                                               selection.m_strSelTitle[first])));
    if (fileNumber > 0 && perFolder > 0) {
        file.group = (fileNumber - 1) / perFolder;
        const std::int32_t upper =
            GroupUpperNumber(file.group, perFolder, selection.m_lngSelected, ChaptersPerFile(plan));
        const std::int32_t groupEntry = FirstEntryOf(plan, file.group * perFolder + 1);
        file.folder =
            ToUtf8(GroupFolderName(file.group, perFolder, upper, selection.m_intSelNo[groupEntry]));
    }
    return file;
}

// Group folders are named by their first file number, so two files share a
// path exactly when they share group and name. Every key is hashed first;
// only files whose hash recurs are compared by name.
std::vector<std::int32_t> RepeatedPaths(const OutputPlan& plan) {
    const auto hashOf = [](const PlannedFile& file) {
        return std::hash<std::string>{}(file.name) ^
               (static_cast<std::size_t>(file.group + 1) * 0x9E3779B97F4A7C15ull);
    };
    std::vector<std::size_t> hashes;
    hashes.reserve(static_cast<std::size_t>(plan.fileCount));
    for (std::int32_t f = 0; f < plan.fileCount; ++f)
        hashes.push_back(hashOf(NameFile(plan, f)));
    std::sort(hashes.begin(), hashes.end());
    std::vector<std::size_t> recurring;
    for (std::size_t i = 1; i < hashes.size(); ++i) {
        if (hashes[i] == hashes[i - 1] && (recurring.empty() || recurring.back() != hashes[i]))
            recurring.push_back(hashes[i]);
    }
    hashes = {};
    if (recurring.empty()) return {};

    std::vector<PlannedFile> suspects;
    for (std::int32_t f = 0; f < plan.fileCount; ++f) {
        PlannedFile file = NameFile(plan, f);
        if (std::binary_search(recurring.begin(), recurring.end(), hashOf(file)))
            suspects.push_back(std::move(file));
    }
    std::stable_sort(suspects.begin(), suspects.end(), [](const auto& a, const auto& b) {
        return std::tie(a.group, a.name) < std::tie(b.group, b.name);
    });
    std::vector<std::int32_t> repeated;
    for (std::size_t i = 1; i < suspects.size(); ++i) {
        if (suspects[i].group == suspects[i - 1].group && suspects[i].name == suspects[i - 1].name)
            repeated.push_back(suspects[i].fileNumber);
    }
    std::sort(repeated.begin(), repeated.end());
    return repeated;
}

} // namespace

std::optional<OutputPlan> PlanOutput(const AnalysisResult& analysis,
                                     const std::vector<bool>& checked,
                                     const OutputOptions& options) {
    if (checked.size() != static_cast<std::size_t>(analysis.m_lngCount))
        throw std::invalid_argument("PlanOutput: one check mark per heading row expected");
    if (analysis.m_strSource.empty()) return std::nullopt;
    if (SourceFile(analysis.m_strSource).stamp() != analysis.stamp)
        throw EngineError::sourceChanged();
    const std::u16string_view folderText = TrimSpaces(options.folderText);
    if (folderText.empty()) return std::nullopt;

    OutputSelection selection = BuildSelection(analysis.table, checked);
    if (selection.m_lngSelected == 0) throw EngineError::allRowsChecked();

    OutputPlan plan;
    plan.source = analysis.m_strSource;
    plan.stamp = analysis.stamp;
    plan.encoding = analysis.encoding;
    plan.lineCount = analysis.lineCount;
    plan.options = options;
    plan.chosenFolder = ChosenFolderFor(analysis.m_strSource, folderText);
    plan.stem = FolderStem(analysis.m_strSource);
    plan.outputFolder = OutputFolderFor(analysis.m_strSource, folderText);
    plan.fileCount = 2 + (selection.m_lngSelected - 1) / ChaptersPerFile(plan); // 1 + ceil(S / N)
    plan.selection = std::move(selection);
    plan.repeatedPaths = RepeatedPaths(plan);
    plan.cleanup = PlanCleanup(analysis, checked, options.cleanup);
    return plan;
}

PlannedFile PlannedFileAt(const OutputPlan& plan, std::int32_t fileNumber) {
    const OutputSelection& selection = plan.selection;
    PlannedFile file = NameFile(plan, fileNumber);
    if (fileNumber > 0)
        file.lastEntry = static_cast<std::int32_t>(std::min<std::int64_t>(
            std::int64_t{file.firstEntry} + ChaptersPerFile(plan) - 1, selection.m_lngSelected));
    file.firstLine = selection.m_lngSelStart[static_cast<std::size_t>(file.firstEntry)];
    file.endLine = selection.m_lngSelStart[static_cast<std::size_t>(file.lastEntry) + 1];
    file.percent = static_cast<int>(file.firstLine * 100 / selection.m_lngSelStart.back());
    file.firstOpen =
        !std::binary_search(plan.repeatedPaths.begin(), plan.repeatedPaths.end(), fileNumber);
    return file;
}

std::filesystem::path PathOf(const OutputPlan& plan, const PlannedFile& file) {
    std::filesystem::path path = plan.outputFolder;
    if (!file.folder.empty()) path /= file.folder;
    return path /= file.name;
}

} // namespace lumarin::engine
