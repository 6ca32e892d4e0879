// SPDX-License-Identifier: MIT
#include "engine/source/LineReader.h"

namespace lumarin::engine {

LineReader::LineReader(BlockReader& blocks) : m_blocks(blocks), m_breaks(blocks.encoding()) {}

bool LineReader::next(Line& line) {
    if (m_pos >= m_block.size()) {
        if (!m_blocks.next(m_block)) return false;
        m_pos = 0;
    }
    const std::size_t end = m_breaks.findEnd(m_block, m_pos);
    line.raw = m_block.substr(m_pos, end - m_pos);
    line.number = ++m_number;
    m_pos = end < m_block.size() ? end + m_breaks.terminatorLength(m_block, end) : end;
    return true;
}

} // namespace lumarin::engine
