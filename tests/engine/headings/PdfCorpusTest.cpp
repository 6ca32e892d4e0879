// SPDX-License-Identifier: MIT
// Books converted from PDF and laid out by hand: page ends, running headers
// with page numbers, headings centred far into the line. The automatic choice
// must split at the chapters alone.
#include "CorpusBook.h"

#include <functional>
#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using namespace corpus;

const std::u16string kTitles[] = {u"风起",     u"渡口夜话", u"铁匠铺", u"山寺",
                                  u"进城",     u"客栈",     u"书信",   u"归途"};

// Chapters cut into pages: a page end made by `pageEnd` under every page, the
// chapter's heading with the next page's number (made by `header`) above it.
Book PagedBook(const std::function<std::u16string(int)>& heading,
               const std::function<std::u16string(int)>& pageEnd,
               const std::function<std::u16string(const std::u16string&, int)>& header) {
    Book book;
    book.line(u"江湖夜雨").line(u"无名氏").blank();
    int page = 3;
    for (int n = 1; n <= 8; ++n) {
        book.split(heading(n), kTitles[n - 1]).blank();
        for (int p = 0; p < 3; ++p) {
            book.story(5).line(pageEnd(page++));
            if (p < 2) book.line(header(heading(n), page));
        }
    }
    return book;
}

std::u16string Ordinal(int n) {
    return u"第" + Chinese(n) + u"章 " + kTitles[n - 1];
}

// Every chapter heading centred with many spaces, the prose indented as usual.
Book CentredHeadings(const std::u16string& centring) {
    Book book;
    book.line(centring + u"江湖夜雨").line(centring + u"无名氏").blank();
    for (int n = 1; n <= 8; ++n)
        book.blank().split(centring + Ordinal(n), kTitles[n - 1]).blank().story(10);
    return book;
}

Shelf Corpus() {
    Shelf shelf;
    const auto glued = [](const std::u16string& heading, int page) {
        return heading + Digits(page);
    };
    const auto spaced = [](const std::u16string& heading, int page) {
        return heading + u"    " + Digits(page);
    };
    const auto dashes = [](int page) { return u"- " + Digits(page) + u" -"; };
    shelf.add("PDF: chapter headers with the page glued on", u"第N章",
        PagedBook(Ordinal, dashes, glued), {"GB18030", "UTF-8", "UTF-16LE"});
    shelf.add("PDF: chapter headers with the page set apart", u"第N章",
        PagedBook(Ordinal, [](int page) { return u"—" + Digits(page) + u"—"; }, spaced),
        {"GB18030"});
    // "12 --" reads like a numbered line with a title of dashes.
    shelf.add("PDF: numbered chapters, page ends with dashes", u"序号点",
        PagedBook([](int n) { return Digits(n) + u". " + kTitles[n - 1]; },
                  [](int page) { return Digits(page) + u" --"; },
                  [](const std::u16string&, int) { return std::u16string(); }),
        {"GB18030", "UTF-16BE"});
    shelf.add("headings centred with spaces", u"第N章", CentredHeadings(std::u16string(24, u' ')),
        {"GB18030", "UTF-8", "UTF-16LE"});
    shelf.add("headings centred with ideographic spaces", u"第N章",
        CentredHeadings(std::u16string(14, u'\u3000')), {"GB18030"});
    {
        // Extras numbered from 1 are no page headers.
        Book book;
        book.line(u"江湖夜雨").line(u"无名氏").blank();
        for (int n = 1; n <= 6; ++n)
            book.split(Ordinal(n), kTitles[n - 1]).story(12);
        for (int n = 1; n <= 3; ++n)
            book.split(u"番外" + Digits(n), u"番外" + Digits(n)).story(8);
        shelf.add("extras numbered from 1 after the chapters", u"第N章", book, {"UTF-8"});
    }
    return shelf;
}

TEST(PdfCorpus, EveryBookSplitExactly) {
    Corpus().expectEverySplitExactly();
}

} // namespace
} // namespace lumarin::engine
