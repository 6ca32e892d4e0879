// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"
#include "engine/source/SourceFile.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace lumarin::engine {

// Reads a source in large blocks that always end right after a line end (or
// at the end of the file), so a block holds whole lines only. The byte order
// mark is skipped. Memory stays at one block, plus the longest line when a
// line is longer than a block; a line that does not fit in kMaxLineBytes
// (line end included) throws EngineError "无法读取文件: ...".
class BlockReader {
public:
    static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 20;
    // A source without line ends (a binary file) would otherwise be held whole.
    static constexpr std::size_t kMaxLineBytes = std::size_t{64} << 20;

    BlockReader(SourceFile& file, Encoding encoding, std::size_t blockSize = kDefaultBlockSize);

    // The next block of whole lines, terminators included. False at the end.
    // The view stays valid until the next call.
    bool next(std::string_view& block);

    Encoding encoding() const noexcept { return m_encoding; }

private:
    bool fill();
    std::size_t lastLineEnd(std::size_t from) const;

    SourceFile& m_file;
    Encoding m_encoding;
    std::size_t m_capacity;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_begin = 0; // start of unread bytes in m_buffer
    std::size_t m_end = 0;   // end of valid bytes in m_buffer
    bool m_eof = false;
    bool m_started = false;
};

} // namespace lumarin::engine
