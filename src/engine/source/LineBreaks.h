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
// The common case of a byte encoding: every line ends in LF or CR LF, so the
// LFs alone divide the lines. Calls onLine(start, end) for each such line of
// `bytes` (`end` before its line end), left to right, 64 bytes compared at a
// time. Stops before the line holding the first lone CR (old Mac files) and
// returns where the lines not read begin: that line, or the last line when it
// has no line end (bytes.size() when there is none).
template <typename OnLine>
std::size_t ForEachLineFeedLine(std::string_view bytes, OnLine&& onLine) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    const auto lineFeedAt = [&](std::size_t lf) {
        onLine(start, lf > start && p[lf - 1] == '\r' ? lf - 1 : lf);
        start = lf + 1;
    };
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; i + 64 < n; i += 64) {
        std::uint64_t lfs = 0;
        std::uint64_t crs = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * k));
            lfs |= static_cast<std::uint64_t>(
                       static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
                   << (16 * k);
            crs |= static_cast<std::uint64_t>(
                       static_cast<std::uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, cr))))
                   << (16 * k);
        }
        const std::uint64_t lfAfter = (lfs >> 1) | (std::uint64_t{p[i + 64] == '\n'} << 63);
        if ((crs & ~lfAfter) != 0) return start;
        for (; lfs != 0; lfs &= lfs - 1)
            lineFeedAt(i + static_cast<std::size_t>(__builtin_ctzll(lfs)));
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == '\r' && (i + 1 == n || p[i + 1] != '\n')) return start;
        if (p[i] == '\n') lineFeedAt(i);
    }
    return start;
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

    // Start of the line holding position `pos` (searching back to 0).
    std::size_t findStart(std::string_view bytes, std::size_t pos) const;

private:
    bool isBreakAt(std::string_view bytes, std::size_t pos) const;
    bool isUnit(std::string_view bytes, std::size_t pos, char16_t unit) const;

    std::size_t m_unit = 1;
    bool m_bigEndian = false;
};

} // namespace lumarin::engine
