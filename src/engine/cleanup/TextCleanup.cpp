// SPDX-License-Identifier: MIT
// One sequential pass over the source. Most lines of a story hold nothing an
// advertisement or a page marker needs (LineGate): those are never decoded,
// so the pass costs little more than reading the file. Headings are known from the analysis and are
// neither judged nor measured.
#include "engine/cleanup/TextCleanup.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/cleanup/AscendingLines.h"
#include "engine/cleanup/LineGate.h"
#include "engine/cleanup/RawLineShape.h"
#include "engine/cleanup/RepeatedStamps.h"
#include "engine/cleanup/WrapWidth.h"
#include "engine/encoding/LineCodec.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineBreaks.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lumarin::engine {
namespace {

// Longer lines are the book's own (an advertisement is at most 80 characters).
constexpr std::size_t kLongestJudgedBytes = 4 * 80;
// A stamp is a short line, in characters.
constexpr std::size_t kLongestStamp = 24;
// Lines of text whose widths decide whether a book is wrapped: plenty to see a
// wrap, and the pass can stop there when nothing else is asked.
constexpr std::int64_t kWidthSample = 20000;
// A speech a quote opened goes on for at most this many lines without another
// quote mark (an unclosed quote must not shelter the rest of the book).
constexpr int kSpeechLines = 8;

std::vector<LineNumber> SplitLines(const ChapterTable& table, const std::vector<bool>& checked) {
    std::vector<LineNumber> lines;
    for (std::size_t row = 0; row < checked.size(); ++row)
        if (!checked[row]) lines.push_back(table.m_lngStartLine[row + 1]);
    return lines;
}

void SortUnique(std::vector<LineNumber>& lines) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
}

// The lines the output sets apart from the text: split points and volumes.
std::vector<LineNumber> StructureLines(const AnalysisResult& analysis,
                                       std::vector<LineNumber> lines) {
    for (const Volume& volume : analysis.volumes)
        lines.push_back(volume.line);
    SortUnique(lines);
    return lines;
}

// The lines that begin with a heading, split point or not: a row the reader
// or the audit marked is still a line of its own, never the end of a
// paragraph (a match inside a line is the story naming a chapter).
std::vector<LineNumber> HeadingLines(const AnalysisResult& analysis,
                                     std::vector<LineNumber> lines) {
    const ChapterTable& table = analysis.table;
    for (std::size_t row = 0; row < analysis.midLine.size(); ++row)
        if (!analysis.midLine[row]) lines.push_back(table.m_lngStartLine[row + 1]);
    SortUnique(lines);
    return lines;
}

// Lines in ascending order, asked about in ascending order.
class LineSet {
public:
    explicit LineSet(std::vector<LineNumber> lines) : m_lines(std::move(lines)) {}
    bool contains(LineNumber line) {
        return HoldsAscending(m_lines, m_next, line, [](LineNumber l) { return l; });
    }
    std::size_t size() const noexcept { return m_lines.size(); }
    const std::vector<LineNumber>& lines() const noexcept { return m_lines; }

private:
    std::vector<LineNumber> m_lines;
    std::size_t m_next = 0;
};

class CleanupPass {
public:
    CleanupPass(const AnalysisResult& analysis, const std::vector<bool>& checked,
                const CleanupRequest& request)
        : m_request(request), m_codec(analysis.encoding), m_shape(analysis.encoding),
          m_splits(SplitLines(analysis.table, checked)),
          m_structureLines(StructureLines(analysis, m_splits.lines())),
          m_structure(m_structureLines), m_headings(HeadingLines(analysis, m_structureLines)) {
        if (request.clean) m_gate.emplace(analysis.encoding); // its tables take a while to build
    }

