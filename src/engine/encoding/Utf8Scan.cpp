// SPDX-License-Identifier: MIT
// Strict UTF-8 validation. The scalar scanner checks every rule; sixteen
// bytes at a time, the vector path checks that every continuation byte is
// where a lead byte asks for one and hands back to the scalar scanner for
// any chunk holding a lead byte with extra rules (C0, C1, E0, ED, F0 and
// above) or anything out of place.
#include "engine/encoding/Utf8Scan.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarin::engine {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// What a lead byte asks of the bytes after it: `length` bytes in all, the
// first continuation within lo..hi. Length 0: no lead byte.
struct LeadRule {
    std::size_t length = 0;
    unsigned char lo = 0x80, hi = 0xBF;
};

LeadRule RuleFor(unsigned char c) {
    if (c >= 0xC2 && c <= 0xDF) return {2};
    if (c >= 0xE0 && c <= 0xEF)
        return {3, static_cast<unsigned char>(c == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(c == 0xED ? 0x9F : 0xBF)}; // no surrogates
    if (c >= 0xF0 && c <= 0xF4)
        return {4, static_cast<unsigned char>(c == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(c == 0xF4 ? 0x8F : 0xBF)};
    return {};
}

// Bytes from p[i] that fit the character p[i] starts (at most rule.length).
std::size_t FittingBytes(const unsigned char* p, std::size_t n, std::size_t i,
                         const LeadRule& rule) {
    if (rule.length == 0) return 0;
    std::size_t k = 1;
    while (k < rule.length && i + k < n) {
        const unsigned char t = p[i + k];
        if (t < (k == 1 ? rule.lo : 0x80) || t > (k == 1 ? rule.hi : 0xBF)) break;
        ++k;
    }
    return k;
}

// Scans whole characters from `i` (a character boundary) until at least `stop`.
Utf8Scan ScanScalar(const unsigned char* p, std::size_t n, std::size_t i, std::size_t stop) {
    while (i < stop) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            std::uint64_t word;
            if (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ULL) == 0))
                i += 8;
            else
                ++i;
            continue;
        }
        const LeadRule rule = RuleFor(c);
        const std::size_t fitting = FittingBytes(p, n, i, rule);
        if (rule.length == 0 || fitting < rule.length) return {i, i + fitting == n};
        i += rule.length;
    }
    return {i < n ? i : n, false};
}

// Bytes >= 0xC0 (both top bits set): in valid UTF-8, one per multi-byte character.
std::uint64_t LeadBytes(const unsigned char* p, std::size_t n) {
    std::uint64_t count = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, p + i, 8);
        count += static_cast<std::uint64_t>(
            __builtin_popcountll(word & (word << 1) & 0x8080808080808080ULL));
    }
    for (; i < n; ++i)
        count += p[i] >= 0xC0;
    return count;
}

// Start of the character holding byte i: where the scalar scanner takes over
// (starting at i - 1 also catches a character cut short just before i).
std::size_t BackToBoundary(const unsigned char* p, std::size_t i) {
    while (i > 0 && IsContinuation(p[i]))
        --i;
    return i;
}

#if defined(__SSE2__)
// Bytes >= `x` (x >= 0x80), as a mask: compare with the sign bit flipped.
__m128i AtLeast(__m128i v, unsigned char x) {
    const __m128i flipped = _mm_xor_si128(v, _mm_set1_epi8(static_cast<char>(0x80)));
    return _mm_cmpgt_epi8(flipped, _mm_set1_epi8(static_cast<char>((x - 1) ^ 0x80)));
}

__m128i Load(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// True when the sixteen bytes at p are plain: every continuation byte where
// the lead bytes before it ask for one, and no lead byte with extra rules.
bool ChunkIsPlain(const unsigned char* p) {
    const __m128i here = Load(p);
    const __m128i special = _mm_or_si128(
        _mm_or_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8(static_cast<char>(0xC0))),
                     _mm_cmpeq_epi8(here, _mm_set1_epi8(static_cast<char>(0xC1)))),
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(here, _mm_set1_epi8(static_cast<char>(0xE0))),
                                  _mm_cmpeq_epi8(here, _mm_set1_epi8(static_cast<char>(0xED)))),
                     AtLeast(here, 0xF0)));
    const __m128i continuation = _mm_cmpgt_epi8(_mm_set1_epi8(-64), here);
    const __m128i wanted =
        _mm_or_si128(_mm_or_si128(AtLeast(Load(p - 1), 0xC0), AtLeast(Load(p - 2), 0xE0)),
                     AtLeast(Load(p - 3), 0xF0));
    return _mm_movemask_epi8(_mm_or_si128(special, _mm_xor_si128(continuation, wanted))) == 0;
}
#endif

} // namespace

Utf8Scan ScanUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    Utf8Scan scan = ScanScalar(p, n, 0, n < 16 ? n : 16);
    std::size_t i = scan.valid;
    if (scan.truncated || i >= n || i < 16) return scan;
#if defined(__SSE2__)
    while (i + 16 <= n) {
        if (ChunkIsPlain(p + i)) {
            i += 16;
            continue;
        }
        scan = ScanScalar(p, n, BackToBoundary(p, i - 1), i + 16);
        if (scan.truncated || scan.valid < i + 16) return scan;
        i = scan.valid;
    }
#endif
    // The last character may still be cut by the end of the bytes.
    return ScanScalar(p, n, BackToBoundary(p, i - 1), n);
}

} // namespace lumarin::engine

namespace lumarin::engine {

void Utf8Tally::add(std::string_view bytes, bool more) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const Utf8Scan scan = ScanUtf8(bytes.substr(i));
        sequences += LeadBytes(p + i, scan.valid);
        i += scan.valid;
        if (i == n) break;
        ++sequences;
        if (scan.truncated && more) break;
        ++invalid;
        const std::size_t fitting = FittingBytes(p, n, i, RuleFor(p[i]));
        i += fitting > 0 ? fitting : 1;
    }
}

} // namespace lumarin::engine
