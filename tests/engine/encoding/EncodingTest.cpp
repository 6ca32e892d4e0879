// SPDX-License-Identifier: MIT
#include "engine/encoding/Encoding.h"

#include "TestFiles.h"
#include "TestText.h"
#include "engine/encoding/CharacterCount.h"
#include "engine/encoding/LineCodec.h"
#include "engine/encoding/Utf8Scan.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <unicode/ustring.h>

namespace lumarin::engine {
namespace {

using test::Encode;

const std::u16string kSimplified = u"第一章 天下大势，分久必合，合久必分。周末七国分争，并入于秦。";
const std::u16string kTraditional = u"第一章 "
                                    u"話說天下大勢，分久必合，合久必分。周末七國分爭，並入於秦。及"
                                    u"秦滅之後，楚、漢分爭，又並入於漢。";

// Each row of the encoding table agrees with ICU's own idea of the encoding:
// a line feed takes one code unit, a byte order mark is read back as the row's
// encoding, and the names are unique.
TEST(EncodingTraits, EachRowAgreesWithIcu) {
    const struct {
        Encoding encoding;
        const char* icuEquivalent; // ICU's name for the same bytes, BOM aside
    } rows[] = {
        {Encoding::Utf8, "UTF-8"},       {Encoding::Utf8Bom, "UTF-8"},
        {Encoding::Utf16LE, "UTF-16LE"}, {Encoding::Utf16BE, "UTF-16BE"},
        {Encoding::Gb18030, "GB18030"},  {Encoding::Big5, "Big5-HKSCS"},
    };
    std::set<std::string_view> names;
    for (const auto& row : rows) {
        const EncodingTraits& traits = TraitsOf(row.encoding);
        const std::string name(traits.name);
        EXPECT_EQ(traits.encoding, row.encoding) << name;
        EXPECT_TRUE(names.insert(traits.name).second) << name;
        const std::string lineFeed = Encode(u"\n", row.icuEquivalent);
        EXPECT_EQ(lineFeed.size(), traits.unitBytes) << name;
        EXPECT_EQ(lineFeed.back() == '\n', traits.bigEndian || traits.unitBytes == 1) << name;
        if (traits.icuName != nullptr) {
            EXPECT_EQ(Encode(kSimplified, traits.icuName), Encode(kSimplified, row.icuEquivalent))
                << name;
        }
        if (!traits.byteOrderMark.empty()) {
            EXPECT_EQ(DetectEncoding(std::string(traits.byteOrderMark) + lineFeed, 0), row.encoding)
                << name;
        }
    }
}

// Runs of two-byte characters are counted sixteen bytes at a time: wherever a
// run starts and ends, whatever breaks it, the count is the characters'.
TEST(CharacterCount, TwoByteRunsCountAsTheCharactersTheyHold) {
    const struct {
        const char* name;
        Encoding encoding;
        std::u16string pool; // characters the encoding has
    } encodings[] = {
        {"GB18030", Encoding::Gb18030, u"第章字，。　a7 \u00E9\u0080\u4E00\u9FA5"},
        {"Big5", Encoding::Big5, u"第章字，。　a7 "},
    };
    // Bytes that start no valid sequence, each one character: a lone 0x80 or
    // 0xFF, a lead before a byte no trail can be.
    const struct {
        std::string bytes;
        std::int64_t chars;
    } invalid[] = {{"\x80", 1}, {"\xFF", 1}, {"\x81\x7F", 2}};
    std::mt19937 random(23);
    for (const auto& e : encodings) {
        for (int round = 0; round < 400; ++round) {
            std::string bytes(static_cast<std::size_t>(round % 17), 'x'); // every alignment
            std::int64_t expected = static_cast<std::int64_t>(bytes.size());
            for (std::size_t k = random() % 60; k > 0; --k) {
                const auto piece = random() % 16;
                if (piece == 0) {
                    const auto& bad = invalid[random() % std::size(invalid)];
                    bytes += bad.bytes;
                    expected += bad.chars;
                } else if (piece == 1 && e.encoding == Encoding::Gb18030) {
                    bytes += Encode(u"\U00020000", e.name); // a four-byte code
                    ++expected;
                } else {
                    // Long runs of two-byte characters, now and then broken.
                    bytes += Encode(
                        std::u16string(1, piece < 12 ? u'字' : e.pool[random() % e.pool.size()]),
                        e.name);
                    ++expected;
                }
            }
            bytes += "\r\n"; // line ends are not counted
            EXPECT_EQ(CountCharacters(bytes, e.encoding), expected) << e.name << " " << round;
            // A lead byte at the very end is one character.
            EXPECT_EQ(CountCharacters(bytes + "\xB5", e.encoding), expected + 1) << round;
        }
    }
}

TEST(DetectEncoding, ByteOrderMarkThenUtf8ThenBig5ThenGb18030) {
    std::string longBig5;
    std::string longGbk;
    std::string cantonese; // Hong Kong characters on every line
    for (int i = 0; i < 20; ++i) {
        longBig5 += Encode(kTraditional + u"\r\n", "Big5");
        longGbk += Encode(kSimplified + u"\r\n", "GB18030");
        cantonese += lumarin::test::EncodeWithIconv("佢哋話呢度嘅燈唔會熄，啲人成日都喺度等。\r\n",
                                                    "BIG5-HKSCS");
    }
    const struct {
        std::string bytes;
        std::uint64_t more; // bytes of the file after these
        Encoding expected;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "abc",
         0, Encoding::Utf8Bom},
        {"\xFF\xFE"
         "a\0",
         0, Encoding::Utf16LE},
        {"\xFE\xFF"
         "\0a",
         0, Encoding::Utf16BE},
        {"", 0, Encoding::Utf8},
        {"plain ascii\n", 0, Encoding::Utf8},
        {Encode(kSimplified, "UTF-8"), 0, Encoding::Utf8},
        {Encode(kSimplified, "UTF-8").substr(0, 11), 100, Encoding::Utf8}, // cut inside a character
        {Encode(kSimplified, "UTF-8").substr(0, 11), 0, Encoding::Gb18030},
        {longGbk, 0, Encoding::Gb18030},
        {longBig5, 0, Encoding::Big5},
        {cantonese, 0, Encoding::Big5},
        {Encode(kTraditional, "GB18030"), 0, Encoding::Gb18030}, // traditional text in GBK
        {"\xED\xA0\x80", 0, Encoding::Gb18030},                  // an encoded surrogate is no UTF-8
        {"\xC0\xAF", 0, Encoding::Gb18030},                      // nor an overlong form
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodingName(DetectEncoding(c.bytes, c.bytes.size() + c.more)),
                  EncodingName(c.expected))
            << c.bytes.size();
}

// UTF-8 with `stray` lone bytes among `characters` Chinese characters (and some ASCII).
std::string Utf8WithStrayBytes(int characters, int stray, unsigned char strayByte = 0xB5) {
    std::string text;
    for (int i = 0; i < characters; ++i) {
        text += "\xE5\xA4\xA9"; // 天
        if (i % 10 == 0) text += "ab ";
        if (stray > 0 && i % (characters / stray) == 0 && i / (characters / stray) < stray)
            text.push_back(static_cast<char>(strayByte));
    }
    return text;
}

TEST(DetectEncoding, MostlyUtf8IsUtf8) {
    const struct {
        const char* name;
        std::string bytes;
        std::uint64_t more;
        Encoding expected;
    } cases[] = {
        {"one stray byte", Utf8WithStrayBytes(500, 1), 0, Encoding::Utf8},
        {"1 in 100", Utf8WithStrayBytes(99, 1), 0, Encoding::Utf8},
        {"2 in 100", Utf8WithStrayBytes(98, 2), 0, Encoding::Gb18030},
        {"a cut lead byte counts once", Utf8WithStrayBytes(99, 1, 0xE5), 0, Encoding::Utf8},
        {"2 in 100, the rest may still dilute them", Utf8WithStrayBytes(98, 2), 300,
         Encoding::Utf8},
        {"2 in 100, too little left to dilute them", Utf8WithStrayBytes(98, 2), 150,
         Encoding::Gb18030},
        {"ascii only counts for nothing", std::string(5000, 'a') + "\xB5", 0, Encoding::Gb18030},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodingName(DetectEncoding(c.bytes, c.bytes.size() + c.more)),
                  EncodingName(c.expected))
            << c.name;
}

// Real novels in GBK and Big5 (our sample and the same text in traditional
// characters) are nowhere near mostly UTF-8: most of their non-ASCII is invalid.
TEST(Utf8Tally, LegacyNovelsAreFarFromUtf8) {
    for (const char* file : {"samples/qingdengji.txt", "tests/data/qingdengji-big5.txt"}) {
        const std::string bytes =
            lumarin::test::ReadBytes(std::string(LUMARIN_SOURCE_TREE) + "/" + file);
        ASSERT_GT(bytes.size(), 4000u) << file;
        Utf8Tally tally;
        tally.add(bytes);
        EXPECT_GT(tally.invalid * 2, tally.sequences) << file;
        EXPECT_NE(DetectEncoding(bytes, bytes.size()), Encoding::Utf8) << file;
    }
}

// Each maximal piece that no character can hold counts once.
TEST(Utf8Tally, CountsSequencesAndInvalidPieces) {
    const struct {
        std::string bytes;
        bool more;
        std::uint64_t sequences, invalid;
    } cases[] = {
        {"abc", false, 0, 0},
        {"\xE5\xA4\xA9\xC3\xA9\xF0\x9F\x98\x80", false, 3, 0},
        {"\xE5\xA4", false, 1, 1}, // cut at the end of the file
        {"\xE5\xA4", true, 1, 0},  // cut, the rest follows
        {"\xE5\xA4"
         "a\xE5",
         false, 2, 2},                     // a cut character, then a lone lead
        {"\xB5\xDA\xD2\xBB", false, 3, 2}, // GBK 第一: D2 BB happens to be UTF-8
        {"\xED\xA0\x80", false, 3, 3},     // a surrogate: ED, then two stray trails
        {"\xC0\xAF\xFF", false, 3, 3},
    };
    for (const auto& c : cases) {
        Utf8Tally tally;
        tally.add(c.bytes, c.more);
        EXPECT_EQ(tally.sequences, c.sequences) << c.bytes;
        EXPECT_EQ(tally.invalid, c.invalid) << c.bytes;
    }
}

TEST(ValidUtf8Prefix, CutCharactersAtChunkEnds) {
    const std::string chinese =
        "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD"; // 15 bytes
    const struct {
        std::string text;
        std::size_t prefix;
    } cases[] = {
        {chinese + chinese + "a\xE4\xB8", 31}, // cut at the very end of a 16-byte chunk
        {chinese + "a" + chinese + "\xE4\xB8" + chinese, 31},   // cut, then more text
        {chinese + "a" + chinese + "a" + chinese + "a", 48},    // all valid
        {chinese + "a" + "\xE4\xB8\xE4\xB8\xAD" + chinese, 16}, // cut before a whole character
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValidUtf8Prefix(c.text), c.prefix) << c.text.size();
}

// The vector path must agree with ICU's strict reading on every mix of
// characters, cut sequences and stray bytes, wherever the chunks fall.
TEST(ValidUtf8Prefix, AgreesWithIcu) {
    const std::string pieces[] = {"a",
                                  "\xC2\xA9",
                                  "\xE4\xB8\xAD",
                                  "\xE0\xA0\x80",
                                  "\xED\x9F\xBF",
                                  "\xF0\x90\x80\x80",
                                  "\xF4\x8F\xBF\xBF",
                                  "\xEF\xBF\xBD",
                                  "\n"};
    const std::string junk[] = {
        "\x80", "\xC0\xAF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
        "\xFF", "\xE4\xB8", "\xC1"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int k = 0; k < length; ++k)
            text += random() % 40 == 0 ? junk[random() % std::size(junk)]
                                       : pieces[random() % std::size(pieces)];
        std::u16string ignored(text.size() + 1, u'\0');
        int32_t produced = 0;
        UErrorCode status = U_ZERO_ERROR;
        u_strFromUTF8(reinterpret_cast<UChar*>(ignored.data()),
                      static_cast<int32_t>(ignored.size()), &produced, text.data(),
                      static_cast<int32_t>(text.size()), &status);
        const std::size_t prefix = ValidUtf8Prefix(text);
        ASSERT_EQ(prefix == text.size(), U_SUCCESS(status)) << round;
        status = U_ZERO_ERROR;
        u_strFromUTF8(reinterpret_cast<UChar*>(ignored.data()),
                      static_cast<int32_t>(ignored.size()), &produced, text.data(),
                      static_cast<int32_t>(prefix), &status);
        ASSERT_TRUE(U_SUCCESS(status))
            << round << " " << prefix << " " << ::testing::PrintToString(text);
    }
}

