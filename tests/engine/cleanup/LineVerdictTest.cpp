// SPDX-License-Identifier: MIT
// The judgement of single lines, and the gate on raw bytes that must let every line it
// would remove through, in every encoding a source can have.
#include "engine/cleanup/LineVerdict.h"

#include "engine/cleanup/LineGate.h"
#include "engine/cleanup/WrapWidth.h"
#include "engine/encoding/LineCodec.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <opencc/opencc.h>
#include <optional>

namespace lumarin::engine {
namespace {

struct Judged {
    std::u16string_view text;
    std::optional<RemovalReason> reason;
};

constexpr auto kAd = RemovalReason::Ad;
constexpr auto kPage = RemovalReason::PageMarker;

const Judged kLines[] = {
    // Advertisements and watermarks.
    {u"更多精彩请访问 www.qingdeng.com", kAd},
    {u"手机用户请浏览m.qingdeng.com阅读，更优质的阅读体验。", kAd},
    {u"（ｗｗｗ．ｑｉｎｇｄｅｎｇ．ｃｏｍ）", kAd},
    {u"w w w . q i n g d e n g . c o m", kAd},
    {u"www点qingdeng点com", kAd},
    {u"http://book.example.net/read/12.html", kAd},
    {u"天才一秒记住本站地址：笔趣阁", kAd},
    {u"最快更新，无弹窗阅读！", kAd},
    {u"本书由某某小说网首发", kAd},
    {u"起点中文网首发", kAd},
    {u"请记住本书首发域名：qingdeng.cc。笔趣阁手机版阅读网址：m.qingdeng.cc", kAd},
    {u"本站网址：qingdeng.la，请牢记！", kAd},
    // As sites in traditional characters stamp them.
    {u"本站首發，最新章節請到筆趣閣閱讀", kAd},
    {u"小說閱讀網首發，免費閱讀全文", kAd},
    {u"手機用戶請瀏覽m.qingdeng.tw閲讀", kAd},
    {u"請記住本書首發域名，手機版閱讀網址同步更新", kAd},
    // Page leftovers.
    {u"-- 12 --", kPage},
    {u"— 105 —", kPage},
    {u"- 7 -", kPage},
    {u"第 37 页", kPage},
    {u"第十二页", kPage},
    {u"第12页 共300页", kPage},
    {u"第１２页/共３００页", kPage},
    {u"页面 4", kPage},
    {u"页码：18", kPage},
    {u"Page 12 of 300", kPage},
    {u"12/300", kPage},
    {u"第 37 頁", kPage},
    {u"第十二頁", kPage},
    {u"頁碼：18", kPage},
    // The story, mentioning sites, addresses and 首发 in passing.
    {u"　　他在网吧里打开了一个网址，却发现那个网站早已关闭。", std::nullopt},
    {u"　　这本书在起点首发的时候，他还只是个学生。", std::nullopt},
    {u"　　“你知道那个网址吗？”她低声问。", std::nullopt},
    {u"“首发？”", std::nullopt},
    {u"“快告诉我网址和域名！”", std::nullopt},
    {u"　　他输入了www.baidu.com，页面却一片空白。", std::nullopt},
    {u"　　他打开手机版的地图，找到了那家客栈。", std::nullopt},
    {u"　　小说网站上的评论让他哭笑不得。", std::nullopt},
    {u"　　师父说，最快更新消息的地方，是城南的茶馆。", std::nullopt},
    {u"　　他在網吧裡打開了一個網址，卻發現那個網站早已關閉。", std::nullopt},
    {u"　　這本書在起點首發的時候，他還只是個學生。", std::nullopt},
    {u"「首發？」", std::nullopt},
    {u"　　他說這部小說網上有全文閱讀，可他一直沒去看。", std::nullopt},
    {u"He said: the road is long.", std::nullopt},
    // Characters who name an address.
    {u"“快去www.qingdeng.com！”", std::nullopt},
    {u"他说：“记住qingdeng.cc。”", std::nullopt},
    {u"「網址是qingdeng.tw，記住了。」", std::nullopt},
    {u"第一章 风起", std::nullopt},
    {u"3", std::nullopt},
    {u"2012年3月", std::nullopt},
    {u"——", std::nullopt},
    {u"", std::nullopt},
};

// Whether the encoding writes `text` as it is.
bool Holds(LineCodec& codec, std::u16string_view text) {
    std::string raw;
    codec.encode(text, raw);
    std::u16string back;
    codec.decode(raw, back);
    return back == text;
}

// `text` with every character that has a traditional form in it.
std::u16string TraditionalOf(std::u16string text) {
    for (char16_t& c : text)
        for (const CharacterFold& fold : TraditionalForms())
            if (fold.simplified == c) c = fold.traditional;
    return text;
}

TEST(LineVerdictTest, JudgesEachLineByItself) {
    for (const Judged& line : kLines) {
        const auto reason = JudgeLine(line.text);
        EXPECT_EQ(reason.has_value(), line.reason.has_value())
            << "line " << (&line - kLines) << (reason ? " removed" : " kept");
        if (reason && line.reason) {
            EXPECT_EQ(*reason, *line.reason) << "line " << (&line - kLines);
        }
    }
}

// OpenCC's traditional forms (Taiwan's, Hong Kong's and the standard ones)
// of every line above, and of every pair of site phrases, are judged as the
// simplified ones: the folded forms keep up with the words.
TEST(LineVerdictTest, JudgesTraditionalFormsAlike) {
    const auto forms = TraditionalForms();
    ASSERT_TRUE(std::is_sorted(forms.begin(), forms.end(), [](auto a, auto b) {
        return a.traditional < b.traditional;
    })); // looked up by halves
    LineCodec utf8(Encoding::Utf8);
    for (const char* config : {"s2t.json", "s2tw.json", "s2hk.json"}) {
        SCOPED_TRACE(config);
        const opencc_t converter = opencc_open(config);
        ASSERT_NE(converter, reinterpret_cast<opencc_t>(-1)) << opencc_error();
        const auto traditional = [&](std::u16string_view text) {
            std::string raw;
            utf8.encode(text, raw);
            char* converted = opencc_convert_utf8(converter, raw.data(), raw.size());
            std::u16string result;
            utf8.decode(converted, result);
            opencc_convert_utf8_free(converted);
            return result;
        };
        for (const Judged& line : kLines) {
            const std::u16string text = traditional(line.text);
            EXPECT_EQ(JudgeLine(text), line.reason) << "line " << (&line - kLines);
        }
        const auto phrases = SitePhrases();
        for (std::size_t i = 0; i + 1 < phrases.size(); ++i) {
            const std::u16string text =
                std::u16string(phrases[i]) + u"，" + std::u16string(phrases[i + 1]);
            EXPECT_EQ(JudgeLine(traditional(text)), JudgeLine(text)) << "phrases " << i;
        }
        opencc_close(converter);
    }
}

// A gate that shut out a line JudgeLine removes would keep an advertisement silently.
TEST(LineVerdictTest, GateLetsThroughEveryLineThatIsRemoved) {
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Gb18030, Encoding::Big5}) {
        SCOPED_TRACE(EncodingName(encoding));
        const LineGate gate(encoding);
        LineCodec codec(encoding);
        for (const Judged& line : kLines) {
            if (!line.reason || !Holds(codec, line.text)) continue; // Big5 holds no simplified text
            // Also behind and before characters of other lengths: a two-byte
            // code with an ASCII trail byte, a four-byte GB18030 code, ASCII.
            for (const std::u16string_view around : {u"", u"丂", u"\U00020000", u"，", u"x"}) {
                for (const std::u16string& text :
                     {std::u16string(around) + std::u16string(line.text),
                      std::u16string(line.text) + std::u16string(around)}) {
                    std::string raw;
                    codec.encode(text, raw);
                    EXPECT_TRUE(gate.mayBeRemoved(raw)) << "line " << (&line - kLines);
                }
            }
        }
        // Every pair of site phrases makes a line the gate lets through, in
        // either script.
        const auto phrases = SitePhrases();
        for (std::size_t i = 0; i + 1 < phrases.size(); ++i) {
            for (const bool traditional : {false, true}) {
                const std::u16string text = std::u16string(phrases[i]) + u"，" +
                                            std::u16string(phrases[i + 1]);
                const std::u16string line = traditional ? TraditionalOf(text) : text;
                if (!Holds(codec, line)) continue;
                std::string raw;
                codec.encode(line, raw);
                EXPECT_TRUE(gate.mayBeRemoved(raw)) << "phrases " << i;
            }
        }
        std::string story;
        codec.encode(u"　　夜色渐深，客栈里只剩下几盏灯火，众人沉默片刻。", story);
        EXPECT_FALSE(gate.mayBeRemoved(story));
    }
}