    TextCleanup run(SourceFile& file, Encoding encoding, LineNumber lineCount) {
        BlockReader blocks(file, encoding);
        const LineBreaks breaks(encoding);
        std::string_view block;
        LineNumber lines = 0;
        while (blocks.next(block)) {
            ForEachLine(breaks, block, [&](std::size_t start, std::size_t end, std::size_t) {
                visit(Line{++lines, block.substr(start, end - start)});
            });
            holdRing();
            if (!m_request.clean && m_measured >= kWidthSample) return finish();
        }
        if (lines != lineCount) throw EngineError::sourceChanged();
        closeChapter(lines + 1);
        return finish();
    }

private:
    void visit(const Line& line) {
        if (m_structure.contains(line.number)) {
            if (m_splits.contains(line.number)) {
                closeChapter(line.number);
                ++m_chapter;
                m_startLines = 0;
                m_speechLines = 0;
            }
            return;
        }
        if (line.raw.empty()) return; // blank: nothing to judge (a book's every other line, often)
        bool inSpeech = false;
        if (m_request.clean) {
            inSpeech = m_speechLines > 0;
            if (judge(line, inSpeech)) return;
        }
        if (m_shape.isBlank(line.raw)) return;
        if (m_request.clean && m_chapter > 0) collectEdge(line, inSpeech);
        // A heading's shape says nothing about the text's.
        if (m_request.unwrap && m_measured < kWidthSample && !m_headings.contains(line.number))
            measure(line.raw);
    }

    void measure(std::string_view raw) {
        ++m_measured;
        const bool closed = m_shape.endsClosed(raw);
        const bool indented = m_shape.startsIndented(raw);
        m_columns.add(m_shape.width(raw), closed, indented);
        m_characters.add(m_shape.characters(raw), closed, indented);
    }

    // `inSpeech`: a quote opened in a line before this one is still open.
    bool judge(const Line& line, bool inSpeech) {
        if (line.raw.size() > kLongestJudgedBytes) {
            m_speechLines = 0; // a paragraph of its own: whatever it opened, it is no speech's line
            return false;
        }
        const LineGate::Look look = m_gate->look(line.raw);
        if (!look.mayBeRemoved) {
            followSpeech(look.opensQuote, look.closesQuote);
            return false;
        }
        m_codec.decode(line.raw, m_text);
        if (IsUtf16(m_codec.encoding()))
            followSpeech(m_text.find_first_of(u"“「『") != std::u16string::npos,
                         m_text.find_first_of(u"”」』") != std::u16string::npos);
        else
            followSpeech(look.opensQuote, look.closesQuote);
        const std::optional<RemovalReason> reason = JudgeLine(m_text, inSpeech);
        if (!reason) return false;
        if (*reason == RemovalReason::PageMarker)
            if (const std::optional<MarkerNumber> number = ReadMarkerNumber(m_text))
                m_markers.push_back({m_removed.size(), m_chapter, *number});
        m_removed.push_back({line.number, m_text, *reason});
        return true;
    }

    // A line that closes a quote ends the speech; one that only opens one
    // starts a speech that may go on in the lines after it.
    void followSpeech(bool opens, bool closes) {
        if (closes)
            m_speechLines = 0;
        else if (opens)
            m_speechLines = kSpeechLines;
        else if (m_speechLines > 0)
            --m_speechLines;
    }

    // The first lines of a chapter are candidates at once; the last ones wait
    // in a ring until the chapter ends, as views of the block (nearly every
    // line passes through the ring, and few stay).
    // A line of a speech is the story's, never a stamp.
    void collectEdge(const Line& line, bool inSpeech) {
        const bool shortLine = line.raw.size() <= RepeatedStamps::kLongestStamp && !inSpeech;
        const bool startLine = m_startLines < RepeatedStamps::kEdgeLines;
        if (startLine) {
            ++m_startLines;
            if (shortLine) addStamp(line.number, line.raw);
            if (m_shape.endsLeadingIn(line.raw) && (m_letters.empty() || m_letters.back().end != 0))
                m_letters.push_back({line.number, 0});
        }
        Edge& edge = m_ring[m_ringNext];
        m_ringNext = m_ringNext + 1 == m_ring.size() ? 0 : m_ringNext + 1;
        // The line leaving the ring is no last line: a short one is the story's.
        if (edge.line > 0 && !edge.atStart) m_stamps.addBody(edge.raw);
        edge.line = shortLine ? line.number : 0;
        edge.atStart = startLine;
        edge.raw = line.raw;
    }

