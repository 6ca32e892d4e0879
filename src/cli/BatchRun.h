// SPDX-License-Identifier: MIT
#pragma once

#include "cli/BookReport.h"
#include "cli/ProgressBar.h"
#include "cli/SplitOptions.h"

#include <functional>

namespace lumarin::cli {

// Runs one book of a command line (line.run.source names it), printing into `streams`, and
// returns its exit status, having said any failure itself.
using BookRunner = std::function<int(const CommandLine&, BookCount, const BookStreams&)>;

// lumarin-split over several sources: every book with the same options. Books that would write
// the same output are refused before anything is written. A failure is said with the book's
// path and the run goes on; at the end one summary line ("3 本成功，1 本失败", on stderr when
// listing so that stdout stays the list) and the exit status of the worst failure. In the text
// list and the split's messages a line "source<TAB>PATH" starts each book; --list --json
// prints each book's object on its own line (JSON Lines).
//
// With line.jobs above 1 the books run on that many threads; what each prints is held and
// shown in the books' order, so the lines, the summary and the status are a serial run's. On
// a terminal the bar then counts finished books. An interruption lets every running book stop
// (its temporary file removed) before the run ends by the signal.
int RunBatch(const CommandLine& line, const BookRunner& runBook);

} // namespace lumarin::cli