TEST(LineCodec, DecodesAndEncodesEachEncoding) {
    const struct {
        Encoding encoding;
        const char* icu;
        std::u16string text;
    } cases[] = {
        {Encoding::Gb18030, "GB18030", kSimplified + u"\U00020000€"},
        {Encoding::Big5, "Big5", kTraditional},
        {Encoding::Utf8, "UTF-8", kSimplified + u"\U0001F600"},
        {Encoding::Utf16LE, "UTF-16LE", kSimplified + u"\U0001F600"},
        {Encoding::Utf16BE, "UTF-16BE", kSimplified},
    };
    for (const auto& c : cases) {
        LineCodec codec(c.encoding);
        const std::string bytes = Encode(c.text, c.icu);
        EXPECT_EQ(codec.decode(bytes), c.text) << EncodingName(c.encoding);
        std::string encoded;
        codec.encode(c.text, encoded);
        EXPECT_EQ(encoded, bytes) << EncodingName(c.encoding);
    }
}

TEST(LineCodec, InvalidBytesAreCarriedAndWrittenBack) {
    const struct {
        Encoding encoding;
        std::string raw;
    } cases[] = {
        {Encoding::Gb18030, "\xB5\xDA\x81"
                            "a\xFF\xB5"},    // lone lead bytes, 0xFF, a cut character
        {Encoding::Gb18030, "\x81\x30\x81"}, // a cut four-byte code
        {Encoding::Big5, "\xB2\xC4\x80\xFF\xA4"},
        {Encoding::Utf8, "\xE7\xAC\xAC\xC0\xAF\xED\xA0\x80x\xE7\xAC"},
        {Encoding::Utf8, "\xF5\x80\x80\x80\xFE"},
    };
    for (const auto& c : cases) {
        LineCodec codec(c.encoding);
        const std::u16string text = codec.decode(c.raw);
        std::string encoded;
        codec.encode(text, encoded);
        EXPECT_EQ(encoded, c.raw) << EncodingName(c.encoding);
        bool carried = false;
        for (std::size_t i = 0; i < text.size(); ++i)
            carried = carried || IsCarriedByte(text, i);
        EXPECT_TRUE(carried) << EncodingName(c.encoding);
    }
}

