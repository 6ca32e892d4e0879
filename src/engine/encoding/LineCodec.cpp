// SPDX-License-Identifier: MIT
#include "engine/encoding/LineCodec.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

bool IsInvalidInput(UErrorCode status) {
    return status == U_ILLEGAL_CHAR_FOUND || status == U_INVALID_CHAR_FOUND ||
           status == U_TRUNCATED_CHAR_FOUND;
}

} // namespace

bool IsCarriedByte(std::u16string_view text, std::size_t i) {
    const char16_t unit = text[i];
    if (unit < kCarriedByteBase || unit > kCarriedByteBase + 0xFF) return false;
    return i == 0 || !U16_IS_LEAD(text[i - 1]);
}

struct LineCodec::Converter {
    UConverter* icu = nullptr;
    ~Converter() {
        if (icu != nullptr) ucnv_close(icu);
    }
};

LineCodec::LineCodec(Encoding encoding, CodecMode mode)
    : m_encoding(encoding), m_converter(std::make_unique<Converter>()) {
    const char* name = TraitsOf(encoding).icuName;
    if (name == nullptr) return;
    UErrorCode status = U_ZERO_ERROR;
    m_converter->icu = ucnv_open(name, &status);
    if (U_FAILURE(status))
        throw std::runtime_error(std::string("ICU has no converter for ") + name);
    // Stop at invalid input so that those bytes can be carried instead of replaced.
    ucnv_setToUCallBack(m_converter->icu, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    m_oneWayPending =
        mode == CodecMode::Exact && encoding != Encoding::Utf8 && encoding != Encoding::Utf8Bom;
}

// Every two-byte code converted both ways takes a while, and the answer is
// the encoding's: it is worked out once for the process, not for each book of
// a batch or each file written.
const std::vector<bool>* LineCodec::OneWayCodes(Encoding encoding) {
    static std::mutex guard;
    static std::map<Encoding, std::optional<std::vector<bool>>> known;
    const std::lock_guard lock(guard);
    const auto [entry, fresh] = known.try_emplace(encoding);
    if (fresh) {
        LineCodec codec(encoding);
        std::vector<bool> oneWay(65536, false);
        bool any = false;
        std::string code(2, '\0');
        std::u16string text;
        std::string back;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                code[0] = static_cast<char>(lead);
                code[1] = static_cast<char>(trail);
                codec.decode(code, text);
                if (text.empty() || IsCarriedByte(text, 0)) continue;
                back.clear();
                codec.encode(text, back);
                if (back != code) {
                    oneWay[static_cast<std::size_t>(lead * 256 + trail)] = true;
                    any = true;
                }
            }
        }
        if (any) entry->second = std::move(oneWay);
    }
    return entry->second ? &*entry->second : nullptr;
}

// Cheap and on the safe side: any byte pair that is a one-way code, whether
// or not it stands on a character boundary.
bool LineCodec::mayHoldOneWayCode(std::string_view raw) const {
    for (std::size_t i = 0; i + 1 < raw.size(); ++i) {
        const auto lead = static_cast<unsigned char>(raw[i]);
        if (lead >= 0x81 && (*m_oneWay)[lead * 256u + static_cast<unsigned char>(raw[i + 1])])
            return true;
    }
    return false;
}

// Character by character, so that each character's own bytes are known.
void LineCodec::decodeExactly(std::string_view raw, std::u16string& out) {
    out.clear();
    UConverter* icu = m_converter->icu;
    ucnv_resetToUnicode(icu);
    const char* source = raw.data();
    const char* const sourceLimit = raw.data() + raw.size();
    while (source < sourceLimit) {
        const char* const start = source;
        UErrorCode status = U_ZERO_ERROR;
        const UChar32 c = ucnv_getNextUChar(icu, &source, sourceLimit, &status);
        const std::size_t length = static_cast<std::size_t>(source - start);
        const bool oneWay = length == 2 && (*m_oneWay)[static_cast<unsigned char>(start[0]) * 256u +
                                                       static_cast<unsigned char>(start[1])];
        if (U_FAILURE(status) || oneWay) {
            if (source == start) ++source; // never stand still
            for (const char* p = start; p < source; ++p)
                out.push_back(
                    static_cast<char16_t>(kCarriedByteBase + static_cast<unsigned char>(*p)));
            ucnv_resetToUnicode(icu);
            continue;
        }
        if (U_IS_BMP(c)) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(U16_LEAD(c));
            out.push_back(U16_TRAIL(c));
        }
    }
}

