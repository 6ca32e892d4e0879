// SPDX-License-Identifier: MIT
// Books as people share them, one per kind of heading the automatic choice
// must recognise, each with the lines that fool a heading rule: front matter
// with title and author lines, a table of contents, dialogue, dates and
// signatures, numbered lists inside chapters, page markers and pages saved
// from the web. Every book states its exact split lines; the automatic choice
// must find exactly those, and must say so when no rule explains the text.
#include "CorpusBook.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using namespace corpus;

const std::u16string kTitles[] = {u"灭门",     u"风起",     u"归途",     u"雪夜",
                                  u"旧友重逢", u"江湖路远", u"写作之夜", u"母亲的灯",
                                  u"离别",     u"曲谐",     u"长路漫漫", u"春水"};

std::u16string TitleOf(int n) {
    return kTitles[(n - 1) % std::size(kTitles)];
}

// Title and author lines, then a table of contents made by `entry`.
Book FrontMatter(const std::function<std::u16string(int)>& entry, int count) {
    Book book;
    book.line(u"书名：江湖夜雨").line(u"作者：无名氏").blank().line(u"目录");
    for (int n = 1; n <= count; ++n)
        book.line(entry(n));
    book.blank();
    return book;
}

// Headings made by `heading`, each chapter `paragraphs` long, after a table of
// contents of the same lines.
Book Chapters(const std::function<std::u16string(int)>& heading, int count,
              std::size_t paragraphs = 10, bool titled = true) {
    Book book = FrontMatter(heading, count);
    for (int n = 1; n <= count; ++n) {
        book.split(heading(n), titled ? TitleOf(n) : u"");
        book.prose(paragraphs);
    }
    return book;
}

// An essay collection: titles with no number, set apart by layout.
Book Essays(bool indentedParagraphs) {
    Book book;
    book.indent = indentedParagraphs ? u"　　" : u"";
    const auto apart = [&](const std::u16string& text, bool expected) {
        if (!indentedParagraphs) book.blank();
        expected ? book.split(text, text) : book.line(text);
        if (!indentedParagraphs) book.blank();
    };
    book.line(u"夜读随笔");
    book.line(u"林远 著");
    book.blank();
    apart(u"推荐序", true);
    book.prose(8);
    book.line(indentedParagraphs ? u"　　　　　　　　　　二〇〇一年三月" : u"二〇〇一年三月");
    for (int n = 1; n <= 8; ++n) {
        apart(TitleOf(n) + (n % 3 == 0 ? u"的故事" : u""), true);
        book.prose(6);
        if (n == 2) {
            book.line(book.indent + u"1998");
            book.prose(3);
        }
        if (n == 4) { // ends with a date and a signature
            book.prose(4);
            apart(u"一九八〇年六月", false);
            apart(u"某某上", false);
        } else if (n == 5) {
            book.line(book.indent + u"他列了三件事：");
            book.line(book.indent + u"一、早起");
            book.line(book.indent + u"二、读书");
            book.prose(4);
        } else {
            book.prose(4);
        }
    }
    apart(u"后记", true);
    book.prose(6);
    return book;
}

// Pages saved from a web site: each heading printed twice, a site line between.
Book WebPages() {
    Book book = FrontMatter([](int n) { return u"第" + Chinese(n) + u"章 " + TitleOf(n); }, 10);
    for (int n = 1; n <= 10; ++n) {
        const std::u16string heading = u"第" + Chinese(n) + u"章 " + TitleOf(n);
        book.split(heading, TitleOf(n));
        book.line(u"本站网址：www.example.com 手机阅读");
        book.line(heading);
        book.prose(10);
    }
    return book;
}

// A book converted from PDF: page markers, the chapter title above every page,
// and a chapter cut into pages "标题(1)", "标题(2)".
Book PdfPages() {
    Book book;
    book.line(u"江湖夜雨").line(u"无名氏").blank();
    int page = 1;
    for (int n = 1; n <= 8; ++n) {
        const std::u16string heading = u"第" + Chinese(n) + u"章 " + TitleOf(n);
        const bool paged = n == 6;
        book.split(paged ? heading + u"(1)" : heading, paged ? TitleOf(n) + u"(1)" : TitleOf(n));
        for (int p = 0; p < 3; ++p) {
            book.prose(7);
            book.line(p % 2 == 0 ? u"-- " + Digits(page) + u" --" : u"第 " + Digits(page) + u" 页");
            ++page;
            if (p < 2) book.line(paged ? heading + u"(" + Digits(p + 2) + u")" : heading);
        }
    }
    return book;
}

// Essays converted from PDF: the book's title above every page, a page marker below.
Book EssaysWithRunningHeader() {
    Book book;
    book.line(u"夜读随笔").line(u"林远 著").blank();
    int page = 1;
    for (int n = 1; n <= 6; ++n) {
        book.split(TitleOf(n), TitleOf(n));
        for (int p = 0; p < 3; ++p) {
            book.prose(6 + n % 3);
            book.line(u"- " + Digits(page++) + u" -").line(u"夜读随笔");
        }
    }
    return book;
}

