// SPDX-License-Identifier: MIT
#include "engine/encoding/Encoding.h"

#include "engine/encoding/Utf8Scan.h"

#include <cstring>
#include <iterator>
#include <memory>
#include <uchardet/uchardet.h>

namespace lumarin::engine {
namespace {

// What the detector gets to look at: enough for a confident answer, little
// enough to stay cheap on every analysis.
constexpr std::size_t kDetectorSample = 256 * 1024;

bool DetectorSaysBig5(std::string_view bytes) {
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(
        uchardet_new(), &uchardet_delete);
    if (!detector) return false;
    const std::string_view sample = bytes.substr(0, kDetectorSample);
    if (uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0) return false;
    uchardet_data_end(detector.get());
    const char* charset = uchardet_get_charset(detector.get());
    return charset != nullptr && std::strcmp(charset, "BIG5") == 0;
}

// Hong Kong text in Big5 that the detector misses: it knows only the common
// Big5 characters, and text full of the Hong Kong extension's (lead bytes
// 0x87..0xA0) looks to it like GBK. Such text is taken for Big5 when more than
// a few of its two-byte codes are in that extension and every code has the
// Big5 form (trail byte 0x40..0x7E or 0xA1..0xFE). GBK text whose codes use
// those lead bytes (rare and traditional characters) has trail bytes 0x80..0xA0
// among them, which Big5 never has.
bool LooksLikeHongKongBig5(std::string_view bytes) {
    const std::string_view sample = bytes.substr(0, kDetectorSample);
    std::size_t codes = 0;
    std::size_t extension = 0;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const auto lead = static_cast<unsigned char>(sample[i]);
        if (lead < 0x81) continue;
        if (++i == sample.size()) break;
        const auto trail = static_cast<unsigned char>(sample[i]);
        if (lead == 0xFF || trail < 0x40 || trail == 0x7F || (trail >= 0x80 && trail <= 0xA0) ||
            trail == 0xFF)
            return false;
        ++codes;
        if (lead >= 0x87 && lead <= 0xA0) ++extension;
    }
    return codes >= 20 && extension * 20 >= codes;
}

} // namespace

namespace {

// In the order of the enumeration.
constexpr EncodingTraits kEncodings[] = {
    {Encoding::Utf8, "UTF-8", "", "UTF-8", 1, false},
    {Encoding::Utf8Bom, "UTF-8-BOM", "\xEF\xBB\xBF", "UTF-8", 1, false},
    {Encoding::Utf16LE, "UTF-16LE", "\xFF\xFE", nullptr, 2, false},
    {Encoding::Utf16BE, "UTF-16BE", "\xFE\xFF", nullptr, 2, true},
    {Encoding::Gb18030, "GB18030", "", "GB18030", 1, false},
    // Big5 with the Hong Kong characters, which plain Big5 tables leave in the
    // user-defined area (Private Use code points).
    {Encoding::Big5, "Big5", "", "Big5-HKSCS", 1, false},
};

static_assert([] {
    for (std::size_t i = 0; i < std::size(kEncodings); ++i)
        if (static_cast<std::size_t>(kEncodings[i].encoding) != i) return false;
    return true;
}());

} // namespace

const EncodingTraits& TraitsOf(Encoding encoding) {
    const auto index = static_cast<std::size_t>(encoding);
    // Anything outside the enumeration reads as GB18030, the legacy default.
    return index < std::size(kEncodings) ? kEncodings[index]
                                         : kEncodings[static_cast<std::size_t>(Encoding::Gb18030)];
}

std::string_view EncodingName(Encoding encoding) {
    return TraitsOf(encoding).name;
}

std::string_view ByteOrderMark(Encoding encoding) {
    return TraitsOf(encoding).byteOrderMark;
}

bool IsUtf16(Encoding encoding) {
    return TraitsOf(encoding).unitBytes == 2;
}

std::size_t UnitBytes(Encoding encoding) {
    return TraitsOf(encoding).unitBytes;
}

bool IsBigEndian(Encoding encoding) {
    return TraitsOf(encoding).bigEndian;
}

std::size_t ValidUtf8Prefix(std::string_view bytes) {
    return ScanUtf8(bytes).valid;
}

Encoding DetectEncoding(std::string_view bytes, std::uint64_t fileSize) {
    for (const Encoding withBom : {Encoding::Utf8Bom, Encoding::Utf16LE, Encoding::Utf16BE}) {
        if (bytes.starts_with(ByteOrderMark(withBom))) return withBom;
    }
    const std::uint64_t bytesLeft = fileSize > bytes.size() ? fileSize - bytes.size() : 0;
    Utf8Tally tally;
    tally.add(bytes, bytesLeft > 0);
    if (!tally.ruledOut(bytesLeft)) return Encoding::Utf8;
    return DetectLegacyEncoding(bytes);
}

Encoding DetectLegacyEncoding(std::string_view bytes) {
    return DetectorSaysBig5(bytes) || LooksLikeHongKongBig5(bytes) ? Encoding::Big5
                                                                   : Encoding::Gb18030;
}

} // namespace lumarin::engine
