// SPDX-License-Identifier: MIT
#pragma once

namespace lumarin::cli {

// lumarin-split from the command line to the exit status: analyse, apply --check/--uncheck,
// then list or split. Messages go to stderr, the list and the final count to stdout.
int RunSplitCommand(int argc, const char* const* argv);

} // namespace lumarin::cli
