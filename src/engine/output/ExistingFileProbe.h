// SPDX-License-Identifier: MIT
#pragma once

#include "engine/output/OutputPlan.h"

#include <cstdint>
#include <vector>

namespace lumarin::engine {

// A planned file that is on disk already (a symbolic link counts).
struct ExistingFile {
    enum class Kind {
        File,
        SymbolicLink,
        HardLink, // a file that has another name too: writing to it changes that one
    };
    std::int32_t fileNumber = 0;
    Kind kind = Kind::File;
};

// The planned files that exist now, each once, in writing order. Throws
// EngineError when the plan cannot be written whatever the mode: a planned
// file that is the source ("无法写入: path: is the source file"), or a link or
// a file where a folder of the plan goes ("无法写入: path: ...").
std::vector<ExistingFile> FindExistingFiles(const OutputPlan& plan);

} // namespace lumarin::engine
