// SPDX-License-Identifier: MIT
#pragma once

#include "cli/SourceList.h"
#include "engine/run/RunRequest.h"

#include <vector>

namespace lumarin::cli {

// Two books of one batch must never write the same output: the same name in two folders under
// one -o, "a.txt" beside "a.TXT", or one book named twice would otherwise overwrite or mix each
// other's chapters (or book) whatever --existing says. Before anything is written, each book
// whose chapter folder or book an earlier book of the batch already writes becomes a failed
// entry, "与 PATH 的输出相同" naming that earlier book. Two spellings of one place (a link to a
// folder, "./") are one place.
void RefuseSharedOutputs(std::vector<SourceEntry>& books, const engine::RunRequest& run);

} // namespace lumarin::cli
