// SPDX-License-Identifier: MIT
#include "engine/output/SizeParts.h"

#include "TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace lumarin::engine {
namespace {

using test::Encode;
using test::TempDir;

// A book of lines whose characters are known: some headings, paragraphs of
// every length (long ones far over a small limit), blank lines. Some chapters
// are opened by a volume: their entry starts at the volume's line, lines
// before their heading.
struct Book {
    std::vector<std::u16string> lines;
    std::vector<LineNumber> headings;
    std::map<LineNumber, LineNumber> openings; // heading -> the volume line before it
};

Book MakeBook(bool withHeadings) {
    Book book;
    unsigned seed = 11;
    for (int i = 0; i < 600; ++i) {
        seed = seed * 1103515245u + 12345u;
        if (withHeadings && i % 40 == 3) {
            const auto heading = static_cast<LineNumber>(book.lines.size()) + 1;
            book.headings.push_back(heading);
            if (book.headings.size() % 3 == 2) book.openings[heading] = heading - 6;
            book.lines.push_back(u"第" + std::u16string(1, u'一') + u"章");
            continue;
        }
        const unsigned length = (seed >> 16) % 9 == 0 ? 0 : (seed >> 8) % 140;
        std::u16string line;
        for (unsigned k = 0; k < length; ++k)
            line += (k + seed) % 5 == 0 ? u'a' : u'字';
        book.lines.push_back(line);
    }
    return book;
}

// The selection the writer gets: the front matter, one entry per heading.
OutputSelection SelectionOf(const Book& book) {
    OutputSelection selection;
    const auto entry = [&](LineNumber heading) {
        const auto opening = book.openings.find(heading);
        selection.m_lngSelStart.push_back(opening == book.openings.end() ? heading
                                                                         : opening->second);
        selection.m_intSelNo.push_back(static_cast<std::int16_t>(selection.m_intSelNo.size()));
        selection.m_strSelTitle.emplace_back(u"章");
        selection.m_lngSelVolume.push_back(-1);
        selection.m_lngSelOpens.push_back(opening == book.openings.end() ? -1 : 0);
        selection.m_lngSelHeading.push_back(heading);
        selection.m_lngSelPart.push_back(0);
    };
    entry(1);
    for (const LineNumber heading : book.headings)
        entry(heading);
    entry(static_cast<LineNumber>(book.lines.size()) + 1);
    selection.m_lngSelected = static_cast<std::int32_t>(book.headings.size());
    return selection;
}

// The parts by size must be the greedy ones: within every chapter (the whole
// text when there are none) a part ends exactly where its next line would
// take it past the limit, and a part with characters is never empty of lines.
// A volume's opening stays whole in its chapter's first part, not counted.
void ExpectGreedyParts(const Book& book, const OutputSelection& cut, std::int64_t limit) {
    const auto chars = [&](LineNumber line) {
        return static_cast<std::int64_t>(book.lines[static_cast<std::size_t>(line - 1)].size());
    };
    std::vector<LineNumber> chapterStarts;
    std::map<LineNumber, LineNumber> headingAfter; // an opening's line -> its heading
    for (const LineNumber heading : book.headings) {
        const auto opening = book.openings.find(heading);
        chapterStarts.push_back(opening == book.openings.end() ? heading : opening->second);
        if (opening != book.openings.end()) headingAfter[opening->second] = heading;
    }
    if (chapterStarts.empty()) chapterStarts.push_back(1);
    const auto chapterStart = [&](LineNumber line) {
        return std::binary_search(chapterStarts.begin(), chapterStarts.end(), line);
    };
    const LineNumber end = static_cast<LineNumber>(book.lines.size()) + 1;
    ASSERT_EQ(cut.m_lngSelStart.back(), end);
    std::size_t entry = 1;
    for (LineNumber line = chapterStarts.front(); line < end;) {
        ASSERT_LT(entry + 1, cut.m_lngSelStart.size());
        ASSERT_EQ(cut.m_lngSelStart[entry], line);
        LineNumber from = line;
        if (const auto opening = headingAfter.find(line); opening != headingAfter.end()) {
            from = opening->second;
            EXPECT_EQ(cut.m_lngSelHeading[entry], from) << "the heading of the part from " << line;
        }
        std::int64_t sum = 0;
        LineNumber next = from;
        while (next < end && (next == from || !chapterStart(next)) &&
               !(sum > 0 && sum + chars(next) > limit))
            sum += chars(next++);
        EXPECT_EQ(cut.m_lngSelStart[entry + 1], next) << "part from line " << line;
        line = next;
        ++entry;
    }
    EXPECT_EQ(entry + 1, cut.m_lngSelStart.size());
    EXPECT_EQ(cut.m_lngSelected, static_cast<std::int32_t>(entry) - 1);
}

TEST(SizeParts, PartsAreTheGreedyOnesInEveryEncodingLineEndAndBlockSize) {
    TempDir dir;
    const struct {
        const char* encoding;
        Encoding read;
    } encodings[] = {{"GB18030", Encoding::Gb18030},
                     {"UTF-8", Encoding::Utf8},
                     {"UTF-16LE", Encoding::Utf16LE},
                     {"UTF-16BE", Encoding::Utf16BE}};
    for (const bool withHeadings : {true, false}) {
        const Book book = MakeBook(withHeadings);
        for (const char16_t* lineEnd : {u"\n", u"\r\n", u"\r"}) {
            std::u16string text;
            for (const std::u16string& line : book.lines)
                text += line + lineEnd;
            for (const auto& encoding : encodings) {
                const auto file = dir.write("book.txt", Encode(text, encoding.encoding));
                // Tiny blocks end parts and chapters at block ends; the limits
                // range from below one paragraph to whole chapters.
                for (const std::size_t block :
                     {std::size_t{16}, std::size_t{100}, std::size_t{1} << 20}) {
                    for (const std::int64_t limit :
                         {std::int64_t{1}, std::int64_t{60}, std::int64_t{150}, std::int64_t{400},
                          std::int64_t{3000}, std::int64_t{100000},
                          std::numeric_limits<std::int64_t>::max()}) {
                        SCOPED_TRACE(std::string(encoding.encoding) + " block " +
                                     std::to_string(block) + " limit " + std::to_string(limit) +
                                     (withHeadings ? " chapters" : " no headings") + " end " +
                                     std::to_string(lineEnd[0]) + std::to_string(lineEnd[1]));
                        OutputSelection selection = SelectionOf(book);
                        SourceFile source(file);
                        CutBySize(selection, source, encoding.read, limit, block);
                        ExpectGreedyParts(book, selection, limit);
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace lumarin::engine
