// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/BlockReader.h"
#include "engine/source/LineBreaks.h"

#include <cstdint>
#include <string_view>

namespace lumarin::engine {

using LineNumber = std::int64_t;

// One line of the source: its 1-based number and its bytes without the line
// end. `raw` stays valid until the next call of LineReader::next.
struct Line {
    LineNumber number = 0;
    std::string_view raw;
};

// Lines of a source, in order, with explicit numbers (blank lines count).
class LineReader {
public:
    explicit LineReader(BlockReader& blocks);

    bool next(Line& line);

    // Number of lines returned so far.
    LineNumber linesRead() const noexcept { return m_number; }

private:
    BlockReader& m_blocks;
    LineBreaks m_breaks;
    std::string_view m_block;
    std::size_t m_pos = 0;
    LineNumber m_number = 0;
};

} // namespace lumarin::engine
