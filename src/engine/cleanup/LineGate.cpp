// SPDX-License-Identifier: MIT
// Every line of a book passes through here, so the walk that most lines take
// is one table look-up per character and no branch on what the characters
// are (a branch a story's text takes at random costs more than the rest of
// the walk). Only a line where a phrase's first character stands before its
// second, a few in a hundred, is walked again to check the pairs.
#include "engine/cleanup/LineGate.h"

#include "engine/cleanup/LineVerdict.h"
#include "engine/encoding/LineCodec.h"

#include <algorithm>
#include <array>
#include <utility>

namespace lumarin::engine {
namespace {

void SortUnique(std::vector<std::uint32_t>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

// The characters JudgeLine reads as `c`: itself and its traditional forms.
std::vector<char16_t> FormsOf(char16_t c) {
    std::vector<char16_t> forms{c};
    for (const CharacterFold& fold : TraditionalForms())
        if (fold.simplified == c) forms.push_back(fold.traditional);
    return forms;
}

// A multi-byte sequence: its length (0: the line ends inside it) and its
// code, 0 when it cannot be a character looked for (no flag is at 0).
struct Sequence {
    std::size_t length = 0;
    std::uint32_t code = 0;
};

// UTF-8: ASCII and three-byte sequences are characters looked for; others,
// and bytes inside them, are stepped over one by one.
Sequence Utf8Sequence(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return Sequence{1, lead};
    if (lead < 0xE0 || lead >= 0xF0 || i + 2 >= text.size()) return Sequence{1, 0};
    return Sequence{3, (lead & 0x0Fu) << 12 |
                           (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                           (static_cast<unsigned char>(text[i + 2]) & 0x3Fu)};
}

// The two bytes at `p` as one code, the first byte low: read in one load.
std::uint32_t CodeAt(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8;
}

// GB18030 and Big5: two bytes. A four-byte GB18030 sequence reads as two codes
// whose second bytes are digits, which no two-byte code has: neither has a flag.
Sequence LegacySequence(std::string_view text, std::size_t i) {
    if (i + 1 >= text.size()) return Sequence{};
    return Sequence{2, CodeAt(reinterpret_cast<const unsigned char*>(text.data()) + i)};
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
        for (const char16_t form : FormsOf(c))
            m_characters[form] = kSure;
    for (const std::u16string_view phrase : SitePhrases()) {
        for (const char16_t first : FormsOf(phrase[0])) {
            if (m_characters[first] != kSure) m_characters[first] |= kFirst;
            for (const char16_t second : FormsOf(phrase[1]))
                m_characterPairs.push_back(std::uint32_t{first} << 16 | second);
        }
        for (const char16_t second : FormsOf(phrase[1]))
            if (m_characters[second] != kSure) m_characters[second] |= kSecond;
    }
    SortUnique(m_characterPairs);
    for (const char16_t c : std::u16string_view(u"“「『"))
        m_characters[c] |= kOpens;
    for (const char16_t c : std::u16string_view(u"”」』"))
        m_characters[c] |= kCloses;
    if (encoding != Encoding::Gb18030 && encoding != Encoding::Big5) return;
    // Every two-byte code decoded once: its flag; and the codes of the
    // characters that start a phrase, with the character each is read as.
    m_codes.assign(0x10000, kNone);
    for (std::uint32_t next = 0; next <= 0xFF; ++next)
        for (unsigned char lead = 0; lead < 0x80; ++lead)
            m_codes[CodeAt(std::array{lead, static_cast<unsigned char>(next)}.data())] =
                m_characters[lead];
    std::vector<std::pair<char16_t, std::uint32_t>> firsts;
    std::vector<std::pair<char16_t, std::uint32_t>> seconds;
    LineCodec(encoding).forEachTwoByteCode(
        [&](unsigned char lead, unsigned char trail, char16_t c) {
            const std::uint8_t flag = m_characters[c];
            const std::uint32_t at = CodeAt(std::array{lead, trail}.data());
            m_codes[at] = flag;
            if (flag & kFirst) firsts.emplace_back(SimplifiedForm(c), at);
            if (flag & kSecond) seconds.emplace_back(SimplifiedForm(c), at);
        });
    for (const std::u16string_view phrase : SitePhrases()) {
        for (const auto& [firstCharacter, first] : firsts) {
            if (firstCharacter != phrase[0]) continue;
            for (const auto& [secondCharacter, second] : seconds)
                if (secondCharacter == phrase[1]) m_codePairs.push_back(first << 16 | second);
        }
    }
    SortUnique(m_codePairs);
}

// As in legacyScan: runs of three-byte sequences (Chinese text) are stepped
// through without a look at the lead for the step; anything else is read by
// Utf8Sequence.
LineGate::Scan LineGate::utf8Scan(std::string_view raw) const {
    static_assert(kFirst << 1 == kSecond);
    const auto* const bytes = reinterpret_cast<const unsigned char*>(raw.data());
    const std::uint8_t* const characters = m_characters.data();
    Scan scan;
    std::uint8_t previousFlag = kNone;
    const auto take = [&](std::uint32_t code) {
        const std::uint8_t flag = characters[code];
        scan.seen |= flag;
        scan.pairs += (flag & (previousFlag << 1)) & kSecond;
        previousFlag = flag;
    };
    std::size_t i = 0;
    while (i < raw.size()) {
        for (; i + 2 < raw.size() && (bytes[i] & 0xF0) == 0xE0; i += 3)
            take((bytes[i] & 0x0Fu) << 12 | (bytes[i + 1] & 0x3Fu) << 6 | (bytes[i + 2] & 0x3Fu));
        if (i >= raw.size()) break;
        const Sequence sequence = Utf8Sequence(raw, i);
        i += sequence.length;
        take(sequence.code);
    }
    return scan;
}

// Runs of two-byte codes are stepped through without a look at their bytes'
// values for the step, so that the next step need not wait for this one's
// load; an ASCII byte between them is one step of its own. m_codes answers
// for both from the two bytes at the step's start.
LineGate::Scan LineGate::legacyScan(std::string_view raw) const {
    Scan scan;
    if (raw.empty()) return scan;
    const auto* p = reinterpret_cast<const unsigned char*>(raw.data());
    const auto* const last = p + raw.size() - 1; // a step reads two bytes: it starts before this
    const std::uint8_t* const codes = m_codes.data();
    std::uint8_t previousFlag = kNone;
    const auto take = [&](std::uint8_t flag) {
        scan.seen |= flag;
        scan.pairs += (flag & (previousFlag << 1)) & kSecond;
        previousFlag = flag;
    };
    while (p < last) {
        for (; p < last && *p >= 0x80; p += 2)
            take(codes[CodeAt(p)]);
        if (p >= last) break;
        take(codes[CodeAt(p)]);
        ++p;
    }
    if (p == last && *p < 0x80) // a last ASCII byte (a lead alone ends the line)
        take(m_characters[*p]);
    return scan;
}

template <typename Decode>
bool LineGate::twoPhrasesStart(std::string_view raw, const std::vector<std::uint8_t>& flags,
                               const std::vector<std::uint32_t>& pairs, Decode decode) const {
    int starts = 0;
    std::uint32_t previous = 0;
    std::uint8_t previousFlag = kNone;
    for (std::size_t i = 0; i < raw.size();) {
        const auto lead = static_cast<unsigned char>(raw[i]);
        std::uint32_t current = lead;
        std::uint8_t flag = m_characters[lead];
        if (lead < 0x80) {
            ++i;
        } else {
            const Sequence sequence = decode(raw, i);
            if (sequence.length == 0) break;
            i += sequence.length;
            current = sequence.code;
            flag = flags[current];
        }
        if ((flag & kSecond) && (previousFlag & kFirst) &&
            std::binary_search(pairs.begin(), pairs.end(), previous << 16 | current) &&
            ++starts >= 2)
            return true;
        previous = current;
        previousFlag = flag;
    }
    return false;
}

// A line where a phrase's first character stands before its second twice
// at least is walked again, to see whether two phrases start there.
LineGate::Look LineGate::look(std::string_view raw) const {
    const auto looked = [](const Scan& scan, const auto& twoPhrases) {
        return Look{(scan.seen & kSure) != 0 || (scan.pairs >= 2 * kSecond && twoPhrases()),
                    (scan.seen & kOpens) != 0, (scan.seen & kCloses) != 0};
    };
    switch (m_encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return looked(utf8Scan(raw), [&] {
            return twoPhrasesStart(raw, m_characters, m_characterPairs,
                                   [](std::string_view text, std::size_t i) {
                                       return Utf8Sequence(text, i);
                                   });
        });
    case Encoding::Gb18030:
    case Encoding::Big5:
        return looked(legacyScan(raw), [&] {
            return twoPhrasesStart(raw, m_codes, m_codePairs,
                                   [](std::string_view text, std::size_t i) {
                                       return LegacySequence(text, i);
                                   });
        });
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        break;
    }
    return Look{true, false, false}; // judged decoded: quotes are read there
}

} // namespace lumarin::engine