    // A line with more characters than a stamp has can be no stamp (it has at
    // least as many UTF-16 units): it is not kept, so that what is kept stays
    // small however many chapters a book has.
    void addStamp(LineNumber line, std::string_view raw) {
        if (static_cast<std::size_t>(m_shape.characters(raw)) <= kLongestStamp)
            m_stamps.add(m_chapter, line, raw);
    }

    // The block the ring's views point into is about to be replaced.
    void holdRing() {
        for (Edge& edge : m_ring) {
            if (edge.line == 0 || edge.raw.data() == edge.held.data()) continue;
            edge.held.assign(edge.raw);
            edge.raw = edge.held;
        }
    }

    // `end`: the line after the chapter.
    void closeChapter(LineNumber end) {
        for (std::size_t k = 0; k < m_ring.size(); ++k) {
            Edge& edge = m_ring[(m_ringNext + k) % m_ring.size()];
            if (edge.line > 0 && m_chapter > 0) addStamp(edge.line, edge.raw);
            edge.line = 0;
        }
        if (!m_letters.empty() && m_letters.back().end == 0) m_letters.back().end = end;
    }

    TextCleanup finish() {
        TextCleanup cleanup;
        keepSectionNumbers();
        cleanup.removed = std::move(m_removed);
        if (m_request.clean) addStamps(cleanup.removed);
        if (m_request.unwrap) {
            // Wraps count columns or characters; the count that finds more
            // full lines is the one the book was wrapped by.
            const WrapWidth::Decision columns = m_columns.decide();
            const WrapWidth::Decision characters = m_characters.decide();
            cleanup.wrapInCharacters = characters.full > columns.full;
            const WrapWidth::Decision& wrap = cleanup.wrapInCharacters ? characters : columns;
            cleanup.wrapWidth = wrap.width;
            cleanup.indentedParagraphs = wrap.indentedParagraphs;
            if (cleanup.wrapWidth > 0) cleanup.headings = m_headings.lines();
        }
        return cleanup;
    }

    // Page numbers rise through the book; numbers written alike that start
    // again at 1 in chapter after chapter (in two at least, and in half of
    // those that hold any) number its sections, and stay. Each way of writing
    // them is judged by itself.
    void keepSectionNumbers() {
        std::vector<bool> kept(m_removed.size(), false);
        for (const auto form : {MarkerNumber::Dashed, MarkerNumber::PageOf, MarkerNumber::Numbered}) {
            std::int32_t chapters = 0, restarts = 0;
            std::int32_t lastChapter = -1;
            for (const Marker& marker : m_markers) {
                if (marker.number.form != form || marker.chapter == lastChapter) continue;
                lastChapter = marker.chapter;
                ++chapters;
                if (marker.number.value == 1) ++restarts;
            }
            if (restarts < 2 || restarts * 2 < chapters) continue;
            for (const Marker& marker : m_markers)
                if (marker.number.form == form) kept[marker.removed] = true;
        }
        std::size_t to = 0;
        for (std::size_t from = 0; from < m_removed.size(); ++from)
            if (!kept[from] && to++ != from) m_removed[to - 1] = std::move(m_removed[from]);
        m_removed.resize(to);
    }

    void addStamps(std::vector<RemovedLine>& removed) {
        const std::size_t judged = removed.size();
        std::size_t letter = 0;
        for (RepeatedStamps::Stamp& stamp :
             m_stamps.choose(static_cast<std::int32_t>(m_splits.size()))) {
            if (inLetter(stamp.line, letter)) continue;
            m_codec.decode(stamp.raw, m_text);
            if (IsStampText(m_text))
                removed.push_back({stamp.line, m_text, RemovalReason::Repeated});
        }
        std::inplace_merge(
            removed.begin(), removed.begin() + static_cast<std::ptrdiff_t>(judged), removed.end(),
            [](const RemovedLine& a, const RemovedLine& b) { return a.line < b.line; });
    }

