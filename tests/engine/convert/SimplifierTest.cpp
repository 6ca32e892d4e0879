// SPDX-License-Identifier: MIT
#include "engine/convert/Simplifier.h"

#include "TestFiles.h"
#include "TestText.h"
#include "engine/base/EngineError.h"

#include <gtest/gtest.h>
#include <memory>
#include <opencc/Config.hpp>
#include <opencc/Conversion.hpp>
#include <opencc/ConversionChain.hpp>
#include <opencc/Converter.hpp>
#include <opencc/DictEntry.hpp>
#include <opencc/DictGroup.hpp>
#include <opencc/Lexicon.hpp>
#include <opencc/MaxMatchSegmentation.hpp>
#include <opencc/opencc.h>
#include <random>
#include <sstream>
#include <unicode/unistr.h>

namespace lumarin::engine {
namespace {

using namespace std::string_literals;

// OpenCC's own conversion of UTF-8 text, the reference for ours.
class OpenCCReference {
public:
    explicit OpenCCReference(const std::string& config) : m_handle(opencc_open(config.c_str())) {
        if (m_handle == reinterpret_cast<opencc_t>(-1)) throw std::runtime_error(opencc_error());
    }
    ~OpenCCReference() { opencc_close(m_handle); }
    OpenCCReference(const OpenCCReference&) = delete;
    OpenCCReference& operator=(const OpenCCReference&) = delete;

