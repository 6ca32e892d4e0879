// SPDX-License-Identifier: MIT
#include "engine/source/BlockReader.h"

#include "engine/base/EngineError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace lumarin::engine {

BlockReader::BlockReader(SourceFile& file, Encoding encoding, std::size_t blockSize)
    : m_file(file), m_encoding(encoding), m_capacity(blockSize < 16 ? 16 : blockSize),
      // Every byte is read into before it is looked at: a megabyte zeroed for
      // each reader (several a book, each book of a batch) would be work for nothing.
      m_buffer(std::make_unique_for_overwrite<char[]>(m_capacity)) {}

bool BlockReader::fill() {
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_capacity) { // a line longer than a block
        if (m_capacity >= kMaxLineBytes)
            throw EngineError::readFailed(m_file.path().string(),
                                          "a line longer than " +
                                              std::to_string(kMaxLineBytes >> 20) + " MiB");
        const std::size_t grown = std::min(m_capacity * 2, kMaxLineBytes);
        auto larger = std::make_unique_for_overwrite<char[]>(grown);
        std::memcpy(larger.get(), m_buffer.get(), m_end);
        m_buffer = std::move(larger);
        m_capacity = grown;
    }
    const std::size_t got = m_file.read(m_buffer.get() + m_end, m_capacity - m_end);
    m_end += got;
    m_eof = got == 0;
    return got > 0;
}

std::size_t BlockReader::lastLineEnd(std::size_t from) const {
    const std::size_t unit = UnitBytes(m_encoding);
    const bool bigEndian = IsBigEndian(m_encoding);
    const std::size_t end = from + (m_end - from) / unit * unit;
    const auto unitAt = [&](std::size_t pos) -> char16_t {
        if (unit == 1) return static_cast<unsigned char>(m_buffer[pos]);
        const auto a = static_cast<unsigned char>(m_buffer[pos]);
        const auto b = static_cast<unsigned char>(m_buffer[pos + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (std::size_t pos = end; pos > from; pos -= unit) {
        const char16_t c = unitAt(pos - unit);
        if (c == u'\n') return pos;
        // A CR at the very end may still be followed by the LF of a CR LF pair.
        if (c == u'\r' && pos != end) return pos;
    }
    return from;
}

bool BlockReader::next(std::string_view& block) {
    if (!m_started) {
        m_started = true;
        const std::string_view bom = ByteOrderMark(m_encoding);
        while (!m_eof && m_end - m_begin < bom.size())
            fill();
        if (std::string_view(m_buffer.get() + m_begin, m_end - m_begin).starts_with(bom))
            m_begin += bom.size();
    }
    for (;;) {
        if (m_eof) {
            if (m_begin == m_end) return false;
            block = std::string_view(m_buffer.get() + m_begin, m_end - m_begin);
            m_begin = m_end;
            return true;
        }
        const std::size_t end = lastLineEnd(m_begin);
        if (end > m_begin) {
            block = std::string_view(m_buffer.get() + m_begin, end - m_begin);
            m_begin = end;
            return true;
        }
        fill();
    }
}

} // namespace lumarin::engine
