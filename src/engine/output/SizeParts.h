// SPDX-License-Identifier: MIT
#pragma once
// Parts by size: a kept chapter longer than the limit is cut at line ends
// (every line of a novel is a paragraph) into parts of at most the limit, or
// of one line when a single line is longer; a text without split points is
// cut the same way from its first line. A volume's line and preface, which
// open its first chapter's entry, are never cut: the chapter is cut from its
// heading on.

#include "engine/encoding/Encoding.h"
#include "engine/output/OutputSelection.h"
#include "engine/source/BlockReader.h"
#include "engine/source/SourceFile.h"

#include <cstdint>

namespace lumarin::engine {

// Reads the source once from its start (line ends not counted, as the
// chapter lengths are). `limit` > 0 characters; `blockSize` as BlockReader's.
void CutBySize(OutputSelection& selection, SourceFile& source, Encoding encoding,
               std::int64_t limit, std::size_t blockSize = BlockReader::kDefaultBlockSize);

} // namespace lumarin::engine
