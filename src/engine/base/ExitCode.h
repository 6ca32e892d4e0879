// SPDX-License-Identifier: MIT
#pragma once

namespace lumarin::engine {

// The process exit status of a run; scripts rely on these numbers.
enum class ExitCode : int {
    Done = 0,
    Refused = 1, // the program's own rules said no (no file, all rows checked, bad condition ...)
    Usage = 2,
    IoFailure = 3, // a read or a write failed
};

} // namespace lumarin::engine