// Over whole books, the gate against the judgement itself: no line the
// judgement removes is shut out, in each encoding the book can be written in.
TEST(LineVerdictTest, GateAgreesWithTheJudgementOverTheCorpora) {
    const std::filesystem::path books[] = {
        std::filesystem::path(LUMARIN_CLEANUP_CORPUS) / "ads.txt",
        std::filesystem::path(LUMARIN_CLEANUP_CORPUS) / "ads-traditional.txt",
        std::filesystem::path(LUMARIN_CLEANUP_CORPUS) / "wrapped.txt",
        std::filesystem::path(LUMARIN_CLEANUP_CORPUS) / "plain.txt",
        std::filesystem::path(LUMARIN_SAMPLES_DIR) / "qingdengji.txt",
    };
    for (const auto& book : books) {
        SCOPED_TRACE(book.filename().string());
        std::ifstream in(book, std::ios::binary);
        ASSERT_TRUE(in) << book;
        std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LineCodec utf8Codec(Encoding::Utf8);
        std::u16string text;
        utf8Codec.decode(utf8, text);
        int removed = 0;
        for (const Encoding encoding : {Encoding::Utf8, Encoding::Gb18030, Encoding::Big5}) {
            const LineGate gate(encoding);
            LineCodec codec(encoding);
            std::size_t start = 0;
            while (start < text.size()) {
                std::size_t end = text.find(u'\n', start);
                if (end == std::u16string::npos) end = text.size();
                std::u16string_view line(text.data() + start, end - start);
                if (line.ends_with(u'\r')) line.remove_suffix(1);
                start = end + 1;
                if (!JudgeLine(line) || !Holds(codec, line)) continue;
                ++removed;
                std::string raw;
                codec.encode(line, raw);
                EXPECT_TRUE(gate.mayBeRemoved(raw)) << EncodingName(encoding);
            }
        }
        if (book.filename().string().starts_with("ads")) {
            EXPECT_GT(removed, 0);
        }
    }
}

