// SPDX-License-Identifier: MIT
// What the cleaning of whole books removes: the repeated stamps, page markers and
// advertisements it should, and none of the story's lines that look like them.
#include "engine/cleanup/TextCleanup.h"

#include "TestFiles.h"
#include "engine/base/TextUtil.h"
#include "support/ChineseNumerals.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumarin::engine {
namespace {

using test::TempDir;
using Lines = std::vector<std::string>;

// The texts of the lines the cleaning removes from `lines`, written in `charset`.
Lines RemovedFrom(const Lines& lines, const std::string& charset = "UTF-8") {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    TempDir dir;
    const auto path = dir.write(
        "book.txt", charset == "UTF-8" ? text : lumarin::test::EncodeWithIconv(text, charset));
    AnalysisRequest request;
    request.encoding = charset == "BIG5" ? InputEncodingChoice::Big5 : InputEncodingChoice::Utf8;
    const AnalysisResult analysis = Analyze(path, request);
    Lines removed;
    for (const RemovedLine& line : PlanCleanup(analysis, analysis.checked, {true, false}).removed)
        removed.push_back(ToUtf8(line.text));
    return removed;
}

using LinesOf = std::function<Lines(int chapter)>;

// A book of `chapters` chapters of twelve lines of story each, different in every chapter:
// `opening` lines after the heading, `middle` lines after the sixth, `closing` lines last.
Lines Book(int chapters, const LinesOf& opening, const LinesOf& middle, const LinesOf& closing) {
    Lines book{"《山河》", ""};
    const auto append = [&book](const Lines& lines) {
        book.insert(book.end(), lines.begin(), lines.end());
    };
    for (int c = 1; c <= chapters; ++c) {
        book.push_back("第" + std::to_string(c) + "章 山河");
        append(opening(c));
        for (int i = 1; i <= 12; ++i) {
            book.push_back("　　那天的風吹過了" + std::to_string(c) + "座山，又吹過了" +
                           std::to_string(i) + "條河。"); // Big5 holds it too
            if (i == 6) append(middle(c));
        }
        append(closing(c));
    }
    return book;
}

const LinesOf kNone = [](int) { return Lines{}; };

LinesOf Always(Lines lines) {
    return [lines](int) { return lines; };
}

// A short line at the edge of a chapter is a stamp when it stands there in three chapters
// at least, and in a fifth of them.
TEST(TextCleanupTest, StampsNeedThreeChaptersAndAFifthOfThem) {
    const struct {
        int chapters;
        int stamped;
        bool removed;
    } cases[] = {{10, 2, false}, {10, 3, true}, {15, 3, true}, {16, 3, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.stamped) + " of " + std::to_string(c.chapters));
        const Lines book = Book(c.chapters, kNone, kNone, [&](int chapter) {
            return chapter <= c.stamped ? Lines{"看书认准青灯堂"} : Lines{};
        });
        EXPECT_EQ(RemovedFrom(book), c.removed ? Lines(c.stamped, "看书认准青灯堂") : Lines{});
    }
}

std::string TraditionalPage(int n) {
    return "第" + ToUtf8(lumarin::test::WrittenOut(n)) + "頁";
}

// Lines that come back in every chapter, or look like markers and advertisements, but are
// the story's; beside each kind, a line of the same look that is not, and goes.
TEST(TextCleanupTest, SparesTheStoryThatLooksLikeStamps) {
    const struct {
        const char* name;
        LinesOf opening, middle, closing;
        Lines removed; // of each chapter
    } cases[] = {
        {"a storyteller's closing formula", kNone, kNone,
         Always({"欲知后事如何，且听下回分解", "（本章完）"}), {"（本章完）"}},
        {"the same, a full sentence", kNone, kNone, Always({"　　正是：一番风雨一番愁。"}), {}},
        {"letters: salutation and signature", Always({"看书认准青灯堂", "吾儿如晤："}), kNone,
         Always({"　　望儿珍重。", "父字"}), {"看书认准青灯堂"}},
        {"section numbers that restart", Always({"— 1 —"}), Always({"— 2 —"}), kNone, {}},
        {"page numbers that rise",
         [](int c) { return Lines{"— " + std::to_string(c * 2) + " —"}; },
         [](int c) { return Lines{"— " + std::to_string(c * 2 + 1) + " —"}; }, kNone,
         {"— 2c —", "— 2c+1 —"}},
        {"addresses in dialogue", kNone,
         Always({"“快去www.qingdeng.com！”", "“我跟你说，", "www.qingdeng.com是我的网站，",
                 "你记住了。”", "更多精彩请访问 www.qingdeng.com"}),
         kNone, {"更多精彩请访问 www.qingdeng.com"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        constexpr int kChapters = 6;
        Lines expected;
        for (int chapter = 1; chapter <= kChapters; ++chapter) {
            for (std::string line : c.removed) {
                if (line == "— 2c —") line = "— " + std::to_string(chapter * 2) + " —";
                if (line == "— 2c+1 —") line = "— " + std::to_string(chapter * 2 + 1) + " —";
                expected.push_back(line);
            }
        }
        EXPECT_EQ(RemovedFrom(Book(kChapters, c.opening, c.middle, c.closing)), expected);
    }
}

// Page markers in Chinese numerals pass no gate on their digits: 頁 must let them through,
// in Big5 as in UTF-8.
TEST(TextCleanupTest, RemovesTraditionalPageMarkersInChineseNumerals) {
    const Lines book = Book(4, kNone, [](int c) { return Lines{TraditionalPage(c + 11)}; }, kNone);
    for (const std::string charset : {"UTF-8", "BIG5"}) {
        SCOPED_TRACE(charset);
        EXPECT_EQ(RemovedFrom(book, charset),
                  (Lines{"第十二頁", "第十三頁", "第十四頁", "第十五頁"}));
    }
}

} // namespace
} // namespace lumarin::engine
