#pragma once

#include "engine/output/OutputPlan.h"

#include <cstdint>

namespace lumarin::engine {

// The folders of a plan on disk. The chosen folder is made (with its
// parents) and entered as named, links and all: the user named it. Below
// it nothing is followed: the output folder and the group folders are made
// and opened relative to their parent's descriptor, and a link where one of
// them goes is refused. Every failure throws EngineError "无法写入: ...".
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