struct WrapCase {
    const char* name;
    std::vector<std::pair<int, bool>> lines; // width, ends a sentence
    int expected;
};

TEST(WrapWidthTest, FindsTheWidthOfAHardWrapOnly) {
    const auto repeat = [](std::vector<std::pair<int, bool>> pattern, int times) {
        std::vector<std::pair<int, bool>> lines;
        for (int i = 0; i < times; ++i)
            lines.insert(lines.end(), pattern.begin(), pattern.end());
        return lines;
    };
    const WrapCase cases[] = {
        {"wrapped at 60", repeat({{60, false}, {60, false}, {59, false}, {24, true}}, 10), 60},
        {"wrapped, dialogue", repeat({{60, false}, {18, true}, {12, true}, {40, true}}, 10), 60},
        {"paragraph a line",
         repeat({{120, true}, {60, true}, {300, true}, {44, true}, {90, true}}, 10), 0},
        {"wide lines end sentences", repeat({{60, true}, {60, true}, {20, true}}, 10), 0},
        {"too few lines", repeat({{60, false}}, 5), 0},
        {"narrow verse", repeat({{14, false}, {14, false}}, 10), 0},
        {"verse of like widths", repeat({{26, false}, {24, false}, {26, false}, {26, false}}, 10),
         0},
    };
    for (const WrapCase& c : cases) {
        SCOPED_TRACE(c.name);
        WrapWidth widths;
        for (const auto& [width, closed] : c.lines)
            widths.add(width, closed, false);
        EXPECT_EQ(widths.decide().width, c.expected);
    }
}

} // namespace
} // namespace lumarin::engine
