#include "SourceList.h"

#include "ExitCode.h"
#include "engine/base/EngineError.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <system_error>

namespace lumarin::cli {

namespace fs = std::filesystem;

namespace {

bool IsFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

// ".txt" in any letter case, as the window takes a drop. A folder named "x.txt" is no book.
bool IsTextFile(const fs::directory_entry& entry) {
    std::string ending = entry.path().extension().string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::error_code ignored;
    return ending == ".txt" && !entry.is_directory(ignored);
}

SourceEntry FolderFailure(const fs::path& folder, const std::error_code& error) {
    return {folder, engine::EngineError::readFailed(folder.string(), error.message()).what(),
            static_cast<int>(ExitCode::IoFailure)};
}

// The .txt files of one folder, and of its sub-folders when recursive; a sub-folder that cannot
// be listed is a failure of its own, so the books around it still run.
void CollectFolder(const fs::path& folder, bool recursive, std::vector<fs::path>& files,
                   std::vector<SourceEntry>& failures) {
    std::error_code error;
    std::vector<fs::path> subfolders;
    fs::directory_iterator it(folder, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (IsTextFile(*it)) {
            files.push_back(it->path());
        } else if (recursive && it->is_directory(ignored) && !it->is_symlink(ignored)) {
            subfolders.push_back(it->path());
        }
    }
    if (error) {
        failures.push_back(FolderFailure(folder, error));
        return;
    }
    for (const fs::path& subfolder : subfolders) {
        CollectFolder(subfolder, recursive, files, failures);
    }
}

void AddFolder(const fs::path& folder, bool recursive, std::vector<SourceEntry>& entries) {
    std::vector<fs::path> files;
    std::vector<SourceEntry> failures;
    CollectFolder(folder, recursive, files, failures);
    if (files.empty() && failures.empty()) {
        entries.push_back({folder, "文件夹中没有 .txt 文件: " + folder.string(),
                           static_cast<int>(ExitCode::Refused)});
        return;
    }
    std::sort(files.begin(), files.end());
    for (auto& file : files) {
        entries.push_back({std::move(file), {}, 0});
    }
    std::move(failures.begin(), failures.end(), std::back_inserter(entries));
}

} // namespace

std::vector<SourceEntry> ExpandSources(const std::vector<std::string>& sources, bool recursive) {
    std::vector<SourceEntry> entries;
    for (const std::string& source : sources) {
        if (IsFolder(source)) {
            AddFolder(source, recursive, entries);
        } else {
            entries.push_back({source, {}, 0});
        }
    }
    return entries;
}

bool NamesSeveralBooks(const std::vector<std::string>& sources) {
    return sources.size() > 1 || std::any_of(sources.begin(), sources.end(),
                                             [](const std::string& s) { return IsFolder(s); });
}

} // namespace lumarin::cli
