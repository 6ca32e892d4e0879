// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarin::engine {

// Line ends are CR LF, a lone CR and a lone LF (code units 0x000D / 0x000A in
// UTF-16). None of them can occur inside a multi-byte character of the byte
// encodings, so the byte encodings are searched byte-wise.
// Calls onLineFeed(position) for every LF in `bytes`, left to right; 64
// bytes are compared at a time.
template <typename OnLineFeed>
void ForEachLineFeed(std::string_view bytes, OnLineFeed&& onLineFeed) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 64 <= n; i += 64) {
        std::uint64_t mask = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * k));
            mask |= static_cast<std::uint64_t>(
                        static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
                    << (16 * k);
        }
        for (; mask != 0; mask &= mask - 1)
            onLineFeed(i + static_cast<std::size_t>(__builtin_ctzll(mask)));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\n') onLineFeed(i);
}

class LineBreaks {
public:
    explicit LineBreaks(Encoding encoding);

    // Number of line ends in `bytes`. A CR at the very end counts as a whole
    // line end (callers pass blocks that never split a CR LF pair).
    std::size_t count(std::string_view bytes) const;

    // Position of the first line end at or after `from`, or bytes.size().
    std::size_t findEnd(std::string_view bytes, std::size_t from) const;

    // Length of the line end at `pos` (1 or 2 bytes, 2 or 4 in UTF-16).
    std::size_t terminatorLength(std::string_view bytes, std::size_t pos) const;

    // Whether every line end in `bytes` (a byte encoding) is an LF or a CR LF,
    // so that lines can be found by their LF alone.
    bool endsOnLineFeed(std::string_view bytes) const;

    // Start of the line holding position `pos` (searching back to 0).
    std::size_t findStart(std::string_view bytes, std::size_t pos) const;

private:
    bool isBreakAt(std::string_view bytes, std::size_t pos) const;
    bool isUnit(std::string_view bytes, std::size_t pos, char16_t unit) const;

    std::size_t m_unit = 1;
    bool m_bigEndian = false;
};

// Calls onLine(raw) for every line of `block` (whole lines, as BlockReader
// gives them), line ends left off: the same lines LineReader gives, found by
// their LFs alone when the block allows (a call per line costs more than
// finding its end).
template <typename OnLine>
void ForEachLineOf(const LineBreaks& breaks, std::string_view block, OnLine&& onLine) {
    if (breaks.endsOnLineFeed(block)) {
        std::size_t start = 0;
        ForEachLineFeed(block, [&](std::size_t lf) {
            std::size_t end = lf;
            if (end > start && block[end - 1] == '\r') --end;
            onLine(block.substr(start, end - start));
            start = lf + 1;
        });
        if (start < block.size()) onLine(block.substr(start)); // no line end
        return;
    }
    for (std::size_t pos = 0; pos < block.size();) {
        const std::size_t end = breaks.findEnd(block, pos);
        onLine(block.substr(pos, end - pos));
        pos = end < block.size() ? end + breaks.terminatorLength(block, end) : end;
    }
}

} // namespace lumarin::engine
