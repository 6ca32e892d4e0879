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

} // namespace lumarin::engine
