// The plan follows the chapter pass rule for rule: a new file at entry 0, at
// every entry i with i mod N = 1 (every entry when N = 1), a new group folder
// whenever (F - 1) div P changes. Looking at the disk is a separate step, so
// the window can ask about existing files before anything is written.
#include "engine/OutputPlan.h"

#include "engine/EngineError.h"
#include "engine/FileNaming.h"
#include "engine/OutputSelection.h"
#include "engine/SourceFile.h"
#include "engine/TextUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <set>
#include <stdexcept>
#include <sys/stat.h>

namespace lumarin::engine {
namespace {

class Planner {
public:
    Planner(const OutputSelection& selection, OutputPlan& plan)
        : m_selection(selection), m_plan(plan),
          m_chaptersPerFile(std::max(1, plan.options.chaptersPerFile)),
          m_filesPerFolder(std::max(0, plan.options.filesPerFolder)) {}

    void run() {
        const std::int32_t selected = m_selection.m_lngSelected;
        for (std::int32_t i = 0; i <= selected; ++i) {
            if (i == 0 || i % m_chaptersPerFile == 1 || m_chaptersPerFile == 1) startFile(i);
            PlannedFile& file = m_plan.files.back();
            file.lastEntry = i;
            file.endLine = m_selection.m_lngSelStart[static_cast<std::size_t>(i) + 1];
        }
    }

private:
    void startFile(std::int32_t i) {
        if (i > 0) ++m_fileNumber;
        if (i > 0 && m_filesPerFolder > 0) enterGroupFolder(i);
        PlannedFile file;
        file.fileNumber = m_fileNumber;
        file.firstEntry = i;
        file.firstLine = m_selection.m_lngSelStart[i];
        const LineNumber end = m_selection.m_lngSelStart.back();
        file.percent = static_cast<int>(file.firstLine * 100 / end);
        file.folder = m_folder;
        file.name = FileNameOnDisk(CleanFileName(
            ExpandNamePattern(m_plan.options.namePattern, m_fileNumber, m_selection.m_intSelNo[i],
                              m_selection.m_strSelTitle[i])));
        file.path = m_plan.outputFolder;
        if (!file.folder.empty()) file.path /= file.folder;
        file.path /= file.name;
        file.firstOpen = m_paths.insert(file.path.string()).second;
        m_plan.files.push_back(std::move(file));
    }

    void enterGroupFolder(std::int32_t i) {
        const std::int32_t group = (m_fileNumber - 1) / m_filesPerFolder;
        if (group == m_group) return;
        m_group = group;
        const std::int32_t upper =
            GroupUpperNumber(group, m_filesPerFolder, m_selection.m_lngSelected, m_chaptersPerFile);
        m_folder =
            ToUtf8(GroupFolderName(group, m_filesPerFolder, upper, m_selection.m_intSelNo[i]));
    }

    const OutputSelection& m_selection;
    OutputPlan& m_plan;
    std::int32_t m_chaptersPerFile;
    std::int32_t m_filesPerFolder;
    std::int32_t m_fileNumber = 0;
    std::int32_t m_group = -1;
    std::string m_folder;
    std::set<std::string> m_paths;
};

enum class Presence { Missing, Folder, File, Link };

// What is at `path`, without following a link in its last part.
Presence Look(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return Presence::Missing;
        throw EngineError::writeFailed(path.string(), std::strerror(errno));
    }
    if (S_ISLNK(info.st_mode)) return Presence::Link;
    return S_ISDIR(info.st_mode) ? Presence::Folder : Presence::File;
}

// Whether a folder of the plan can be entered: missing (made later) or a real folder.
bool FolderExists(const std::filesystem::path& folder) {
    switch (Look(folder)) {
    case Presence::Missing:
        return false;
    case Presence::Folder:
        return true;
    case Presence::Link:
        throw EngineError::symbolicLink(folder.string());
    case Presence::File:
        break;
    }
    throw EngineError::writeFailed(folder.string(), std::strerror(ENOTDIR));
}

// Whatever way a planned path reaches it (links included), it must not be the source.
void RefuseTheSource(const OutputPlan& plan) {
    for (const PlannedFile& file : plan.files) {
        struct stat info {};
        if (file.firstOpen && ::stat(file.path.c_str(), &info) == 0 &&
            plan.stamp.sameFile(info.st_dev, info.st_ino))
            throw EngineError::writesToSource(file.path.string());
    }
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

    const OutputSelection selection = BuildSelection(analysis.table, checked);
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
    Planner(selection, plan).run();
    return plan;
}

std::vector<ExistingFile> FindExistingFiles(const OutputPlan& plan) {
    RefuseTheSource(plan);
    std::vector<ExistingFile> found;
    if (!FolderExists(plan.outputFolder)) return found;
    std::map<std::string, bool> folders; // group folder name -> exists
    for (const PlannedFile& file : plan.files) {
        if (!file.folder.empty()) {
            auto [at, added] = folders.try_emplace(file.folder, false);
            if (added) at->second = FolderExists(plan.outputFolder / file.folder);
            if (!at->second) continue;
        }
        if (!file.firstOpen) continue;
        const Presence presence = Look(file.path);
        if (presence != Presence::Missing) found.push_back({file.path, presence == Presence::Link});
    }
    return found;
}

} // namespace lumarin::engine
