// SPDX-License-Identifier: MIT
// Books that number two levels, and books whose chapters are short or long
// in ways that fool a count of lines: the automatic choice must split at the
// chapters a reader means, never at their sections, and must tell a table of
// contents from a chapter by its size.
#include "CorpusBook.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using namespace corpus;

const std::u16string kChapterTitles[] = {u"河边的柳树", u"铁匠铺",   u"秋天的雨", u"山上的庙",
                                         u"进城",       u"客栈一夜", u"渡口",     u"归来"};
const std::u16string kSectionTitles[] = {u"清晨", u"赶集", u"夜话", u"远行", u"书信"};

std::u16string ChapterTitle(int n) {
    return kChapterTitles[(n - 1) % std::size(kChapterTitles)];
}

std::u16string SectionTitle(int n) {
    return kSectionTitles[(n - 1) % std::size(kSectionTitles)];
}

Book TitleAndAuthor() {
    Book book;
    book.line(u"乡土手记").line(u"作者：林远").blank();
    return book;
}

// "一、河边的柳树" chapters, each opening at once with "1 清晨" sections whose
// numbers run on through the book: the sections outnumber the chapters.
Book ChaptersOverRunningSections() {
    Book book = TitleAndAuthor();
    int section = 1;
    for (int n = 1; n <= 6; ++n) {
        book.split(Chinese(n) + u"、" + ChapterTitle(n), ChapterTitle(n)).blank();
        for (int s = 1; s <= 4; ++s)
            book.line(Digits(section++) + u" " + SectionTitle(s)).blank().story(10).blank();
    }
    return book;
}

// Unnumbered chapter titles, each holding sections that start again at 一.
Book TitlesOverSections(const std::function<std::u16string(int)>& section) {
    Book book = TitleAndAuthor();
    for (int n = 1; n <= 5; ++n) {
        book.split(ChapterTitle(n), ChapterTitle(n)).blank();
        for (int s = 1; s <= 3 + n % 2; ++s)
            book.line(section(s)).blank().story(3).blank();
    }
    return book;
}

// "一、" chapters whose prose holds numbered lists, each under a short line
// that reads like a title: the lists start again at 1, the chapters do not.
Book ChaptersWithTitledLists() {
    Book book = TitleAndAuthor();
    for (int n = 1; n <= 8; ++n) {
        book.split(Chinese(n) + u"、" + ChapterTitle(n), ChapterTitle(n)).story(4);
        book.line(u"　　要办的事有三件").line(u"　　1、先去镇上").line(u"　　2、再去渡口");
        book.line(u"　　3、最后回家").story(4);
    }
    return book;
}

// Every chapter one enormous paragraph on a single line.
Book OneLinePerChapter() {
    Book book = TitleAndAuthor();
    for (int n = 1; n <= 10; ++n) {
        std::u16string paragraph = u"　　";
        for (std::size_t p = 0; p < 8; ++p)
            paragraph += kStory[(static_cast<std::size_t>(n) + p) % std::size(kStory)];
        book.split(u"第" + Chinese(n) + u"章 " + ChapterTitle(n), ChapterTitle(n));
        book.line(paragraph).blank();
    }
    return book;
}

// A preface of two paragraphs and an afterword of one around the chapters;
// a one-line epigraph before the preface is no chapter.
Book ShortPrefaceAndAfterword() {
    Book book = TitleAndAuthor();
    book.split(u"序言", u"序言").story(2).blank();
    for (int n = 1; n <= 8; ++n)
        book.split(u"第" + Chinese(n) + u"章 " + ChapterTitle(n), ChapterTitle(n)).story(12);
    book.split(u"后记", u"后记").story(1);
    return book;
}

// A table of contents with a summary and bullet lines under every entry, then
// the chapters. `bullets`: the entry's lines besides its heading and summary.
Book DetailedContents(int bullets) {
    Book book = TitleAndAuthor();
    book.line(u"目录").blank();
    const auto heading = [](int n) { return u"第" + Chinese(n) + u"章 " + ChapterTitle(n); };
    for (int n = 1; n <= 8; ++n) {
        book.line(heading(n)).line(u"　　本章写" + ChapterTitle(n) + u"前后的几件小事，以及人物的来历。");
        for (int b = 1; b <= bullets; ++b)
            book.line(u"　　· " + SectionTitle(b) + u"：人物出场");
        book.blank();
    }
    for (int n = 1; n <= 8; ++n)
        book.split(heading(n), ChapterTitle(n)).story(20);
    return book;
}

// Essays told apart only by their layout: `titles` of them, which are the
// split points when `split`.
Book Essays(int titles, bool split) {
    Book book;
    book.line(u"夜读随笔").line(u"林远 著").blank();
    for (int n = 1; n <= titles; ++n) {
        split ? book.split(ChapterTitle(n), ChapterTitle(n)) : book.line(ChapterTitle(n));
        book.story(16);
    }
    return book;
}

Shelf Corpus() {
    Shelf shelf;
    shelf.add("一、 chapters over sections numbered on", u"序号顿号", ChaptersOverRunningSections(),
        {"GB18030", "UTF-16LE"});
    shelf.add("titles over 一 标题 sections", u"版式标题",
        TitlesOverSections([](int s) { return Chinese(s) + u" " + SectionTitle(s); }),
        {"GB18030", "UTF-8"});
    shelf.add("titles over bare numerals", u"版式标题", TitlesOverSections(Chinese),
        {"UTF-8", "UTF-16BE"});
    shelf.add("titles over (N) sections", u"版式标题",
        TitlesOverSections([](int s) { return u"（" + Chinese(s) + u"）" + SectionTitle(s); }),
        {"GB18030"});
    shelf.add("一、 chapters with titled lists inside", u"序号顿号", ChaptersWithTitledLists(),
        {"GB18030", "UTF-8"});
    shelf.add("one line per chapter", u"第N章", OneLinePerChapter(), {"GB18030", "UTF-8", "UTF-16LE"});
    shelf.add("a short preface and afterword", u"第N章", ShortPrefaceAndAfterword(),
        {"GB18030", "UTF-16LE"});
    shelf.add("a detailed table of contents", u"第N章", DetailedContents(3), {"GB18030", "UTF-8"});
    shelf.add("a table of contents longer than ten lines an entry", u"第N章", DetailedContents(9),
        {"GB18030", "UTF-16BE"});
    shelf.add("three essays: the fewest titles a layout makes", u"版式标题", Essays(3, true), {"GB18030"});
    shelf.add("two essays: no layout", u"", Essays(2, false), {"UTF-8"});
    return shelf;
}

TEST(LevelCorpus, EveryBookSplitExactly) {
    Corpus().expectEverySplitExactly();
}

} // namespace
} // namespace lumarin::engine
