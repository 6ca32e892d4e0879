// SPDX-License-Identifier: MIT
#include "engine/encoding/CharacterCount.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumarin::engine {
namespace {

bool IsLineEnd(unsigned char b) {
    return b == '\n' || b == '\r';
}

std::int64_t CountUtf8(std::string_view bytes) {
    std::int64_t count = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        count += static_cast<std::int64_t>((b & 0xC0) != 0x80 && !IsLineEnd(b));
    }
    return count;
}

// Whether the 16 bytes at `p` are all 0x81..0xFE: from a character's start,
// eight two-byte characters (such a trail is never a digit).
bool SixteenLeadTrailBytes(const char* p) {
#if defined(__SSE2__)
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // As signed bytes 0x81..0xFE are -127..-2.
    const __m128i inRange =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(-128)), _mm_cmplt_epi8(v, _mm_set1_epi8(-1)));
    return _mm_movemask_epi8(inRange) == 0xFFFF;
#else
    (void)p;
    return false;
#endif
}

// GB18030 and Big5: a lead byte 0x81..0xFE takes a trail byte; in GB18030 a
// digit after the lead starts a four-byte code. Runs of two-byte characters,
// most of a Chinese text, are taken sixteen bytes at a time.
std::int64_t CountDoubleByte(std::string_view bytes, bool fourByteCodes) {
    std::int64_t count = 0;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        if (i + 16 <= n && SixteenLeadTrailBytes(bytes.data() + i)) {
            count += 8;
            i += 16;
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            count += static_cast<std::int64_t>(!IsLineEnd(b));
            ++i;
            continue;
        }
        ++count;
        if (b == 0x80 || b == 0xFF || i + 1 >= n) {
            ++i;
            continue;
        }
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        if (fourByteCodes && trail >= '0' && trail <= '9' && i + 3 < n) {
            i += 4;
        } else if (trail >= 0x40 && trail != 0x7F && trail != 0xFF) {
            i += 2;
        } else {
            ++i;
        }
    }
    return count;
}

std::int64_t CountUtf16(std::string_view bytes, bool bigEndian) {
    std::int64_t count = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const unsigned unit = (hi << 8) | lo;
        const bool trail = unit >= 0xDC00 && unit <= 0xDFFF;
        count += static_cast<std::int64_t>(!trail && unit != '\n' && unit != '\r');
    }
    return count;
}

} // namespace

std::int64_t CountCharacters(std::string_view bytes, Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return CountUtf8(bytes);
    case Encoding::Gb18030:
        return CountDoubleByte(bytes, true);
    case Encoding::Big5:
        return CountDoubleByte(bytes, false);
    case Encoding::Utf16LE:
        return CountUtf16(bytes, false);
    case Encoding::Utf16BE:
        return CountUtf16(bytes, true);
    }
    return 0;
}

} // namespace lumarin::engine