LineCodec::~LineCodec() = default;
LineCodec::LineCodec(LineCodec&&) noexcept = default;
LineCodec& LineCodec::operator=(LineCodec&&) noexcept = default;

void LineCodec::decode(std::string_view raw, std::u16string& out) {
    out.clear();
    if (IsUtf16(m_encoding)) {
        const bool bigEndian = IsBigEndian(m_encoding);
        out.reserve(raw.size() / 2);
        for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
            const auto a = static_cast<unsigned char>(raw[i]);
            const auto b = static_cast<unsigned char>(raw[i + 1]);
            out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
        }
        return;
    }
    if (m_oneWayPending) {
        m_oneWay = OneWayCodes(m_encoding);
        m_oneWayPending = false;
    }
    if (m_oneWay != nullptr && mayHoldOneWayCode(raw)) {
        decodeExactly(raw, out);
        return;
    }
    // One byte rarely yields more than one code unit; the loop grows the text when it does.
    out.resize(raw.size() + 8);
    std::size_t written = 0;
    const char* source = raw.data();
    const char* const sourceLimit = raw.data() + raw.size();
    UConverter* icu = m_converter->icu;
    ucnv_resetToUnicode(icu);
    for (;;) {
        UChar* const begin = reinterpret_cast<UChar*>(out.data());
        UChar* target = begin + written;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(icu, &target, begin + out.size(), &source, sourceLimit, nullptr, true,
                       &status);
        written = static_cast<std::size_t>(target - begin);
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        if (!IsInvalidInput(status)) break;
        char bad[32];
        int8_t badLength = sizeof bad;
        UErrorCode badStatus = U_ZERO_ERROR;
        ucnv_getInvalidChars(icu, bad, &badLength, &badStatus);
        if (written + static_cast<std::size_t>(badLength) > out.size())
            out.resize(out.size() * 2 + static_cast<std::size_t>(badLength));
        for (int8_t k = 0; k < badLength; ++k)
            out[written++] =
                static_cast<char16_t>(kCarriedByteBase + static_cast<unsigned char>(bad[k]));
        ucnv_resetToUnicode(icu);
    }
    out.resize(written);
}

std::u16string LineCodec::decode(std::string_view raw) {
    std::u16string out;
    decode(raw, out);
    return out;
}

void LineCodec::encode(std::u16string_view text, std::string& out) {
    if (IsUtf16(m_encoding)) {
        const bool bigEndian = IsBigEndian(m_encoding);
        for (const char16_t unit : text) {
            const char hi = static_cast<char>(unit >> 8);
            const char lo = static_cast<char>(unit & 0xFF);
            out.push_back(bigEndian ? hi : lo);
            out.push_back(bigEndian ? lo : hi);
        }
        return;
    }
    UConverter* icu = m_converter->icu;
    std::size_t start = 0;
    const auto flushSegment = [&](std::size_t end) {
        if (end == start) return;
        const UChar* source = reinterpret_cast<const UChar*>(text.data() + start);
        const UChar* const sourceLimit = reinterpret_cast<const UChar*>(text.data() + end);
        std::size_t written = out.size();
        out.resize(written + (end - start) * 4);
        ucnv_resetFromUnicode(icu);
        for (;;) {
            char* target = out.data() + written;
            UErrorCode status = U_ZERO_ERROR;
            ucnv_fromUnicode(icu, &target, out.data() + out.size(), &source, sourceLimit, nullptr,
                             true, &status);
            written = static_cast<std::size_t>(target - out.data());
            if (status != U_BUFFER_OVERFLOW_ERROR) break;
            out.resize(out.size() * 2);
        }
        out.resize(written);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsCarriedByte(text, i)) continue;
        flushSegment(i);
        out.push_back(static_cast<char>(text[i] - kCarriedByteBase));
        start = i + 1;
    }
    flushSegment(text.size());
}

std::string_view LineCodec::oddTail(std::string_view raw) const {
    if (IsUtf16(m_encoding) && raw.size() % 2 == 1) return raw.substr(raw.size() - 1);
    return {};
}

std::vector<std::string> LineCodec::encodedForms(char16_t unit) {
    return std::move(encodedForms(std::u16string_view(&unit, 1)).front());
}

