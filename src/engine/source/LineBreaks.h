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
#if defined(__SSE2__)
// Bit k of `cr` (`lf`) set: byte k of the 64 at `p` is a CR (an LF).
struct LineEndMasks {
    std::uint64_t cr = 0;
    std::uint64_t lf = 0;
};

inline LineEndMasks LineEndMasks64(const char* p) {
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    LineEndMasks masks;
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        masks.cr |=
            std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr)))}
            << (16 * k);
        masks.lf |=
            std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)))}
            << (16 * k);
    }
    return masks;
}
#endif

// Calls onLineEnd(position) for every line end in `bytes` (a byte
// encoding), at its first byte, left to right; 64 bytes are compared at a time.
template <typename OnLineEnd>
void ForEachByteLineEnd(std::string_view bytes, OnLineEnd&& onLineEnd) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
#if defined(__SSE2__)
    std::uint64_t crBefore = 0; // the byte before these 64 is a CR
    for (; i + 64 <= n; i += 64) {
        const LineEndMasks masks = LineEndMasks64(p + i);
        // Every CR begins a line end, and every LF that follows no CR.
        std::uint64_t ends = masks.cr | (masks.lf & ~((masks.cr << 1) | crBefore));
        crBefore = masks.cr >> 63;
        for (; ends != 0; ends &= ends - 1)
            onLineEnd(i + static_cast<std::size_t>(__builtin_ctzll(ends)));
    }
#endif
    for (; i < n; ++i)
        if (p[i] == '\r' || (p[i] == '\n' && (i == 0 || p[i - 1] != '\r'))) onLineEnd(i);
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

    std::size_t unitBytes() const noexcept { return m_unit; }

    // Start of the line holding position `pos` (searching back to 0).
    std::size_t findStart(std::string_view bytes, std::size_t pos) const;

private:
    bool isBreakAt(std::string_view bytes, std::size_t pos) const;
    bool isUnit(std::string_view bytes, std::size_t pos, char16_t unit) const;

    std::size_t m_unit = 1;
    bool m_bigEndian = false;
};

// Calls onLine(start, end, next) for every line of `block`, a run of whole
// lines as BlockReader gives them: the line's bytes are [start, end) and the
// following line begins at `next` (its line end skipped).
template <typename OnLine>
void ForEachLine(const LineBreaks& breaks, std::string_view block, OnLine&& onLine) {
    std::size_t start = 0;
    if (breaks.unitBytes() == 1) {
        ForEachByteLineEnd(block, [&](std::size_t end) {
            const bool pair =
                block[end] == '\r' && end + 1 < block.size() && block[end + 1] == '\n';
            const std::size_t next = end + (pair ? 2 : 1);
            onLine(start, end, next);
            start = next;
        });
    } else {
        while (start < block.size()) {
            const std::size_t end = breaks.findEnd(block, start);
            if (end == block.size()) break;
            const std::size_t next = end + breaks.terminatorLength(block, end);
            onLine(start, end, next);
            start = next;
        }
    }
    if (start < block.size()) onLine(start, block.size(), block.size()); // no line end
}

} // namespace lumarin::engine
