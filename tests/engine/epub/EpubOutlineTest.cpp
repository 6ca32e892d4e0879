// SPDX-License-Identifier: MIT
// The book's documents and contents as made from the chapter table on demand.
#include "engine/epub/EpubOutline.h"

#include "engine/epub/EpubText.h"
#include "engine/output/OutputPlan.h"

#include <gtest/gtest.h>

namespace lumarin::engine {
namespace {

// Seven heading rows, each three lines long after two lines of front matter.
ChapterTable SevenHeadings() {
    ChapterTable table;
    const std::u16string headings[] = {u"第一章 起", u"　第二章 承 ", u"第三章 轉", u"\u3000 \t",
                                       u"第五章 合", u"第六章 歸來",  u"第七章 終"};
    table.m_lngStartLine.push_back(1);
    table.m_intChapterNo.push_back(0);
    table.m_strTitle.emplace_back(u"(Index)");
    table.m_strHeading.emplace_back(u"(Index)");
    for (int row = 0; row < 7; ++row) {
        table.m_lngStartLine.push_back(3 + 3 * row);
        table.m_intChapterNo.push_back(static_cast<std::int16_t>(row + 1));
        table.m_strTitle.emplace_back(headings[row]);
        table.m_strHeading.emplace_back(headings[row]);
    }
    table.m_lngStartLine.push_back(24);
    table.m_intChapterNo.push_back(0);
    table.m_strTitle.emplace_back(u"(End)");
    return table;
}

// Row 3 (第三章) marked: six chapters kept.
const std::vector<bool> kChecked{false, false, true, false, false, false, false};

TEST(EpubOutline, DocumentsHoldNChaptersAfterTheFrontMatter) {
    const ChapterTable table = SevenHeadings();
    const OutputSelection selection = BuildSelection(table, kChecked);
    OutputOptions options;
    options.toSimplified = true;
    const EpubText text(Encoding::Utf8, options);
    const EpubOutline outline(table, kChecked, selection, 4, true, text);

    ASSERT_EQ(outline.documentCount(), 3u);
    ASSERT_EQ(outline.chapterCount(), 6);
    const struct {
        std::int32_t first, last;
        const char* id;
        const char* href;
        std::u16string title;
    } documents[] = {{0, 0, "d0000", "text/0000.xhtml", u"书名"},
                     {1, 4, "d0001", "text/0001.xhtml", u"第一章 起"},
                     {5, 6, "d0002", "text/0002.xhtml", u"第六章 归来"}};
    for (std::size_t d = 0; d < 3; ++d) {
        EXPECT_EQ(outline.entries(d).first, documents[d].first) << d;
        EXPECT_EQ(outline.entries(d).last, documents[d].last) << d;
        EXPECT_EQ(outline.id(d), documents[d].id);
        EXPECT_EQ(outline.href(d), documents[d].href);
        EXPECT_EQ(outline.title(d, u"书名"), documents[d].title) << d;
    }
    // Labels are trimmed and converted; a blank heading shows as "(Unknown)".
    const std::u16string labels[] = {u"第一章 起", u"第二章 承",   u"(Unknown)",
                                     u"第五章 合", u"第六章 归来", u"第七章 终"};
    for (std::int32_t chapter = 1; chapter <= 6; ++chapter)
        EXPECT_EQ(outline.label(chapter), labels[chapter - 1]) << chapter;
    EXPECT_EQ(outline.chapterHref(1), "text/0001.xhtml#c1");
    EXPECT_EQ(outline.chapterHref(4), "text/0001.xhtml#c4");
    EXPECT_EQ(outline.chapterHref(5), "text/0002.xhtml#c5");
    EXPECT_EQ(EpubOutline::anchor(12), "c12");
}

TEST(EpubOutline, WithoutFrontMatterOneDocumentPerChapterNumberedFromOne) {
    const ChapterTable table = SevenHeadings();
    const OutputSelection selection = BuildSelection(table, kChecked);
    const EpubText text(Encoding::Utf8, OutputOptions{});
    // N below 1 reads as 1, as for chapter files.
    const EpubOutline outline(table, kChecked, selection, 0, false, text);

    ASSERT_EQ(outline.documentCount(), 6u);
    EXPECT_EQ(outline.entries(0).first, 1);
    EXPECT_EQ(outline.entries(5).first, 6);
    EXPECT_EQ(outline.entries(5).last, 6);
    EXPECT_EQ(outline.id(0), "d0001");
    EXPECT_EQ(outline.href(5), "text/0006.xhtml");
    EXPECT_EQ(outline.title(4, u"书名"), u"第六章 歸來"); // no conversion asked for
    EXPECT_EQ(outline.chapterHref(6), "text/0006.xhtml#c6");
}

} // namespace
} // namespace lumarin::engine