std::vector<BookCase> Corpus() {
    std::vector<BookCase> cases;
    const auto add = [&](const char* kind, const std::u16string& rule, Book book,
                         const char* charset = "GB18030") {
        cases.push_back({kind, rule, std::move(book), charset});
    };
    add("bare numeral, a space and a title", u"汉字空格",
        Chapters([](int n) { return Chinese(n) + u" " + TitleOf(n); }, 14));
    add("bare numeral and title, UTF-8", u"汉字空格",
        Chapters([](int n) { return Chinese(n) + u"　" + TitleOf(n); }, 12), "UTF-8");
    {
        // A number alone, its title on the next line; a year and list items in the prose.
        Book book;
        book.line(u"江湖夜雨").line(u"作者：无名氏").blank();
        for (int n = 1; n <= 12; ++n) {
            book.split(Digits(n, 2), TitleOf(n)).line(TitleOf(n)).blank().prose(9);
            if (n == 3) book.line(u"1998").prose(3);
        }
        add("a number alone, the title on the next line", u"单独序号", book);
        add("a number alone, UTF-16", u"单独序号", book, "UTF-16LE");
    }
    add("正文 N", u"正文N", Chapters([](int n) { return u"正文 " + Digits(n); }, 10, 9, false));
    add("正文 第N章", u"第N章",
        Chapters([](int n) { return u"正文 第" + Chinese(n) + u"章 " + TitleOf(n); }, 10));
    {
        Book book;
        book.line(u"病隙碎笔").line(u"史远 著").blank();
        for (int n = 1; n <= 6; ++n) {
            book.split(u"病隙碎笔（" + Chinese(n) + u"）", u"病隙碎笔").prose(8);
            book.line(u"　　（笑）").prose(4);
        }
        add("one title with numbers in brackets", u"标题序号", book);
    }
    {
        // Numbered lists inside every chapter; the chapters' own numbers are Chinese.
        const auto heading = [](int n) { return Chinese(n) + u"、" + TitleOf(n); };
        Book book = FrontMatter(heading, 9);
        for (int n = 1; n <= 9; ++n) {
            book.split(heading(n), TitleOf(n)).prose(3).line(u"　　这件事要从三方面说起。");
            book.line(u"1、先说时间").line(u"2、再说地点").line(u"3、最后说人").prose(4);
        }
        add("一、标题 with numbered lists inside", u"序号顿号", book);
    }
    {
        Book book;
        book.line(u"人类简史").line(u"作者：某某").blank();
        for (int n = 1; n <= 10; ++n)
            book.split(u"第" + Chinese(n) + u"章", TitleOf(n)).line(TitleOf(n)).blank().prose(10);
        add("第N章 alone, the title on the next line", u"第N章", book, "UTF-8");
    }
    {
        Book book;
        book.line(u"人类简史").line(u"作者：某某").blank();
        book.split(u"推荐序", u"推荐序").prose(10);
        book.split(u"中译者序", u"中译者序").prose(10);
        book.split(u"作者前言", u"作者前言").prose(10);
        book.split(u"导言", u"导言").prose(10);
        for (int n = 1; n <= 8; ++n)
            book.split(u"第" + Chinese(n) + u"章 " + TitleOf(n), TitleOf(n)).prose(10);
        book.split(u"附录一 年表", u"附录一 年表").prose(10);
        book.split(u"致谢", u"致谢").prose(10);
        book.split(u"后记", u"后记").prose(8);
        add("front and back matter around chapters", u"第N章", book);
    }
    add("essays set apart by indentation", u"版式标题", Essays(true));
    add("essays set apart by blank lines", u"版式标题", Essays(false), "UTF-8");
    add("PDF essays: the book's title above every page", u"版式标题", EssaysWithRunningHeader());
    add("web pages: every heading twice", u"第N章", WebPages());
    add("PDF pages: markers and running headers", u"第N章", PdfPages());
    {
        Book novella;
        novella.line(u"小城之春").line(u"作者：某某").blank();
        novella.prose(60).line(u"＊＊＊").prose(60);
        add("a novella without chapters", u"", novella);
        add("a novella without chapters, UTF-16", u"", novella, "UTF-16BE");
    }
    {
        Book speech;
        speech.line(u"在毕业典礼上的讲话").line(u"某某").blank().prose(30).line(u"谢谢大家");
        add("a speech", u"", speech);
    }
    {
        Book poems;
        poems.indent = u"";
        poems.line(u"小诗集").blank();
        for (int n = 1; n <= 20; ++n)
            poems.line(TitleOf(n)).blank().line(u"风吹过山岗").line(u"云落在水上").blank();
        add("a collection of tiny poems", u"", poems);
    }
    return cases;
}

TEST(BookCorpus, EveryBookSplitExactly) {
    test::TempDir dir;
    for (const BookCase& c : Corpus())
        ExpectSplitExactly(c, dir);
}

} // namespace
} // namespace lumarin::engine
