// SPDX-License-Identifier: MIT
#pragma once

#include "engine/output/OutputPlan.h"

#include <cstdint>
#include <filesystem>

namespace lumarin::engine {

// Makes the folder the user chose, with its missing parents, following links
// (the user named it), and opens it; the caller closes the descriptor. A
// failure throws EngineError "无法写入: " + shown + ": " + reason.
int MakeChosenFolder(const std::filesystem::path& folder, const std::filesystem::path& shown);

// The folders of a plan on disk. The chosen folder is made (with its
// parents) and entered as named, links and all: the user named it. Below
// it nothing is followed: the output folder and the group folders are made
// and opened relative to their parent's descriptor, and a link where one of
// them goes is refused. The output folder is locked (an advisory lock) for
// as long as this lives: another run into it is refused with EngineError
// "另一个输出正在写入: " + folder. Every other failure throws "无法写入: ...".
class OutputDirectory {
public:
    explicit OutputDirectory(const OutputPlan& plan);
    ~OutputDirectory();
    OutputDirectory(const OutputDirectory&) = delete;
    OutputDirectory& operator=(const OutputDirectory&) = delete;

    // The descriptor of the folder `file` goes into, made when missing.
    int folderFor(const PlannedFile& file);

private:
    const OutputPlan& m_plan;
    int m_output = -1;
    int m_group = -1;
    std::int32_t m_groupNumber = -1;
};

} // namespace lumarin::engine
