// SPDX-License-Identifier: MIT
// The title and author a window offers for a book are the ones the book gets.
#include "engine/epub/BookTitle.h"

#include "TestFiles.h"
#include "engine/base/TextUtil.h"
#include "engine/epub/EpubWriter.h"
#include "support/EpubContents.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

using test::TempDir;

std::string Between(const std::string& text, const std::string& tag) {
    const std::size_t open = text.find("<" + tag + ">");
    if (open == std::string::npos) return {};
    const std::size_t from = open + tag.size() + 2;
    return text.substr(from, text.find("</" + tag + ">", from) - from);
}

TEST(DetectTitleAndAuthor, FindsWhatTheWrittenBookIsCalled) {
    const std::u16string chapters = u"第一章 开始\r\n正文\r\n第二章 继续\r\n正文\r\n";
    const struct {
        const char* name;
        std::string file;
        std::u16string text;
        bool firstRowChecked; // the first heading is no split point: the front matter runs on
        bool toSimplified;
        std::vector<std::u16string> filters;
        std::u16string title, author;
    } cases[] = {
        {"the text's own", "灯下.txt", u"《灯下旧事》\r\n作者：林一\r\n" + chapters, false, false, {},
         u"灯下旧事", u"林一"},
        {"the file name's", "山河_张三.txt", u"前言\r\n" + chapters, false, false, {}, u"山河",
         u"张三"},
        {"converted as the lines are", "x.txt", u"《燈下舊事》\r\n作者：林一\r\n" + chapters, false,
         true, {}, u"灯下旧事", u"林一"},
        {"filtered as the lines are", "x.txt", u"《【某站】灯下》\r\n" + chapters, false, false,
         {u"【某站】"}, u"灯下", u""},
        {"after a heading that is no split point", "x.txt",
         u"第一章 目录\r\n《灯下旧事》\r\n作者：林一\r\n" + chapters, true, false, {}, u"灯下旧事",
         u"林一"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir dir;
        const auto source = dir.write(c.file, test::Encode(c.text, "GB18030"));
        const AnalysisResult analysis = Analyze(source, kDefaultCondition);
        std::vector<bool> checked(static_cast<std::size_t>(analysis.m_lngCount), false);
        checked.at(0) = c.firstRowChecked;
        OutputOptions options;
        options.toSimplified = c.toSimplified;
        options.filters = c.filters;

        const TitleAndAuthor found = DetectTitleAndAuthor(analysis, checked, options);
        EXPECT_EQ(found.title, c.title);
        EXPECT_EQ(found.author, c.author);

        const auto book = dir.path() / "book.epub";
        WriteEpub(analysis, checked, options, book);
        const std::string package =
            lumarin::test::EntryText(lumarin::test::ReadEpub(book), "OEBPS/content.opf");
        EXPECT_EQ(Between(package, "dc:title"), ToUtf8(found.title)) << "the book is called so";
        EXPECT_EQ(Between(package, "dc:creator"), ToUtf8(found.author));
    }
}

} // namespace
} // namespace lumarin::engine
