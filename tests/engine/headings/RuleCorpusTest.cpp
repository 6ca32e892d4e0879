// SPDX-License-Identifier: MIT
// One book per heading format, each with realistic decoys in its prose: the
// automatic choice must find exactly the planted split points, the audit must
// flag exactly the planted faults, and the planted near misses must be listed.
#include "TestFiles.h"
#include "TestText.h"
#include "engine/headings/Analyzer.h"
#include "support/ChineseNumerals.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace lumarin::engine {
namespace {

std::u16string Chinese(int n) {
    return lumarin::test::WrittenOut(n);
}

std::u16string Financial(int n) {
    std::u16string text = Chinese(n);
    const std::u16string_view plain = u"一二三四五六七八九十百";
    const std::u16string_view cheque = u"壹贰叁肆伍陆柒捌玖拾佰";
    for (char16_t& c : text)
        if (const auto at = plain.find(c); at != std::u16string_view::npos) c = cheque[at];
    return text;
}

std::u16string Digits(int n, bool fullWidth = false) {
    std::u16string text;
    for (const char c : std::to_string(n))
        text += static_cast<char16_t>(fullWidth ? u'０' + (c - '0') : c);
    return text;
}

// Prose with the mentions that fool a heading condition: chapters named in
// sentences, rounds, lessons, rankings, clock times, English prose.
const std::u16string kProse[] = {
    u"　　山风吹过，林间的落叶沙沙作响。",
    u"　　他翻到第三章，发现书页早已泛黄。",
    u"　　“这已经是第二回合了，”他喘着气说。",
    u"第一节课是数学课，老师讲得很慢。",
    u"　　他在比赛里拿了第2名，心里并不满意。",
    u"3.5点的时候他才醒过来，窗外已经亮了。",
    u"He said chapter 3 was the best part of the book.",
    u"第三章的内容他早就忘了，只记得那场雨。",
    u"　　第二天一早，他们就出发了。",
    u"1. 他推开门走了出去。",
    u"　　远处传来钟声，一下，又一下。",
    u"第2名的奖品只是一支笔。",
};
// Looks like a heading, is none under any rule.
const std::u16string kPlantedNearMiss = u"第十二張 错了一个字";

struct Planted {
    std::u16string heading;
    int number = 0;
    AuditFlags flags = 0;
};

struct Book {
    std::vector<std::u16string> lines;
    std::vector<std::size_t> headingLines; // 1-based
    std::vector<Planted> headings;
    std::size_t nearMissLine = 0;

