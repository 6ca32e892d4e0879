// SPDX-License-Identifier: MIT
#include "engine/base/ByteSearch.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define LUMARIN_AVX2_KERNELS 1
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
    for (const Needle& held : m_needles)
        if (held.size == added.size && held.fold == added.fold &&
            std::memcmp(held.bytes, added.bytes, added.size) == 0)
            return true; // once is enough, and keeps the set small
    m_needles.push_back(added);
    return true;
}

bool NeedleSet::matchesAt(const char* p, std::size_t available, const Needle& needle) const {
    if (needle.size > available) return false;
    for (std::size_t j = 0; j < needle.size; ++j)
        if ((static_cast<unsigned char>(p[j]) | needle.fold) != needle.bytes[j]) return false;
    return true;
}

#if defined(__SSE2__)
// Starts from `i` sixteen at a time where the first two bytes of one of E
// exact and F caseless two-or-more-byte needles are in place; the rest of
// the needle is compared for those, and the tail left to the caller.
template <std::size_t E, std::size_t F>
std::size_t ScanPairs(const char* p, std::size_t n, std::size_t i, const __m128i* exactFirst,
                      const __m128i* exactSecond, const __m128i* foldedFirst,
                      const __m128i* foldedSecond, const NeedleSet& set) {
    const __m128i fold = _mm_set1_epi8(0x20);
    for (; i + NeedleSet::kMaxBytes - 1 + 16 <= n; i += 16) {
        const __m128i at0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i at1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        __m128i any = _mm_setzero_si128();
        for (std::size_t k = 0; k < E; ++k)
            any = _mm_or_si128(any, _mm_and_si128(_mm_cmpeq_epi8(at0, exactFirst[k]),
                                                  _mm_cmpeq_epi8(at1, exactSecond[k])));
        if constexpr (F != 0) {
            const __m128i folded0 = _mm_or_si128(at0, fold);
            const __m128i folded1 = _mm_or_si128(at1, fold);
            for (std::size_t k = 0; k < F; ++k)
                any = _mm_or_si128(any, _mm_and_si128(_mm_cmpeq_epi8(folded0, foldedFirst[k]),
                                                      _mm_cmpeq_epi8(folded1, foldedSecond[k])));
        }
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(any));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (set.matchesAnyAt(p + at, n - at)) return at;
            mask &= mask - 1;
        }
    }
    for (; i < n; ++i)
        if (set.matchesAnyAt(p + i, n - i)) return i;
    return n;
}
#endif

#if defined(LUMARIN_AVX2_KERNELS)
// The same thirty-two at a time, where the processor has AVX2: the usual
// sets are searched in about the time one needle takes sixteen at a time.
// `first` and `second` hold the E exact needles' bytes, then the F caseless.
__attribute__((target("avx2"), always_inline)) inline __m256i
Broadcast(const unsigned char* bytes, std::size_t k) {
    return _mm256_set1_epi8(static_cast<char>(bytes[k]));
}

// Where the first bytes are a0 and the next ones a1.
__attribute__((target("avx2"), always_inline)) inline __m256i BothAt(__m256i at0, __m256i at1,
                                                                     __m256i a0, __m256i a1) {
    return _mm256_and_si256(_mm256_cmpeq_epi8(at0, a0), _mm256_cmpeq_epi8(at1, a1));
}

template <std::size_t E, std::size_t F>
__attribute__((target("avx2"))) std::size_t
ScanPairsWide(const char* p, std::size_t n, std::size_t i, const unsigned char* first,
              const unsigned char* second, const NeedleSet& set) {
    static_assert(E <= 3 && F <= 2);
    // Named rather than in arrays, so that they stay in registers.
    const __m256i none = _mm256_setzero_si256();
    const __m256i e0 = E > 0 ? Broadcast(first, 0) : none;
    const __m256i e0b = E > 0 ? Broadcast(second, 0) : none;
    const __m256i e1 = E > 1 ? Broadcast(first, 1) : none;
    const __m256i e1b = E > 1 ? Broadcast(second, 1) : none;
    const __m256i e2 = E > 2 ? Broadcast(first, 2) : none;
    const __m256i e2b = E > 2 ? Broadcast(second, 2) : none;
    const __m256i f0 = F > 0 ? Broadcast(first, E) : none;
    const __m256i f0b = F > 0 ? Broadcast(second, E) : none;
    const __m256i f1 = F > 1 ? Broadcast(first, E + 1) : none;
    const __m256i f1b = F > 1 ? Broadcast(second, E + 1) : none;
    const __m256i fold = _mm256_set1_epi8(0x20);
    for (; i + NeedleSet::kMaxBytes - 1 + 32 <= n; i += 32) {
        const __m256i at0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i at1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1));
        __m256i any = E > 0 ? BothAt(at0, at1, e0, e0b) : none;
        if constexpr (E > 1) any = _mm256_or_si256(any, BothAt(at0, at1, e1, e1b));
        if constexpr (E > 2) any = _mm256_or_si256(any, BothAt(at0, at1, e2, e2b));
        if constexpr (F > 0) {
            const __m256i folded0 = _mm256_or_si256(at0, fold);
            const __m256i folded1 = _mm256_or_si256(at1, fold);
            any = _mm256_or_si256(any, BothAt(folded0, folded1, f0, f0b));
            if constexpr (F > 1) any = _mm256_or_si256(any, BothAt(folded0, folded1, f1, f1b));
        }
        auto mask = static_cast<std::uint32_t>(_mm256_movemask_epi8(any));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (set.matchesAnyAt(p + at, n - at)) return at;
            mask &= mask - 1;
        }
    }
    for (; i < n; ++i)
        if (set.matchesAnyAt(p + i, n - i)) return i;
    return n;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