    std::string convert(const std::string& utf8) const {
        char* converted = opencc_convert_utf8(m_handle, utf8.data(), utf8.size());
        if (converted == nullptr) throw std::runtime_error(opencc_error());
        std::string result(converted);
        opencc_convert_utf8_free(converted);
        return result;
    }

private:
    opencc_t m_handle;
};

std::string Ours(const Simplifier& simplifier, const std::string& utf8) {
    return ToUtf8(simplifier.convert(FromUtf8(utf8)));
}

// Compares line by line, so that a difference names its line.
void ExpectSameLines(const std::string& ours, const std::string& reference) {
    std::istringstream a(ours);
    std::istringstream b(reference);
    std::string lineA;
    std::string lineB;
    int number = 0;
    while (std::getline(b, lineB)) {
        ++number;
        ASSERT_TRUE(std::getline(a, lineA)) << "line " << number << " missing";
        ASSERT_EQ(lineA, lineB) << "line " << number;
    }
    EXPECT_FALSE(std::getline(a, lineA)) << "extra line after " << number;
}

TEST(ToSimplified, ConvertsTraditionalAndKeepsTheRest) {
    const struct {
        std::u16string input, expected;
    } cases[] = {
        {u"話說天下大勢", u"话说天下大势"},
        {u"周末七國分爭，並入於秦。", u"周末七国分争，并入于秦。"},
        {u"简体不变 abc 123", u"简体不变 abc 123"},
        {u"", u""},
        {u"國\xDC80國", u"国\xDC80国"},         // a carried byte stays where it was
        {u"\xD840國\xDC00", u"\xD840国\xDC00"}, // so do lone surrogates
        {u"\U00020000國", u"\U00020000国"},
        {u"\U00029028\U00029028", u"\U0002B55A\U0002B55A"}, // keys beyond the basic plane
        // A phrase is not what its characters give one by one ...
        {u"計畫", u"计划"},
        // ... and NUL is a character like any other: it passes and ends a phrase.
        {u"計\0畫"s, u"计\0画"s},
        {u"\0國家\0"s, u"\0国家\0"s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToSimplified(c.input), c.expected) << test::U8(c.input);
}

TEST(ToSimplified, LeavesTextWithoutTraditionalCharactersAlone) {
    const Simplifier& simplifier = Simplifier::shared();
    EXPECT_FALSE(simplifier.mayChange(u"简体字，abc。"));
    EXPECT_TRUE(simplifier.mayChange(u"简体字，國。"));
    EXPECT_TRUE(simplifier.mayChange(u"简体字，文錦覆阱。")); // the first character of a phrase
    EXPECT_TRUE(simplifier.mayChange(u"\U00029028"));
}

// Text from the sample novel (simplified) and OpenCC's s2t of it (traditional).
TEST(ToSimplified, MatchesOpenCCOnTheSampleNovel) {
    const std::string bytes = test::ReadBytes(LUMARIN_SAMPLES_DIR "/qingdengji.txt");
    ASSERT_FALSE(bytes.empty());
    std::string sample;
    icu::UnicodeString(bytes.data(), static_cast<int32_t>(bytes.size()), "GB18030")
        .toUTF8String(sample);
    const std::string traditional = OpenCCReference("s2t.json").convert(sample);
    ASSERT_NE(traditional, sample);

    const OpenCCReference t2s("t2s.json");
    for (const std::string& text : {sample, traditional})
        ExpectSameLines(Ours(Simplifier::shared(), text), t2s.convert(text));
}

std::shared_ptr<opencc::Lexicon> PhraseLexicon(const opencc::Converter& t2s) {
    const auto segmentation =
        std::dynamic_pointer_cast<opencc::MaxMatchSegmentation>(t2s.GetSegmentation());
    return segmentation->GetDict()->GetLexicon();
}

// The dictionaries of the conversion step, one after the other.
std::vector<std::shared_ptr<opencc::Lexicon>> StepLexicons(const opencc::Converter& t2s) {
    const auto group = std::dynamic_pointer_cast<opencc::DictGroup>(
        t2s.GetConversionChain()->GetConversions().front()->GetDict());
    std::vector<std::shared_ptr<opencc::Lexicon>> lexicons;
    for (const auto& dict : group->GetDicts())
        lexicons.push_back(dict->GetLexicon());
    return lexicons;
}

// Every phrase at least three times: alone in a sentence, against its
// neighbours in the dictionary (so that phrases overlap and compete) and
// glued to a character that could start or end another phrase.
TEST(ToSimplified, MatchesOpenCCOnEveryPhrase) {
    opencc::Config config;
    const opencc::ConverterPtr t2s = config.NewFromFile("t2s.json");
    std::vector<std::string> keys;
    for (const auto& entry : *PhraseLexicon(*t2s))
        keys.push_back(entry->Key());
    ASSERT_GT(keys.size(), 100u);

    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string& next = keys[(i + 1) % keys.size()];
        const std::string& later = keys[(i + 7) % keys.size()];
        text += "他說「" + keys[i] + "」，" + keys[i] + next + "，還有" + later + keys[i] +
                "的後來。\n";
        text += "國" + keys[i] + "乾" + next.substr(0, 3) + "\n";
    }
    ExpectSameLines(Ours(Simplifier::shared(), text), OpenCCReference("t2s.json").convert(text));
}

// Pieces of phrases run together at random (fixed seed): phrases overlap and
// compete for the same characters far more often than in real text.
TEST(ToSimplified, MatchesOpenCCOnPhrasePiecesRunTogether) {
    opencc::Config config;
    const opencc::ConverterPtr t2s = config.NewFromFile("t2s.json");
    std::vector<std::u16string> keys;
    for (const auto& entry : *PhraseLexicon(*t2s))
        keys.push_back(FromUtf8(entry->Key()));
    std::mt19937 random(13);
    std::string text;
    for (int line = 0; line < 3000; ++line) {
        std::u16string pieces;
        for (int piece = 0; piece < 6; ++piece) {
            const std::u16string& key = keys[random() % keys.size()];
            const std::size_t start = random() % key.size();
            pieces += key.substr(start, 1 + random() % (key.size() - start));
        }
        text += ToUtf8(pieces) + "\n";
    }
    ExpectSameLines(Ours(Simplifier::shared(), text), OpenCCReference("t2s.json").convert(text));
}

// Every key of the conversion step: its characters, and its phrases again.
TEST(ToSimplified, MatchesOpenCCOnEveryCharacter) {
    opencc::Config config;
    const opencc::ConverterPtr t2s = config.NewFromFile("t2s.json");
    std::string text;
    int count = 0;
    for (const auto& lexicon : StepLexicons(*t2s)) {
        for (const auto& entry : *lexicon)
            text += entry->Key() + (++count % 40 == 0 ? "\n" : "");
    }
    ASSERT_GT(count, 1000);
    ExpectSameLines(Ours(Simplifier::shared(), text), OpenCCReference("t2s.json").convert(text));
}

// Rules that the t2s data never puts to the test, on a small configuration
// of our own, against OpenCC reading the same configuration.
TEST(Simplifier, FollowsOpenCCOnAConfigurationOfStepsAndGroups) {
    test::TempDir dir;
    dir.write("phrases.txt", "ab\tX\nabcd\tQ\naba\tR\n");
    dir.write("first.txt", "ab\tX\n");
    dir.write("second.txt", "a\t1\nb\t2\nbc\tY\ncd\tZ\nabc\tW\n\U00020000\t\U00020001\n");
    dir.write("last.txt", "X1\tP\n1\tone\n");
    const std::string config = dir.write("config.json", R"({
        "name": "test",
        "segmentation": {"type": "mmseg", "dict": {"type": "text", "file": "phrases.txt"}},
        "conversion_chain": [
            {"dict": {"type": "group", "dicts": [
                {"type": "text", "file": "first.txt"}, {"type": "text", "file": "second.txt"}]}},
            {"dict": {"type": "text", "file": "last.txt"}}]
    })")
                                   .string();
    const struct {
        std::string input, expected;
    } cases[] = {
        {"abcd", "XZ"}, // one segment; the first dictionary that holds a key wins, not the longest
                        // key
        {"abc", "Xc"},  // "bc" would cross from one segment into the next
        {"bcd", "Yd"},  // characters outside phrases form one segment
        {"abab", "P2"}, // the longest phrase "aba"; the last step sees the first step's "X1"
        {"aab", "oneX"},
        {"xa\U00020000b", "xone\U000200012"},
    };
    const Simplifier ours(LoadConversionPlan(config));
    const OpenCCReference reference(config);
    for (const auto& c : cases) {
        EXPECT_EQ(reference.convert(c.input), c.expected) << c.input;
        EXPECT_EQ(Ours(ours, c.input), c.expected) << c.input;
    }
}

TEST(Simplifier, ReportsAConfigurationItCannotRead) {
    test::TempDir dir;
    const std::string broken = dir.write("broken.json", "{\"name\": ").string();
    // A configuration whose one dictionary is `dict`.
    const auto usingDict = [&dir](const std::string& name, const std::string& dict) {
        const std::string ocd2 = R"({"type": "ocd2", "file": ")" + dict + R"("})";
        return dir
            .write(name, R"({"name": "test", "segmentation": {"type": "mmseg", "dict": )" + ocd2 +
                             R"(}, "conversion_chain": [{"dict": )" + ocd2 + "}]}")
            .string();
    };
    const std::string noDict = usingDict("no-dict.json", "missing.ocd2");
    dir.write("garbage.ocd2", std::string(64, '\x7F'));
    const std::string badDict = usingDict("bad-dict.json", "garbage.ocd2");
    for (const std::string& config :
         {std::string("no-such-configuration.json"), broken, noDict, badDict}) {
        try {
            LoadConversionPlan(config);
            ADD_FAILURE() << "no error for " << config;
        } catch (const EngineError& e) {
            EXPECT_EQ(e.code(), ErrorCode::ReadFailed);
            EXPECT_NE(std::string(e.what()).find(config), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace lumarin::engine