    void add(const std::u16string& line) { lines.push_back(line); }
    void heading(const Planted& planted) {
        add(planted.heading);
        headingLines.push_back(lines.size());
        headings.push_back(planted);
    }
    void prose(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            add(kProse[(lines.size() + i) % std::size(kProse)]);
    }
    std::u16string text() const {
        std::u16string joined;
        for (const auto& line : lines)
            joined += line + u"\r\n";
        return joined;
    }
};

// Front matter, then each heading followed by twelve lines of prose (with the
// planted near miss in the second chapter); `extra` lines (a volume title, a
// sub-section) may stand before a heading or inside its chapter.
Book MakeBook(const std::vector<Planted>& headings,
              const std::map<std::size_t, std::vector<std::u16string>>& before = {},
              const std::map<std::size_t, std::vector<std::u16string>>& inside = {}) {
    Book book;
    book.add(u"书名：测试之书");
    book.add(u"作者：无名");
    book.prose(3);
    for (std::size_t i = 0; i < headings.size(); ++i) {
        if (const auto it = before.find(i); it != before.end()) {
            for (const auto& line : it->second) {
                book.add(line);
                book.prose(11);
            }
        }
        book.heading(headings[i]);
        book.prose(6);
        if (const auto it = inside.find(i); it != inside.end()) {
            for (const auto& line : it->second) {
                book.add(line);
                book.prose(11);
            }
        }
        if (i == 1) {
            book.add(kPlantedNearMiss);
            book.nearMissLine = book.lines.size();
        }
        book.prose(6);
    }
    return book;
}

std::vector<Planted> Numbered(int count, const std::function<std::u16string(int)>& heading) {
    std::vector<Planted> headings;
    for (int n = 1; n <= count; ++n)
        headings.push_back({heading(n), n});
    return headings;
}

struct CorpusCase {
    const char* format;
    std::u16string rule;
    Book book;
    const char* charset = "GB18030";
};

std::vector<CorpusCase> Corpus() {
    std::vector<CorpusCase> cases;
    const auto add = [&](const char* format, const std::u16string& rule, Book book,
                         const char* charset = "GB18030") {
        cases.push_back({format, rule, std::move(book), charset});
    };
    add("第N章, Chinese numerals", u"第N章",
        MakeBook(Numbered(24, [](int n) { return u"第" + Chinese(n) + u"章 风起" + Chinese(n); })));
    add("第N章, financial numerals", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第" + Financial(n) + u"章 大写"; })));
    add("第N章, digit by digit past one hundred", u"第N章", MakeBook(Numbered(112, [](int n) {
            return u"第" + lumarin::test::DigitByDigit(n) + u"章";
        })));
    add("第N章, Chinese numerals past one thousand", u"第N章", [] {
        std::vector<Planted> headings;
        for (int n = 998; n <= 1010; ++n)
            headings.push_back({u"第" + Chinese(n) + u"章", n});
        return MakeBook(headings);
    }());
    add("第N章, ASCII digits, UTF-8", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第" + Digits(n) + u"章：标题"; })), "UTF-8");
    add("第N章, full-width digits, UTF-16", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第" + Digits(n, true) + u"章　标题"; })),
        "UTF-16LE");
    add("第 N 章 with spaces inside", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第 " + Chinese(n) + u" 章 空格"; })));
    add("indented headings", u"第N章", MakeBook(Numbered(12, [](int n) {
            return (n % 2 != 0 ? u"　　第" : u"    第") + Chinese(n) + u"章 缩进";
        })));
    add("bracketed and decorated", u"第N章", MakeBook(Numbered(12, [](int n) {
            const std::u16string core = u"第" + Chinese(n) + u"章";
            switch (n % 5) {
            case 0:
                return u"【" + core + u"】标题";
            case 1:
                return u"〖" + core + u" 标题〗";
            case 2:
                return u"[" + core + u"] 标题";
            case 3:
                return u"===" + core + u" 标题===";
            default:
                return u"☆" + core + u" 标题";
            }
        })));
    {
        std::vector<Planted> headings = {{u"楔子", 0}, {u"序章 开端", 0}};
        for (int n = 1; n <= 10; ++n)
            headings.push_back({u"第" + Chinese(n) + u"章 正文", n});
        headings.push_back({u"尾声", 0});
        headings.push_back({u"番外一 后来", 0});
        headings.push_back({u"后记", 0});
        add("unnumbered parts around chapters", u"第N章", MakeBook(headings));
    }
    add("volume and chapter on one line", u"第N章", MakeBook(Numbered(12, [](int n) {
            return u"第" + Chinese((n + 3) / 4) + u"卷 风云 第" + Chinese(n) + u"章 归来";
        })));
    add("two levels: 第N部 over 第N章", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第" + Chinese(n) + u"章 正文"; }),
                 {{0, {u"第一部 少年"}}, {6, {u"第二部 青年"}}}));
    add("two levels: 第N章 over 一、", u"第N章",
        MakeBook(Numbered(6, [](int n) { return u"第" + Chinese(n) + u"章 正文"; }), {},
                 {{0, {u"一、出发", u"二、途中", u"三、到达"}},
                  {1, {u"一、出发", u"二、途中", u"三、到达"}},
                  {2, {u"一、出发", u"二、途中"}},
                  {3, {u"一、出发", u"二、途中", u"三、到达"}},
                  {4, {u"一、出发", u"二、途中", u"三、到达"}},
                  {5, {u"一、出发", u"二、途中", u"三、到达"}}}));
    add("traditional characters, Big5", u"第N章",
        MakeBook(Numbered(12, [](int n) { return u"第" + Chinese(n) + u"章 風雲際會"; })), "Big5");
    add("第N回", u"第N回",
        MakeBook(Numbered(12, [](int n) { return u"第" + Chinese(n) + u"回 英雄聚义"; })));
    add("第N节, traditional 節", u"第N节",
        MakeBook(Numbered(12, [](int n) { return u"第" + Chinese(n) + u"節 開始"; })));
    add("第N卷", u"第N卷",
        MakeBook(Numbered(5, [](int n) { return u"第" + Chinese(n) + u"卷 长路"; })));
    add("第N集", u"第N集",
        MakeBook(Numbered(5, [](int n) { return u"第" + Chinese(n) + u"集 长路"; })));
    add("第N部", u"第N部",
        MakeBook(Numbered(5, [](int n) { return u"第" + Chinese(n) + u"部 长路"; })));
    add("第N话", u"第N话",
        MakeBook(Numbered(12, [](int n) { return u"第" + Digits(n) + u"话 约定"; })));
    add("第N篇", u"第N篇",
        MakeBook(Numbered(8, [](int n) { return u"第" + Chinese(n) + u"篇 论道"; })));
    add("第N幕", u"第N幕",
        MakeBook(Numbered(8, [](int n) { return u"第" + Chinese(n) + u"幕 雨夜"; })));
    add("Chapter N, any letter case", u"英文章", MakeBook(Numbered(12, [](int n) {
            const std::u16string number = Digits(n);
            return (n % 3 == 0   ? u"CHAPTER "
                    : n % 3 == 1 ? u"Chapter "
                                 : u"chapter ") +
                   number + u": The Road";
        })));
    add("Section N", u"英文节",
        MakeBook(Numbered(8, [](int n) { return u"Section " + Digits(n) + u" Methods"; })));
    add("Part N", u"英文部",
        MakeBook(Numbered(5, [](int n) { return u"Part " + Digits(n) + u" The Journey"; })));
    add("1.标题", u"序号点", MakeBook(Numbered(12, [](int n) { return Digits(n) + u".出发"; })));
    add("1．标题", u"序号点", MakeBook(Numbered(12, [](int n) { return Digits(n) + u"．出发"; })));
    add("001 标题", u"序号空格", MakeBook(Numbered(12, [](int n) {
            const std::u16string digits = Digits(n);
            return std::u16string(3 - digits.size(), u'0') + digits + u" 出发";
        })));
    add("1、标题", u"序号顿号",
        MakeBook(Numbered(12, [](int n) { return Digits(n) + u"、出发"; })));
    add("一、标题", u"序号顿号",
        MakeBook(Numbered(12, [](int n) { return Chinese(n) + u"、出发"; })));
    add("（一）标题", u"序号括号",
        MakeBook(Numbered(12, [](int n) { return u"（" + Chinese(n) + u"）出发"; })));
    add("(1) 标题", u"序号括号",
        MakeBook(Numbered(12, [](int n) { return u"(" + Digits(n) + u") 出发"; })));
    return cases;
}

// UTF-16 sources carry their byte order mark.
std::string Encoded(const std::u16string& text, const char* charset) {
    const bool utf16 = std::string_view(charset).starts_with("UTF-16");
    return test::Encode(utf16 ? u"\uFEFF" + text : text, charset);
}

AnalysisResult AnalyzeAutomatically(const std::filesystem::path& path) {
    AnalysisRequest request;
    request.automatic = true;
    request.measureChapters = true;
    request.nearMisses = true;
    return Analyze(path, request);
}

// The unchecked rows as (line, number, flags).
struct Row {
    std::size_t line;
    int number;
    AuditFlags flags;
    bool operator==(const Row&) const = default;
};

std::vector<Row> SplitPoints(const AnalysisResult& result) {
    const std::vector<AuditFlags> flags = AuditAnalysis(result, result.checked);
    std::vector<Row> rows;
    for (std::size_t r = 0; r < result.checked.size(); ++r)
        if (!result.checked[r])
            rows.push_back({static_cast<std::size_t>(result.table.m_lngStartLine[r + 1]),
                            result.table.m_intChapterNo[r + 1], flags[r]});
    return rows;
}

std::vector<Row> Expected(const Book& book) {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < book.headings.size(); ++i)
        rows.push_back({book.headingLines[i], book.headings[i].number, book.headings[i].flags});
    return rows;
}

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << "{line " << row.line << ", " << row.number << ", flags " << int(row.flags) << "}";
}

bool HasNearMiss(const AnalysisResult& result, std::size_t line) {
    for (const NearMiss& miss : result.nearMisses)
        if (static_cast<std::size_t>(miss.line) == line) return true;
    return false;
}

TEST(RuleCorpus, EveryFormatExact) {
    test::TempDir dir;
    for (const CorpusCase& c : Corpus()) {
        SCOPED_TRACE(c.format);
        const auto path = dir.write("book.txt", Encoded(c.book.text(), c.charset));
        const AnalysisResult result = AnalyzeAutomatically(path);
        ASSERT_NE(result.rule, nullptr);
        EXPECT_EQ(test::U8(result.rule->name), test::U8(c.rule));
        EXPECT_EQ(SplitPoints(result), Expected(c.book));
        EXPECT_TRUE(HasNearMiss(result, c.book.nearMissLine));
    }
}

TEST(RuleCorpus, PlantedFaultsFlaggedAndNothingElse) {
    std::vector<Planted> headings;
    for (int n = 1; n <= 30; ++n) {
        if (n == 5) continue; // a gap before 6
        headings.push_back(
            {u"第" + Chinese(n) + u"章 正文", n, static_cast<AuditFlags>(n == 6 ? kAuditGap : 0)});
        if (n == 12)
            headings.push_back({u"第十二章 正文", 12, static_cast<AuditFlags>(kAuditDuplicate)});
        if (n == 20)
            headings.push_back(
                {u"第三章 旧梦重温", 3, static_cast<AuditFlags>(kAuditDuplicate)}); // a stray
        if (n == 22)
            headings.push_back({u"第九十章 岔路", 90, static_cast<AuditFlags>(kAuditBackwards)});
    }
    headings[24].heading =
        u"第" + Chinese(headings[24].number) + u"章 " + std::u16string(42, u'长');
    headings[24].flags = kAuditLongHeading;
    const Book book = MakeBook(headings);
    test::TempDir dir;
    const AnalysisResult result =
        AnalyzeAutomatically(dir.write("faults.txt", test::Encode(book.text(), "GB18030")));
    ASSERT_NE(result.rule, nullptr);
    EXPECT_EQ(test::U8(result.rule->name), "第N章");
    EXPECT_EQ(SplitPoints(result), Expected(book));
}

TEST(RuleCorpus, RestartedNumberingIsNoFault) {
    std::vector<Planted> headings = Numbered(8, [](int n) { return u"第" + Chinese(n) + u"章"; });
    const auto second = Numbered(8, [](int n) { return u"第" + Chinese(n) + u"章"; });
    headings.insert(headings.end(), second.begin(), second.end());
    const Book book = MakeBook(headings, {{0, {u"第一卷 少年"}}, {8, {u"第二卷 青年"}}});
    test::TempDir dir;
    const AnalysisResult result =
        AnalyzeAutomatically(dir.write("restart.txt", test::Encode(book.text(), "GB18030")));
    EXPECT_EQ(SplitPoints(result), Expected(book));
}

TEST(RuleCorpus, UserConditionFlagsAMentionInsideASentence) {
    // A sentence that mentions the next chapter, far from any heading.
    const std::u16string mention = u"　　他说第四章会更精彩。";
    Book book = MakeBook(Numbered(6, [](int n) { return u"第" + Chinese(n) + u"章 正文"; }),
                         {{3, {mention}}});
    std::size_t mentionLine = 0;
    for (std::size_t i = 0; i < book.lines.size(); ++i) {
        const bool heading = std::find(book.headingLines.begin(), book.headingLines.end(), i + 1) !=
                             book.headingLines.end();
        if (book.lines[i] == mention) {
            mentionLine = i + 1;
        } else if (!heading && book.lines[i].find(u'章') != std::u16string::npos) {
            book.lines[i] = kProse[0]; // no other mentions in this book
        }
    }
    test::TempDir dir;
    AnalysisRequest request;
    const AnalysisResult result =
        Analyze(dir.write("mention.txt", test::Encode(book.text(), "GB18030")), request);
    EXPECT_EQ(result.rule, nullptr);
    EXPECT_EQ(result.condition, kDefaultCondition);
    std::vector<Row> expected = Expected(book);
    expected.insert(expected.begin() + 3, {mentionLine, 4, static_cast<AuditFlags>(kAuditMidLine)});
    EXPECT_EQ(SplitPoints(result), expected);
}

TEST(RuleCorpus, EveryKindOfLineEnd) {
    const Book book =
        MakeBook(Numbered(12, [](int n) { return u"第" + Chinese(n) + u"回 英雄聚义"; }));
    test::TempDir dir;
    for (const std::u16string ending : {u"\n", u"\r", u"\r\n"}) {
        std::u16string text;
        for (const auto& line : book.lines)
            text += line + ending;
        text.pop_back(); // the last line without a line end
        const AnalysisResult result =
            AnalyzeAutomatically(dir.write("ends.txt", test::Encode(text, "GB18030")));
        EXPECT_EQ(SplitPoints(result), Expected(book)) << ending.size();
        EXPECT_EQ(result.lineCount, static_cast<LineNumber>(book.lines.size()));
    }
}

TEST(RuleCorpus, ChapterLengthInCharacters) {
    test::TempDir dir;
    const std::u16string text = u"前言\r\n第一章 甲\r\n一二三\r\n\r\n第二章 乙\r\n四五";
    for (const char* charset : {"GB18030", "UTF-8", "Big5", "UTF-16BE"}) {
        SCOPED_TRACE(charset);
        AnalysisRequest request;
        request.measureChapters = true;
        const AnalysisResult result =
            Analyze(dir.write("short.txt", Encoded(text, charset)), request);
        EXPECT_EQ(result.chars, (std::vector<std::int64_t>{8, 7}));
    }
}

} // namespace
} // namespace lumarin::engine
