// SPDX-License-Identifier: MIT
#include "engine/encoding/CharacterCount.h"

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

// GB18030 and Big5: a lead byte 0x81..0xFE takes a trail byte; in GB18030 a
// digit after the lead starts a four-byte code.
std::int64_t CountDoubleByte(std::string_view bytes, bool fourByteCodes) {
    std::int64_t count = 0;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
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
