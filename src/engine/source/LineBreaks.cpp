// SPDX-License-Identifier: MIT
#include "engine/source/LineBreaks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarin::engine {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

std::size_t CountByteBreaks(const char* p, std::size_t n) {
    if (n == 0) return 0;
    std::size_t count = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: an LF, or a CR whose next byte is no LF.
    const __m128i lf = _mm_set1_epi8(kLf);
    const __m128i cr = _mm_set1_epi8(kCr);
    while (i + 17 <= n) {
        // Each matching byte adds 1 to its lane; lanes are summed before they can overflow.
        __m128i lanes = _mm_setzero_si128();
        for (int round = 0; round < 255 && i + 17 <= n; ++round, i += 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
            const __m128i loneCr =
                _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr));
            lanes = _mm_sub_epi8(lanes, _mm_or_si128(_mm_cmpeq_epi8(here, lf), loneCr));
        }
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
#endif
    for (; i + 1 < n; ++i)
        count += static_cast<std::size_t>((p[i] == kLf) | ((p[i] == kCr) & (p[i + 1] != kLf)));
    count += static_cast<std::size_t>(p[n - 1] == kLf || p[n - 1] == kCr);
    return count;
}

std::size_t FindByteBreak(const char* p, std::size_t n, std::size_t from) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8(kLf);
    const __m128i cr = _mm_set1_epi8(kCr);
    for (; i + 16 <= n; i += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(here, lf), _mm_cmpeq_epi8(here, cr))));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == kLf || p[i] == kCr) return i;
    }
    return n;
}

} // namespace

LineBreaks::LineBreaks(Encoding encoding)
    : m_unit(UnitBytes(encoding)), m_bigEndian(IsBigEndian(encoding)) {}

bool LineBreaks::isUnit(std::string_view bytes, std::size_t pos, char16_t unit) const {
    if (m_unit == 1) return pos < bytes.size() && bytes[pos] == static_cast<char>(unit);
    if (pos + 1 >= bytes.size()) return false;
    const auto a = static_cast<unsigned char>(bytes[pos]);
    const auto b = static_cast<unsigned char>(bytes[pos + 1]);
    return (m_bigEndian ? (a << 8) | b : (b << 8) | a) == unit;
}

bool LineBreaks::isBreakAt(std::string_view bytes, std::size_t pos) const {
    return isUnit(bytes, pos, u'\n') || isUnit(bytes, pos, u'\r');
}

std::size_t LineBreaks::count(std::string_view bytes) const {
    if (m_unit == 1) return CountByteBreaks(bytes.data(), bytes.size());
    std::size_t count = 0;
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        if (isUnit(bytes, pos, u'\n') ||
            (isUnit(bytes, pos, u'\r') && !isUnit(bytes, pos + 2, u'\n')))
            ++count;
    }
    return count;
}

std::size_t LineBreaks::findEnd(std::string_view bytes, std::size_t from) const {
    if (m_unit == 1) return FindByteBreak(bytes.data(), bytes.size(), from);
    for (std::size_t pos = from; pos + 1 < bytes.size(); pos += 2) {
        if (isBreakAt(bytes, pos)) return pos;
    }
    return bytes.size();
}

std::size_t LineBreaks::terminatorLength(std::string_view bytes, std::size_t pos) const {
    if (isUnit(bytes, pos, u'\r') && isUnit(bytes, pos + m_unit, u'\n')) return 2 * m_unit;
    return m_unit;
}

std::size_t LineBreaks::findStart(std::string_view bytes, std::size_t pos) const {
    if (m_unit == 1) {
        while (pos > 0 && bytes[pos - 1] != kLf && bytes[pos - 1] != kCr)
            --pos;
        return pos;
    }
    pos -= pos % m_unit;
    while (pos >= m_unit) {
        if (isBreakAt(bytes, pos - m_unit)) return pos;
        pos -= m_unit;
    }
    return 0;
}

} // namespace lumarin::engine