// Whatever the bytes, decoding and encoding again gives them back.
TEST(LineCodec, AnyBytesRoundTrip) {
    std::mt19937 random(20261207);
    for (const Encoding encoding : {Encoding::Gb18030, Encoding::Big5, Encoding::Utf8}) {
        LineCodec codec(encoding, CodecMode::Exact);
        for (int round = 0; round < 20000; ++round) {
            std::string raw(random() % 24, '\0');
            for (char& byte : raw) {
                const auto kind = random() % 4;
                byte = static_cast<char>(kind == 0   ? random() % 0x80
                                         : kind == 1 ? '0' + random() % 10
                                                     : 0x80 + random() % 0x80);
            }
            std::string encoded;
            codec.encode(codec.decode(raw), encoded);
            ASSERT_EQ(encoded, raw) << EncodingName(encoding) << " round " << round;
        }
    }
}

TEST(LineCodec, CarriedBytesSurviveEditsAroundThem) {
    LineCodec codec(Encoding::Gb18030);
    const std::string raw = Encode(u"删除", "GB18030") + "\xFF" + Encode(u"保留", "GB18030");
    std::u16string text = codec.decode(raw);
    text.erase(0, 2);
    std::string encoded;
    codec.encode(text, encoded);
    EXPECT_EQ(encoded, "\xFF" + Encode(u"保留", "GB18030"));
}