    // Whether `line` follows the salutation of a chapter that opens as a
    // letter: its closing words and signature stand at the chapter's end in
    // every letter, and are the story's. Asked in ascending order of line.
    bool inLetter(LineNumber line, std::size_t& next) const {
        while (next < m_letters.size() && m_letters[next].end <= line)
            ++next;
        return next < m_letters.size() && m_letters[next].salutation < line;
    }

    // A stamp is short and says something, and nobody says it: a line of
    // dashes or stars is the book's own divider, a quoted line its dialogue.
    // Nor is it a sentence: a line that ends one, joins clauses or leads into
    // the next line with a colon is the story's, however often it comes back
    // (a storyteller's closing formula at the end of every chapter).
    static bool IsStampText(std::u16string_view text) {
        if (text.find_first_of(u"“”「」『』\"，,；;") != std::u16string_view::npos) return false;
        const std::size_t last = text.find_last_not_of(u" \t\u3000");
        if (last != std::u16string_view::npos &&
            std::u16string_view(u"。！？!?.…：:").find(text[last]) != std::u16string_view::npos)
            return false;
        return text.size() <= kLongestStamp &&
               std::any_of(text.begin(), text.end(), [](char16_t c) {
                   return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'a' && c <= u'z') || (c >= 0x3400 && c <= 0x9FFF) ||
                          (c >= 0xFF10 && c <= 0xFF5A);
               });
    }

    struct Marker {
        std::size_t removed = 0; // in m_removed
        std::int32_t chapter = 0;
        MarkerNumber number;
    };
    // A chapter that opens as a letter: from its salutation to the chapter's end.
    struct Letter {
        LineNumber salutation = 0;
        LineNumber end = 0; // the line after the chapter; 0 while it is read
    };

    struct Edge {
        LineNumber line = 0;  // 0: no line that could be a stamp
        bool atStart = false; // among the chapter's first lines, already counted there
        std::string_view raw; // into the block, or into `held`
        std::string held;
    };

    const CleanupRequest& m_request;
    LineCodec m_codec;
    RawLineShape m_shape;
    LineSet m_splits;
    std::vector<LineNumber> m_structureLines;
    LineSet m_structure;
    LineSet m_headings; // structure lines and marked rows that begin their line
    std::optional<LineGate> m_gate; // when cleaning
    std::u16string m_text;
    std::vector<RemovedLine> m_removed;
    std::vector<Marker> m_markers; // the page markers among m_removed
    std::vector<Letter> m_letters;
    int m_speechLines = 0; // lines a speech may still go on for
    RepeatedStamps m_stamps;
    std::array<Edge, RepeatedStamps::kEdgeLines> m_ring;
    std::size_t m_ringNext = 0;
    std::int32_t m_chapter = 0;
    int m_startLines = 0;
    std::int64_t m_measured = 0;
    WrapWidth m_columns;
    WrapWidth m_characters;
};

} // namespace

TextCleanup PlanCleanup(const AnalysisResult& analysis, const std::vector<bool>& checked,
                        const CleanupRequest& request) {
    if (!request.any()) return {};
    SourceFile file(analysis.m_strSource);
    if (file.stamp() != analysis.stamp) throw EngineError::sourceChanged();
    return CleanupPass(analysis, checked, request).run(file, analysis.encoding, analysis.lineCount);
}

} // namespace lumarin::engine

namespace lumarin::engine {

std::u16string RemovedLinesMessage(std::int64_t count) {
    return u"已删除" + ToU16Decimal(count) + u"行（广告、页码、重复行）";
}

} // namespace lumarin::engine
