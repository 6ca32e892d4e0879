// SPDX-License-Identifier: MIT
#include "CorpusBook.h"

#include <gtest/gtest.h>

namespace lumarin::engine::corpus {

std::string Encoded(const std::u16string& text, const char* charset) {
    const bool utf16 = std::string_view(charset).starts_with("UTF-16");
    return test::Encode(utf16 ? u"\uFEFF" + text : text, charset);
}

void ExpectSplitExactly(const BookCase& c, const test::TempDir& dir) {
    SCOPED_TRACE(std::string(c.kind) + " (" + c.charset + ")");
    const auto path = dir.write("book.txt", Encoded(c.book.text(), c.charset));
    // Measuring the chapters (for the window and --json) never changes the choice.
    for (const bool measured : {true, false}) {
        SCOPED_TRACE(measured ? "measured" : "not measured");
        AnalysisRequest request;
        request.automatic = true;
        request.measureChapters = measured;
        const AnalysisResult result = Analyze(path, request);
        EXPECT_EQ(result.rule == nullptr ? "" : test::U8(result.rule->name), test::U8(c.rule));
        std::vector<std::size_t> splits;
        std::vector<std::u16string> titles;
        for (std::size_t r = 0; r < result.checked.size(); ++r) {
            if (result.checked[r]) continue;
            splits.push_back(static_cast<std::size_t>(result.table.m_lngStartLine[r + 1]));
            titles.push_back(result.table.m_strTitle[r + 1]);
        }
        EXPECT_EQ(splits, c.book.splits);
        if (splits == c.book.splits) { // titles only where the rows agree
            for (std::size_t i = 0; i < titles.size(); ++i)
                EXPECT_EQ(test::U8(titles[i]), test::U8(c.book.titles[i])) << "split " << i;
        }
        // A rule is named only when it found headings; without one the book is one piece.
        EXPECT_EQ(result.rule != nullptr, !splits.empty());
        if (result.rule == nullptr) {
            EXPECT_EQ(result.m_lngCount, 0);
        }
    }
}

void Shelf::expectEverySplitExactly() const {
    test::TempDir dir;
    for (const BookCase& c : m_cases)
        ExpectSplitExactly(c, dir);
}

} // namespace lumarin::engine::corpus
