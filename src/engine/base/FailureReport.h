// SPDX-License-Identifier: MIT
#pragma once
// What a failed run says and the status it ends with, whatever was thrown:
// the command line prints it and exits with the status, the window shows it
// in a warning box and carries on.

#include "engine/base/ExitCode.h"

#include <exception>
#include <string>
#include <string_view>

namespace lumarin::engine {

// What the failing run was doing: reading the source, writing the output, or
// neither (the list, the about window). It picks the message form and the path.
enum class FailureSide { Reading, Writing, Other };

struct FailureReport {
    std::u16string message;
    ExitCode status = ExitCode::IoFailure;
    // Not in the engine's form (no path to name): the bare reason, which a
    // front end may want to attribute.
    bool foreign = false;
};

// The engine's own message and kind for an EngineError. Anything else in the
// engine's form "无法读取文件: path: reason" or "无法写入: path: reason": the path
// is the file-system error's own, or else `subject` (the source, the output
// folder), which an Other run does not have; with no path, the reason alone.
FailureReport ReportFailure(const std::exception_ptr& failure, FailureSide side,
                            std::u16string_view subject = {});

} // namespace lumarin::engine
