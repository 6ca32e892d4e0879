#include "engine/Encoding.h"

#include <uchardet/uchardet.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace lumarin::engine {
namespace {

// What the detector gets to look at: enough for a confident answer, little
// enough to stay cheap on every analysis.
constexpr std::size_t kDetectorSample = 256 * 1024;

struct Utf8Scan {
    std::size_t valid = 0;
    bool truncated = false; // stopped at a sequence cut by the end of the bytes
};

Utf8Scan ScanUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            std::uint64_t word;
            if (i + 8 <= n && (std::memcpy(&word, p + i, 8), (word & 0x8080808080808080ULL) == 0))
                i += 8;
            else
                ++i;
            continue;
        }
        // The common case of Chinese text: a three-byte sequence outside the
        // E0 / ED special ranges.
        if (c >= 0xE1 && c <= 0xEF && c != 0xED && i + 2 < n && (p[i + 1] & 0xC0) == 0x80 &&
            (p[i + 2] & 0xC0) == 0x80) {
            i += 3;
            continue;
        }
        std::size_t length = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return {i, false};
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= n)
                return {i, true};
            const unsigned char t = p[i + k];
            const unsigned char min = k == 1 ? lo : 0x80;
            const unsigned char max = k == 1 ? hi : 0xBF;
            if (t < min || t > max)
                return {i, false};
        }
        i += length;
    }
    return {n, false};
}

bool DetectorSaysBig5(std::string_view bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                                          &uchardet_delete);
    if (!detector)
        return false;
    const std::string_view sample = bytes.substr(0, kDetectorSample);
    if (uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0)
        return false;
    uchardet_data_end(detector.get());
    const char* charset = uchardet_get_charset(detector.get());
    return charset != nullptr && std::strcmp(charset, "BIG5") == 0;
}

} // namespace

std::string_view EncodingName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return "UTF-8";
    case Encoding::Utf8Bom:
        return "UTF-8-BOM";
    case Encoding::Utf16LE:
        return "UTF-16LE";
    case Encoding::Utf16BE:
        return "UTF-16BE";
    case Encoding::Gb18030:
        return "GB18030";
    case Encoding::Big5:
        return "Big5";
    }
    return "GB18030";
}

std::string_view ByteOrderMark(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF";
    case Encoding::Utf16LE:
        return "\xFF\xFE";
    case Encoding::Utf16BE:
        return "\xFE\xFF";
    default:
        return {};
    }
}

bool IsUtf16(Encoding encoding)
{
    return encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE;
}

std::size_t ValidUtf8Prefix(std::string_view bytes)
{
    return ScanUtf8(bytes).valid;
}

Encoding DetectEncoding(std::string_view bytes, bool whole)
{
    for (const Encoding withBom : {Encoding::Utf8Bom, Encoding::Utf16LE, Encoding::Utf16BE}) {
        if (bytes.starts_with(ByteOrderMark(withBom)))
            return withBom;
    }
    const Utf8Scan scan = ScanUtf8(bytes);
    if (scan.valid == bytes.size() || (!whole && scan.truncated))
        return Encoding::Utf8;
    return DetectLegacyEncoding(bytes);
}

Encoding DetectLegacyEncoding(std::string_view bytes)
{
    return DetectorSaysBig5(bytes) ? Encoding::Big5 : Encoding::Gb18030;
}

} // namespace lumarin::engine
