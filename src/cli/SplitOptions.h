// SPDX-License-Identifier: MIT
#pragma once

#include "engine/run/RunRequest.h"

#include <optional>
#include <string>
#include <vector>

namespace lumarin::cli {

// The command line read: the run in the engine's own values, and what only the
// command line does around it.
struct CommandLine {
    engine::RunRequest run;           // run.source: the first book (BatchRun sets each in turn)
    std::vector<std::string> sources; // as given: files and folders standing for their books
    bool recursive = false;           // a folder's sub-folders too
    unsigned jobs = 1;                // books split side by side in a batch
    // Row ranges as typed ("3,5-7"): they are read against the analysis, so a
    // missing source is said before a bad range.
    std::vector<std::string> checkRows;
    std::vector<std::string> uncheckRows;
    std::string toc; // a reviewed chapter list (--list --json's shape) to split by
    bool list = false;
    bool json = false;
    bool nearMisses = false;
    bool rules = false; // print the built-in rules instead of reading a source
    bool quiet = false;
};

// Outcome of reading the command line: either a run, or an exit status for
// --help (0) and for usage errors (2), whose text has already been printed.
struct ParsedCommandLine {
    std::optional<CommandLine> commandLine;
    int exitStatus = 0;
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

} // namespace lumarin::cli