TEST(LineCodec, Utf16KeepsLoneSurrogatesAndTheOddLastByte) {
    LineCodec codec(Encoding::Utf16LE);
    const std::string raw = std::string("\x41\x00\x00\xDC\x00\xD8", 6) + "\x7F";
    const std::u16string text = codec.decode(raw);
    EXPECT_EQ(text, (std::u16string{u'A', char16_t(0xDC00), char16_t(0xD800)}));
    std::string encoded;
    codec.encode(text, encoded);
    encoded.append(codec.oddTail(raw));
    EXPECT_EQ(encoded, raw);
}

// Hong Kong characters are characters, not Private Use code points.
TEST(LineCodec, Big5ReadsHongKongCharacters) {
    LineCodec big5(Encoding::Big5);
    const struct {
        std::string raw;
        std::u16string text;
    } cases[] = {
        {"\x92\x5D", u"哋"},
        {"\x9D\xEF", u"嘅"},
        {"\x87\x40", u"\u43F0"},
        {"\xA4\x40", u"一"}, // plain Big5 reads as before
    };
    for (const auto& c : cases) {
        EXPECT_EQ(big5.decode(c.raw), c.text) << test::U8(c.text);
        std::string encoded;
        big5.encode(c.text, encoded);
        EXPECT_EQ(encoded, c.raw) << test::U8(c.text);
    }
}

