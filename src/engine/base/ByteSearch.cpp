#include "engine/base/ByteSearch.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarin::engine {

std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from) {
    const std::size_t n = haystack.size();
    const std::size_t m = needle.size();
    if (m == 0) return from <= n ? from : n;
    if (m > n || from > n - m) return n;
    const char* p = haystack.data();
    std::size_t i = from;
#if defined(__SSE2__)
    // Sixteen candidate starts at a time: first and last byte of the needle
    // must both be in place before the bytes between are compared.
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; i + m - 1 + 16 <= n; i += 16) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i atLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + m - 1));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atLast, last))));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (m <= 2 || std::memcmp(p + at + 1, needle.data() + 1, m - 2) == 0) return at;
            mask &= mask - 1;
        }
    }
#endif
    for (; i + m <= n; ++i) {
        if (p[i] == needle.front() && std::memcmp(p + i, needle.data(), m) == 0) return i;
    }
    return n;
}

bool NeedleSet::add(std::string_view needle, bool asciiCaseless) {
    if (needle.empty() || needle.size() > kMaxBytes) return false;
    Needle added;
    added.size = needle.size();
    added.fold = asciiCaseless ? 0x20 : 0;
    for (std::size_t j = 0; j < needle.size(); ++j)
        added.bytes[j] = static_cast<unsigned char>(needle[j]) | added.fold;
    m_needles.push_back(added);
    return true;
}

bool NeedleSet::matchesAt(const char* p, std::size_t available, const Needle& needle) const {
    if (needle.size > available) return false;
    for (std::size_t j = 0; j < needle.size; ++j)
        if ((static_cast<unsigned char>(p[j]) | needle.fold) != needle.bytes[j]) return false;
    return true;
}

std::size_t NeedleSet::find(std::string_view haystack, std::size_t from) const {
    const std::size_t n = haystack.size();
    if (m_needles.empty() || from >= n) return n;
    const char* p = haystack.data();
    std::size_t i = from;
#if defined(__SSE2__)
    // Sixteen candidate starts at a time, every byte of every needle compared
    // at once; the loads reach kMaxBytes - 1 bytes past the sixteen.
    const __m128i fold = _mm_set1_epi8(0x20);
    for (; i + kMaxBytes - 1 + 16 <= n; i += 16) {
        __m128i at[kMaxBytes];
        __m128i folded[kMaxBytes];
        for (std::size_t j = 0; j < kMaxBytes; ++j) {
            at[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + j));
            folded[j] = _mm_or_si128(at[j], fold);
        }
        __m128i any = _mm_setzero_si128();
        for (const Needle& needle : m_needles) {
            const __m128i* bytes = needle.fold != 0 ? folded : at;
            __m128i all = _mm_cmpeq_epi8(bytes[0], _mm_set1_epi8(static_cast<char>(needle.bytes[0])));
            for (std::size_t j = 1; j < needle.size; ++j)
                all = _mm_and_si128(
                    all, _mm_cmpeq_epi8(bytes[j], _mm_set1_epi8(static_cast<char>(needle.bytes[j]))));
            any = _mm_or_si128(any, all);
        }
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(any));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < n; ++i)
        for (const Needle& needle : m_needles)
            if (matchesAt(p + i, n - i, needle)) return i;
    return n;
}

} // namespace lumarin::engine
