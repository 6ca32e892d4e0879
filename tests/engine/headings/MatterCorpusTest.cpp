// SPDX-License-Identifier: MIT
// Titles told by their words rather than a number: front and back matter
// titled as people title it, beside prose lines that end in the same
// characters; essay titles in quotation marks, beside quoted dialogue.
#include "CorpusBook.h"
#include "engine/headings/MatterLines.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using namespace corpus;

TEST(MatterLines, WhatTitlesFrontOrBackMatter) {
    const struct {
        std::u16string line;
        bool matter;
    } cases[] = {
        {u"修订版序言", true},   {u"译者后记", true},   {u"再版前言", true},
        {u"《江湖夜雨》序", true}, {u"再版序", true},     {u"附录A 人物表", true},
        {u"附录二", true},       {u"后 记", true},      {u"　　前　言", true},
        {u"秩序", false},        {u"编写程序", false},  {u"社会秩序", false},
        {u"这是前言", false},    {u"他的后记", false},  {u"附录", true},
        {u"一部很长很长的书的再版序言", false},                           // too long a qualifier
        {u"附录里的人", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsMatterTitle(c.line), c.matter) << test::U8(c.line);
}

const std::u16string kTitles[] = {u"风起", u"渡口夜话", u"铁匠铺", u"山寺",
                                  u"进城", u"客栈",     u"书信",   u"归途"};

Book QualifiedMatter() {
    Book book;
    book.line(u"江湖夜雨").line(u"作者：无名氏").blank();
    book.split(u"修订版序言", u"修订版序言").story(4).blank();
    book.split(u"《江湖夜雨》序", u"《江湖夜雨》序").story(3).blank();
    for (int n = 1; n <= 8; ++n) {
        book.split(u"第" + Chinese(n) + u"章 " + kTitles[n - 1], kTitles[n - 1]).story(6);
        if (n == 3) book.line(u"　　社会秩序").story(2).line(u"　　编写程序");
        book.story(6);
    }
    book.split(u"附录A 人物表", u"附录A 人物表").story(3);
    book.split(u"附录二 年表", u"附录二 年表").story(3);
    book.split(u"译者后记", u"译者后记").story(3);
    book.split(u"后 记", u"后 记").story(2);
    return book;
}

// Back matter that the contents list after the chapters comes back at the
// end; the same word inside a chapter is prose, and the volumes the contents
// list are no chapters.
Book BackMatterInContents() {
    Book book;
    book.line(u"明代史话").line(u"作者：无名氏").blank().line(u"目录");
    // Each volume numbers its chapters from one.
    const auto heading = [](int n) {
        return u"第" + Chinese((n - 1) % 3 + 1) + u"章 " + kTitles[n - 1];
    };
    const auto volume = [](int n) { return n == 1 ? u"第一卷 兴起" : u"第二卷 衰落"; };
    book.line(u"序言");
    for (int n = 1; n <= 6; ++n) {
        if (n % 3 == 1) book.line(volume(n)); // volumes stay volumes, listed or not
        book.line(heading(n));
    }
    book.line(u"大事记").line(u"参考文献").line(u"注释").blank();
    book.split(u"序言", u"序言").story(4);
    for (int n = 1; n <= 6; ++n) {
        if (n % 3 == 1) book.line(volume(n));
        book.split(heading(n), kTitles[n - 1]).story(8);
        if (n == 2) book.blank().line(u"注释").blank().story(2);
    }
    for (const std::u16string word : {u"大事记", u"参考文献", u"注释"})
        book.blank().split(word, word).blank().story(3);
    return book;
}

// Essays, some titled in quotes, whose prose holds short quoted dialogue.
Book QuotedTitles() {
    Book book;
    book.line(u"夜读随笔").line(u"林远 著").blank();
    const std::u16string titles[] = {u"“家”", u"远方", u"“老板”的一天", u"我的“父亲”", u"渡口"};
    for (const std::u16string& title : titles) {
        book.split(title, title).story(5);
        book.line(u"　　“好。”").line(u"　　“回来”").line(u"　　“可是……”").story(6);
    }
    return book;
}

TEST(MatterCorpus, VolumesTheContentsListStayVolumes) {
    test::TempDir dir;
    AnalysisRequest request;
    request.automatic = true;
    const AnalysisResult result =
        Analyze(dir.write("book.txt", Encoded(BackMatterInContents().text(), "UTF-8")), request);
    ASSERT_EQ(result.volumes.size(), 2u);
    EXPECT_EQ(test::U8(result.volumes[1].title), "第二卷 衰落");
    for (const std::u16string& heading : result.table.m_strHeading)
        EXPECT_FALSE(heading.starts_with(u"第二卷")) << test::U8(heading);
}

TEST(MatterCorpus, EveryBookSplitExactly) {
    Shelf shelf;
    const auto encodings = {"GB18030", "UTF-8", "UTF-16LE"};
    shelf.add("qualified front and back matter", u"第N章", QualifiedMatter(), encodings);
    shelf.add("titles in quotes beside dialogue", u"版式标题", QuotedTitles(), encodings);
    shelf.add("back matter the contents list", u"第N章", BackMatterInContents(), encodings);
    shelf.expectEverySplitExactly();
}

} // namespace
} // namespace lumarin::engine