// Every two-byte code of each double-byte encoding comes back as its own bytes
// in exact mode, twins, Hong Kong and supplementary characters included.
TEST(LineCodec, ExactModeKeepsEveryTwoByteCode) {
    for (const Encoding encoding : {Encoding::Big5, Encoding::Gb18030}) {
        LineCodec codec(encoding, CodecMode::Exact);
        std::string raw(2, '\0');
        std::string encoded;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                raw[0] = static_cast<char>(lead);
                raw[1] = static_cast<char>(trail);
                encoded.clear();
                codec.encode(codec.decode(raw), encoded);
                ASSERT_EQ(encoded, raw) << EncodingName(encoding) << ' ' << lead << ' ' << trail;
            }
        }
    }
}

TEST(LineCodec, EncodedFormsFindEveryCodeOfACharacter) {
    LineCodec gbk(Encoding::Gb18030);
    EXPECT_EQ(gbk.encodedForms(u'第'), (std::vector<std::string>{"\xB5\xDA"}));
    LineCodec utf8(Encoding::Utf8);
    EXPECT_EQ(utf8.encodedForms(u'第'), (std::vector<std::string>{"\xE7\xAC\xAC"}));
    LineCodec big5(Encoding::Big5);
    const std::vector<std::string> forms = big5.encodedForms(u'第');
    ASSERT_FALSE(forms.empty());
    for (const std::string& form : forms)
        EXPECT_EQ(big5.decode(form), u"第");
    EXPECT_TRUE(LineCodec(Encoding::Utf16LE).encodedForms(u'第').empty());
}

} // namespace
} // namespace lumarin::engine
