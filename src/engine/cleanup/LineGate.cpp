// SPDX-License-Identifier: MIT
#include "engine/cleanup/LineGate.h"

#include "engine/cleanup/LineVerdict.h"
#include "engine/encoding/LineCodec.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

void SortUnique(std::vector<std::uint32_t>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

} // namespace

LineGate::LineGate(Encoding encoding) : m_encoding(encoding), m_characters(0x10000, kNone) {
    for (char16_t c = u'0'; c <= u'9'; ++c)
        m_characters[c] = kSure;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        m_characters[c] = m_characters[c - 0x20] = kSure;
    m_characters[u'.'] = kSure;
    for (char16_t c = u'０'; c <= u'９'; ++c)
        m_characters[c] = kSure;
    for (char16_t c = u'ａ'; c <= u'ｚ'; ++c)
        m_characters[c] = m_characters[c - 0x20] = kSure;
    for (const char16_t c : kPageOrDot)
        m_characters[c] = kSure;
    for (const std::u16string_view phrase : SitePhrases()) {
        if (m_characters[phrase[0]] != kSure) m_characters[phrase[0]] |= kFirst;
        if (m_characters[phrase[1]] != kSure) m_characters[phrase[1]] |= kSecond;
        m_characterPairs.push_back(std::uint32_t{phrase[0]} << 16 | phrase[1]);
    }
    SortUnique(m_characterPairs);
    if (encoding != Encoding::Gb18030 && encoding != Encoding::Big5) return;
    // Every two-byte code decoded once: its flag, and which character it is.
    m_codes.assign(0x10000, kNone);
    std::vector<char16_t> characterOf(0x10000, 0);
    LineCodec codec(encoding);
    std::string code(2, '\0');
    std::u16string decoded;
    for (std::uint32_t lead = 0x81; lead <= 0xFE; ++lead) {
        for (std::uint32_t trail = 0x40; trail <= 0xFE; ++trail) {
            code[0] = static_cast<char>(lead);
            code[1] = static_cast<char>(trail);
            codec.decode(code, decoded);
            if (decoded.size() != 1 || IsCarriedByte(decoded, 0)) continue;
            m_codes[lead << 8 | trail] = m_characters[decoded[0]];
            characterOf[lead << 8 | trail] = decoded[0];
        }
    }
    // Pairs of codes whose characters start a site phrase.
    for (std::uint32_t second = 0; second < m_codes.size(); ++second) {
        if (!(m_codes[second] & kSecond)) continue;
        for (const std::u16string_view phrase : SitePhrases()) {
            if (phrase[1] != characterOf[second]) continue;
            for (std::uint32_t first = 0; first < characterOf.size(); ++first)
                if (characterOf[first] == phrase[0]) m_codePairs.push_back(first << 16 | second);
        }
    }
    SortUnique(m_codePairs);
}

bool LineGate::isPair(std::uint32_t pair, const std::vector<std::uint32_t>& pairs) {
    return std::binary_search(pairs.begin(), pairs.end(), pair);
}

// One walk over a line's bytes for every byte encoding: `decode` reads the
// multi-byte sequence at a position and gives its length (0: the line ends
// inside it) and, when it may be a character looked for, its code.
template <typename Decode>
bool LineGate::walk(std::string_view raw, const std::vector<std::uint8_t>& flags,
                    const std::vector<std::uint32_t>& pairs, Decode decode) const {
    int starts = 0;
    std::uint32_t previous = 0;
    std::uint8_t previousFlag = kNone;
    for (std::size_t i = 0; i < raw.size();) {
        const auto lead = static_cast<unsigned char>(raw[i]);
        if (lead < 0x80) {
            if (m_characters[lead] == kSure) return true;
            previous = lead;
            previousFlag = m_characters[lead];
            ++i;
            continue;
        }
        const Sequence sequence = decode(raw, i);
        if (sequence.length == 0) break;
        i += sequence.length;
        if (!sequence.code) {
            previousFlag = kNone; // sequences of other lengths hold nothing looked for
            continue;
        }
        const std::uint8_t flag = flags[*sequence.code];
        if (passes(previousFlag, flag, previous, *sequence.code, pairs, starts)) return true;
        previous = *sequence.code;
        previousFlag = flag;
    }
    return false;
}

bool LineGate::legacyMayBeRemoved(std::string_view raw) const {
    const bool gb18030 = m_encoding == Encoding::Gb18030;
    return walk(raw, m_codes, m_codePairs, [gb18030](std::string_view text, std::size_t i) {
        if (i + 1 >= text.size()) return Sequence{};
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (gb18030 && trail >= 0x30 && trail <= 0x39) return Sequence{4, std::nullopt};
        return Sequence{2, std::uint32_t{lead} << 8 | trail};
    });
}

bool LineGate::utf8MayBeRemoved(std::string_view raw) const {
    return walk(raw, m_characters, m_characterPairs, [](std::string_view text, std::size_t i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0xE0 || lead >= 0xF0 || i + 2 >= text.size()) return Sequence{1, std::nullopt};
        return Sequence{3, std::uint32_t{(lead & 0x0Fu) << 12 |
                                         (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                                         (static_cast<unsigned char>(text[i + 2]) & 0x3Fu)}};
    });
}

bool LineGate::mayBeRemoved(std::string_view raw) const {
    switch (m_encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return utf8MayBeRemoved(raw);
    case Encoding::Gb18030:
    case Encoding::Big5:
        return legacyMayBeRemoved(raw);
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    return true;
}

} // namespace lumarin::engine
