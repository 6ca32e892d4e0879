// SPDX-License-Identifier: MIT
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
#include "engine/output/SizeParts.h"
#include "engine/source/BookFiles.h"
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

// The run that file F > 0 belongs to (volume folders only).
const FileRun& RunOf(const OutputPlan& plan, std::int32_t fileNumber) {
    const auto after =
        std::upper_bound(plan.runs.begin(), plan.runs.end(), fileNumber,
                         [](std::int32_t f, const FileRun& run) { return f < run.firstFile; });
    return *(after - 1);
}

// File F > 0 starts at entry (F - 1) * N + 1, counted from its run's start
// with volume folders; file 0 holds the front matter.
std::int32_t FirstEntryOf(const OutputPlan& plan, std::int32_t fileNumber) {
    if (fileNumber == 0) return 0;
    if (plan.runs.empty()) return (fileNumber - 1) * ChaptersPerFile(plan) + 1;
    const FileRun& run = RunOf(plan, fileNumber);
    return run.firstEntry + (fileNumber - run.firstFile) * ChaptersPerFile(plan);
}

// The last entry file F > 0 holds.
std::int32_t LastEntryOf(const OutputPlan& plan, std::int32_t fileNumber) {
    std::int64_t end = plan.selection.m_lngSelected;
    if (!plan.runs.empty()) {
        const FileRun& run = RunOf(plan, fileNumber);
        if (&run != &plan.runs.back()) end = (&run + 1)->firstEntry - 1;
    }
    return static_cast<std::int32_t>(std::min<std::int64_t>(
        std::int64_t{FirstEntryOf(plan, fileNumber)} + ChaptersPerFile(plan) - 1, end));
}

// "01-第一卷 风起": the volume's place and its line, cleaned as file names are.
std::string VolumeFolderName(std::size_t index, std::u16string_view title) {
    std::u16string number = ToU16Decimal(static_cast<long long>(index) + 1);
    if (number.size() < 2) number.insert(0, 2 - number.size(), u'0');
    std::string name =
        FileNameOnDisk(CleanFileName(number + u"-" + std::u16string(title)) + u".txt");
    return name.substr(0, name.size() - 4);
}

// Volume folders: the kept entries in runs of one folder each.
void PlanVolumeRuns(OutputPlan& plan, const AnalysisResult& analysis) {
    for (std::size_t v = 0; v < analysis.volumes.size(); ++v)
        plan.volumeFolderNames.push_back(VolumeFolderName(v, analysis.volumes[v].title));
    const OutputSelection& selection = plan.selection;
    std::int32_t file = 1;
    for (std::int32_t e = 1; e <= selection.m_lngSelected; ++e) {
        const std::int32_t volume = selection.m_lngSelVolume[static_cast<std::size_t>(e)];
        if (plan.runs.empty() || plan.runs.back().volume != volume) {
            if (!plan.runs.empty()) {
                const std::int32_t length = e - plan.runs.back().firstEntry;
                file = plan.runs.back().firstFile +
                       (length + ChaptersPerFile(plan) - 1) / ChaptersPerFile(plan);
            }
            plan.runs.push_back({e, file, volume});
        }
    }
    const std::int32_t length = selection.m_lngSelected + 1 - plan.runs.back().firstEntry;
    plan.fileCount =
        plan.runs.back().firstFile + (length + ChaptersPerFile(plan) - 1) / ChaptersPerFile(plan);
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
                                                               SelectedTitle(selection, first))));
    if (fileNumber > 0 && !plan.runs.empty()) {
        file.group = RunOf(plan, fileNumber).volume;
        if (file.group >= 0)
            file.folder = plan.volumeFolderNames[static_cast<std::size_t>(file.group)];
    } else if (fileNumber > 0 && perFolder > 0) {
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

    OutputSelection selection = SelectForOutput(analysis, checked);
    if (options.splitSize > 0) {
        SourceFile source(analysis.m_strSource);
        CutBySize(selection, source, analysis.encoding, options.splitSize);
    }
    CheckSomethingSelected(analysis, selection);

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
    if (options.volumeFolders && !analysis.volumes.empty()) PlanVolumeRuns(plan, analysis);
    plan.repeatedPaths = RepeatedPaths(plan);
    plan.cleanup = PlanCleanup(analysis, checked, options.cleanup);
    return plan;
}

PlannedFile PlannedFileAt(const OutputPlan& plan, std::int32_t fileNumber) {
    const OutputSelection& selection = plan.selection;
    PlannedFile file = NameFile(plan, fileNumber);
    if (fileNumber > 0) file.lastEntry = LastEntryOf(plan, fileNumber);
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
