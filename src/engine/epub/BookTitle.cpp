// SPDX-License-Identifier: MIT
#include "engine/epub/BookTitle.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/epub/EpubText.h"
#include "engine/output/OutputSelection.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

namespace lumarin::engine {
namespace {

// An author line counts when it is among the first lines of the source.
constexpr LineNumber kAuthorLines = 30;

void Examine(LineNumber number, std::u16string_view text, FrontMatter& front) {
    if (!IsBlankText(text)) front.hasText = true;
    if (front.title.empty()) {
        const std::size_t open = text.find(u'《');
        const std::size_t close =
            open == std::u16string_view::npos ? open : text.find(u'》', open + 1);
        if (close != std::u16string_view::npos)
            front.title = TrimBlanks(text.substr(open + 1, close - open - 1));
    }
    if (front.author.empty() && number <= kAuthorLines) {
        constexpr std::u16string_view kMarker = u"作者：";
        const std::size_t at = text.find(kMarker);
        if (at != std::u16string_view::npos)
            front.author = TrimBlanks(text.substr(at + kMarker.size()));
    }
}

} // namespace

FrontMatter ReadFrontMatter(SourceFile& file, Encoding encoding, EpubText& text,
                            LineNumber firstChapterLine) {
    FrontMatter front;
    BlockReader blocks(file, encoding);
    LineReader lines(blocks);
    Line line;
    std::u16string lineText;
    while (lines.linesRead() + 1 < firstChapterLine && lines.next(line)) {
        if (text.filtered(line.raw, lineText)) Examine(line.number, lineText, front);
        if (front.hasText && !front.title.empty() && line.number > kAuthorLines) break;
    }
    file.rewind();
    front.title = text.converted(front.title);
    front.author = text.converted(front.author);
    return front;
}

TitleAndAuthor ChooseTitleAndAuthor(const std::filesystem::path& source,
                                    const TitleAndAuthor& given, const FrontMatter& front) {
    const TitleAndAuthor named = TitleAndAuthorFromFileName(FromUtf8(source.stem().string()));
    const auto first = [](std::u16string_view chosen, const std::u16string& text,
                          const std::u16string& name) {
        const std::u16string_view trimmed = TrimBlanks(chosen);
        if (!trimmed.empty()) return std::u16string(trimmed);
        return text.empty() ? name : text;
    };
    return {first(given.title, front.title, named.title),
            first(given.author, front.author, named.author)};
}

TitleAndAuthor DetectTitleAndAuthor(const AnalysisResult& analysis,
                                    const std::vector<bool>& checked,
                                    const OutputOptions& options) {
    SourceFile source(analysis.m_strSource);
    if (source.stamp() != analysis.stamp) throw EngineError::sourceChanged();
    // The front matter runs to the first chapter the book will hold.
    const OutputSelection selection = SelectForOutput(analysis, checked);
    const LineNumber firstChapter =
        selection.m_lngSelected > 0 ? selection.m_lngSelStart[1] : analysis.lineCount + 1;
    EpubText text(analysis.encoding, options);
    const FrontMatter front = ReadFrontMatter(source, analysis.encoding, text, firstChapter);
    return ChooseTitleAndAuthor(analysis.m_strSource, {}, front);
}

} // namespace lumarin::engine