bool NeedleSet::matchesAnyAt(const char* p, std::size_t available) const {
    for (const Needle& needle : m_needles)
        if (matchesAt(p, available, needle)) return true;
    return false;
}

std::size_t NeedleSet::find(std::string_view haystack, std::size_t from) const {
    const std::size_t n = haystack.size();
    if (m_needles.empty() || from >= n) return n;
    const char* p = haystack.data();
    std::size_t i = from;
    const auto matchesAny = [&](std::size_t at) { return matchesAnyAt(p + at, n - at); };
#if defined(LUMARIN_AVX2_KERNELS)
    if (HasAvx2()) {
        // The pairs' bytes, exact needles first; a set the wide loops do not
        // cover goes on to the loops below.
        unsigned char first[5], second[5];
        std::size_t exact = 0, folded = 0;
        for (const Needle& needle : m_needles)
            if (needle.size > 1) (needle.fold == 0 ? exact : folded)++;
        if (exact + folded == m_needles.size() && exact <= 3 && folded <= 2) {
            using WideKernel =
                std::size_t (*)(const char*, std::size_t, std::size_t, const unsigned char*,
                                const unsigned char*, const NeedleSet&);
            constexpr WideKernel kWide[4][3] = {
                {ScanPairsWide<0, 0>, ScanPairsWide<0, 1>, ScanPairsWide<0, 2>},
                {ScanPairsWide<1, 0>, ScanPairsWide<1, 1>, ScanPairsWide<1, 2>},
                {ScanPairsWide<2, 0>, ScanPairsWide<2, 1>, ScanPairsWide<2, 2>},
                {ScanPairsWide<3, 0>, ScanPairsWide<3, 1>, ScanPairsWide<3, 2>}};
            std::size_t e = 0, f = exact;
            for (const Needle& needle : m_needles) {
                std::size_t& k = needle.fold == 0 ? e : f;
                first[k] = needle.bytes[0];
                second[k++] = needle.bytes[1];
            }
            return kWide[exact][folded](p, n, i, first, second, *this);
        }
    }
#endif
#if defined(__SSE2__)
    // Sixteen candidate starts at a time, kept when the first two bytes of a
    // needle (its only byte, for one-byte needles) are in place; only those
    // are compared in full. The loads reach one byte past the sixteen, the
    // full comparison up to kMaxBytes - 1.
    constexpr std::size_t kMaxNeedles = 16;
    __m128i exactFirst[kMaxNeedles], exactSecond[kMaxNeedles];
    __m128i foldedFirst[kMaxNeedles], foldedSecond[kMaxNeedles];
    __m128i single[kMaxNeedles];
    std::size_t exact = 0, folded = 0, singles = 0;
    for (const Needle& needle : m_needles) {
        const __m128i first = _mm_set1_epi8(static_cast<char>(needle.bytes[0]));
        const __m128i second = _mm_set1_epi8(static_cast<char>(needle.bytes[1]));
        if (exact == kMaxNeedles || folded == kMaxNeedles || singles == kMaxNeedles) {
            i = n; // too many for the fast loop: the plain one below finds them
            break;
        }
        if (needle.size == 1 && needle.fold == 0) {
            single[singles++] = first;
        } else if (needle.size == 1) {
            i = n;
            break;
        } else if (needle.fold == 0) {
            exactFirst[exact] = first;
            exactSecond[exact++] = second;
        } else {
            foldedFirst[folded] = first;
            foldedSecond[folded++] = second;
        }
    }
    if (i == n) {
        i = from;
    } else if (singles == 0 && exact <= 3 && folded <= 2) {
        // The usual sets, with the loops over the needles unrolled.
        using Kernel = std::size_t (*)(const char*, std::size_t, std::size_t, const __m128i*,
                                       const __m128i*, const __m128i*, const __m128i*,
                                       const NeedleSet&);
        constexpr Kernel kKernels[4][3] = {
            {ScanPairs<0, 0>, ScanPairs<0, 1>, ScanPairs<0, 2>},
            {ScanPairs<1, 0>, ScanPairs<1, 1>, ScanPairs<1, 2>},
            {ScanPairs<2, 0>, ScanPairs<2, 1>, ScanPairs<2, 2>},
            {ScanPairs<3, 0>, ScanPairs<3, 1>, ScanPairs<3, 2>}};
        return kKernels[exact][folded](p, n, i, exactFirst, exactSecond, foldedFirst,
                                       foldedSecond, *this);
    } else {
        const __m128i fold = _mm_set1_epi8(0x20);
        for (; i + kMaxBytes - 1 + 16 <= n; i += 16) {
            const __m128i at0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            const __m128i at1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
            __m128i any = _mm_setzero_si128();
            for (std::size_t k = 0; k < exact; ++k)
                any = _mm_or_si128(any, _mm_and_si128(_mm_cmpeq_epi8(at0, exactFirst[k]),
                                                      _mm_cmpeq_epi8(at1, exactSecond[k])));
            if (folded != 0) {
                const __m128i folded0 = _mm_or_si128(at0, fold);
                const __m128i folded1 = _mm_or_si128(at1, fold);
                for (std::size_t k = 0; k < folded; ++k)
                    any = _mm_or_si128(any,
                                       _mm_and_si128(_mm_cmpeq_epi8(folded0, foldedFirst[k]),
                                                     _mm_cmpeq_epi8(folded1, foldedSecond[k])));
            }
            for (std::size_t k = 0; k < singles; ++k)
                any = _mm_or_si128(any, _mm_cmpeq_epi8(at0, single[k]));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(any));
            while (mask != 0) {
                const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
                if (matchesAny(at)) return at;
                mask &= mask - 1;
            }
        }
    }
#endif
    for (; i < n; ++i)
        if (matchesAny(i)) return i;
    return n;
}

} // namespace lumarin::engine
