// SPDX-License-Identifier: MIT
#pragma once
// A book's title and author: the ones given, else what its front matter says
// (the first 《…》, "作者：" among the first lines), else its file name's.

#include "engine/epub/FileNameTitle.h"
#include "engine/headings/Analyzer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lumarin::engine {

class EpubText;
class SourceFile;
struct OutputOptions;

// What the front matter (the lines before the first chapter) tells about the book.
struct FrontMatter {
    bool hasText = false;
    std::u16string title;  // inside the first 《…》
    std::u16string author; // after "作者："
};

// Reads the lines before `firstChapterLine` as `text` writes them (filters and
// conversion applied), then rewinds `file`.
FrontMatter ReadFrontMatter(SourceFile& file, Encoding encoding, EpubText& text,
                            LineNumber firstChapterLine);

// Each of title and author: `given`'s when not blank, else the front matter's,
// else the file name's (either may come out empty).
TitleAndAuthor ChooseTitleAndAuthor(const std::filesystem::path& source,
                                    const TitleAndAuthor& given, const FrontMatter& front);

// The title and author a book of this analysis gets when the options give
// none, as the options' filters and conversion write them: what a window
// offers for the reader to keep or correct. Throws EngineError when the
// source cannot be read or has changed.
// `checked` are the list's check marks: the front matter runs to the first
// chapter the book will hold.
TitleAndAuthor DetectTitleAndAuthor(const AnalysisResult& analysis,
                                    const std::vector<bool>& checked,
                                    const OutputOptions& options);

} // namespace lumarin::engine
