// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// The encodings a source can have. Utf8Bom, Utf16LE and Utf16BE come from a
// byte order mark; the BOM itself is not part of the first line.
enum class Encoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Gb18030, Big5 };

// Everything fixed about one encoding, one row each.
struct EncodingTraits {
    Encoding encoding;
    // Short stable name ("UTF-8", "UTF-8-BOM", "UTF-16LE", "UTF-16BE", "GB18030", "Big5").
    std::string_view name;
    // Written at the start of a new file; empty for encodings without one.
    std::string_view byteOrderMark;
    // ICU's converter, or null where the engine reads the units itself (UTF-16).
    const char* icuName;
    std::size_t unitBytes; // bytes per code unit: a line break is one unit
    bool bigEndian;        // for two-byte units
};

const EncodingTraits& TraitsOf(Encoding encoding);

std::string_view EncodingName(Encoding encoding);
std::string_view ByteOrderMark(Encoding encoding);
bool IsUtf16(Encoding encoding);
std::size_t UnitBytes(Encoding encoding);
bool IsBigEndian(Encoding encoding);

// Decides the encoding from the start of a file of `fileSize` bytes.
// Rule: a BOM decides; else text that is mostly UTF-8 (Utf8Tally) is UTF-8;
// else Big5 when the detector names Big5; else GB18030. When `bytes` is not
// the whole file, UTF-8 stands as long as the rest of the file could still
// make it mostly UTF-8; the reader of the rest has the last word.
Encoding DetectEncoding(std::string_view bytes, std::uint64_t fileSize);

// The choice once UTF-8 is ruled out: Big5 when the detector names Big5 for
// `bytes` or when they are Big5 full of Hong Kong characters; else GB18030.
Encoding DetectLegacyEncoding(std::string_view bytes);

// Length of the valid UTF-8 prefix of `bytes`; a sequence cut by the end of
// `bytes` ends the prefix before it.
std::size_t ValidUtf8Prefix(std::string_view bytes);

} // namespace lumarin::engine
