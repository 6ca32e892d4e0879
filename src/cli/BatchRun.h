// SPDX-License-Identifier: MIT
#pragma once

#include "cli/ProgressBar.h"
#include "cli/SplitOptions.h"

#include <functional>

namespace lumarin::cli {

// Runs one book of a command line (line.run.source names it) and returns its exit status,
// having said any failure on stderr itself.
using BookRunner = std::function<int(const CommandLine&, BookCount)>;

// lumarin-split over several sources: every book in turn with the same options. A failure is
// said with the book's path and the run goes on; at the end one summary line ("3 本成功，1 本
// 失败", on stderr when listing so that stdout stays the list) and the exit status of the worst
// failure. In the text list and the split's messages a line "source<TAB>PATH" starts each
// book; --list --json prints each book's object on its own line (JSON Lines).
int RunBatch(const CommandLine& line, const BookRunner& runBook);

} // namespace lumarin::cli