std::vector<std::vector<std::string>> LineCodec::encodedForms(std::u16string_view units) {
    static std::mutex guard;
    static std::map<std::pair<Encoding, char16_t>, std::vector<std::string>> known;
    const std::lock_guard lock(guard);
    std::u16string missing;
    for (const char16_t unit : units)
        if (!known.contains({m_encoding, unit}) && missing.find(unit) == std::u16string::npos)
            missing += unit;
    if (!missing.empty()) {
        std::vector<std::vector<std::string>> found = findEncodedForms(missing);
        for (std::size_t i = 0; i < missing.size(); ++i)
            known.emplace(std::pair{m_encoding, missing[i]}, std::move(found[i]));
    }
    std::vector<std::vector<std::string>> forms;
    for (const char16_t unit : units)
        forms.push_back(known.at({m_encoding, unit}));
    return forms;
}

// Every code of the encoding decoded once in search of all of `units`.
std::vector<std::vector<std::string>> LineCodec::findEncodedForms(std::u16string_view units) {
    std::vector<std::vector<std::string>> forms(units.size());
    if (IsUtf16(m_encoding)) return forms;
    std::vector<bool> wanted(0x10000, false);
    for (const char16_t unit : units)
        wanted[unit] = true;
    const auto add = [&](char16_t decoded, const std::string& bytes) {
        if (!wanted[decoded]) return;
        for (std::size_t i = 0; i < units.size(); ++i)
            if (units[i] == decoded && !U16_IS_SURROGATE(decoded) &&
                std::find(forms[i].begin(), forms[i].end(), bytes) == forms[i].end())
                forms[i].push_back(bytes);
    };
    std::u16string decoded;
    // Read as displayed: an exact codec's table of one-way codes is not needed
    // here (no character's own form is one), nor worked out for it.
    LineCodec display(m_encoding);
    const auto consider = [&](const std::string& bytes) {
        display.decode(bytes, decoded);
        if (decoded.size() == 1) add(decoded[0], bytes);
    };
    for (const char16_t unit : units) {
        std::string canonical;
        encode(std::u16string_view(&unit, 1), canonical);
        consider(canonical);
    }
    if (m_encoding == Encoding::Utf8 || m_encoding == Encoding::Utf8Bom)
        return forms; // strict UTF-8 has one form per character
    // Double-byte encodings may map more than one code to a character: try
    // every single byte, and every two-byte code.
    std::string candidate(1, '\0');
    for (int b = 0; b < 256; ++b) {
        candidate[0] = static_cast<char>(b);
        consider(candidate);
    }
    forEachTwoByteCode([&](unsigned char lead, unsigned char trail, char16_t c) {
        add(c, std::string{static_cast<char>(lead), static_cast<char>(trail)});
    });
    return forms;
}

void LineCodec::forEachTwoByteCode(
    const std::function<void(unsigned char lead, unsigned char trail, char16_t c)>& each) {
    if (m_encoding != Encoding::Gb18030 && m_encoding != Encoding::Big5) return;
    UErrorCode status = U_ZERO_ERROR;
    UConverter* probe = ucnv_open(TraitsOf(m_encoding).icuName, &status);
    if (U_FAILURE(status)) return;
    constexpr int kFirstTrail = 0x40; // lower trails would start GB18030 four-byte codes
    constexpr int kPairs = 0xFF - kFirstTrail;
    // Each code followed by a line feed, which no code contains: an invalid
    // code's bytes cannot run into the next code.
    constexpr int kStride = 3;
    std::string codes(kStride * kPairs, '\n');
    std::u16string decoded(kStride * kPairs, u'\0');
    std::vector<int32_t> offsets(kStride * kPairs);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int t = 0; t < kPairs; ++t) {
            codes[kStride * t] = static_cast<char>(lead);
            codes[kStride * t + 1] = static_cast<char>(kFirstTrail + t);
        }
        UChar* target = reinterpret_cast<UChar*>(decoded.data());
        const char* source = codes.data();
        status = U_ZERO_ERROR;
        ucnv_resetToUnicode(probe);
        ucnv_toUnicode(probe, &target, target + decoded.size(), &source,
                       codes.data() + codes.size(), offsets.data(), true, &status);
        const auto produced =
            static_cast<std::size_t>(target - reinterpret_cast<UChar*>(decoded.data()));
        // A code is a character when it yields one unit, from its first byte,
        // alone, and not the converter's substitute for what it cannot read.
        for (std::size_t j = 0; j + 1 < produced; ++j) {
            const int32_t start = offsets[j] - offsets[j] % kStride;
            if (offsets[j] == start && offsets[j + 1] == start + 2 && decoded[j] != u'\x1A' &&
                decoded[j] != u'\uFFFD')
                each(static_cast<unsigned char>(lead),
                     static_cast<unsigned char>(kFirstTrail + start / kStride), decoded[j]);
        }
    }
    ucnv_close(probe);
}

} // namespace lumarin::engine
