#include "engine/headings/HeadingScan.h"

#include "engine/base/ByteSearch.h"
#include "engine/base/EngineError.h"
#include "engine/encoding/CharacterCount.h"
#include "engine/encoding/Utf8Scan.h"
#include "engine/headings/ChineseNumber.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"

#include <algorithm>

namespace lumarin::engine {

void HeadingHits::add(LineNumber line, std::u16string_view heading, const HeadingFields& fields,
                      std::int64_t before, bool measure) {
    table.m_strHeading.emplace_back(heading);
    table.m_lngStartLine.push_back(line);
    table.m_intChapterNo.push_back(fields.qualified ? ParseChineseNumber(fields.number) : 0);
    table.m_strTitle.push_back(fields.qualified ? CleanTitle(fields.title) : u"(Unknown)");
    midLine.push_back(!StartsLine(heading, fields.start));
    if (measure) charsBefore.push_back(before);
    std::uint8_t form = 0;
    if (fields.qualified && !fields.number.empty()) {
        const char16_t first = fields.number.front();
        form = first >= u'0' && first <= u'9' ? 1 : first >= u'０' && first <= u'９' ? 2 : 3;
    }
    numberForm.push_back(form);
}

void HeadingHits::addFrom(const HeadingHits& from, std::size_t k) {
    table.m_strHeading.push_back(from.table.m_strHeading[k + 1]);
    table.m_lngStartLine.push_back(from.table.m_lngStartLine[k + 1]);
    table.m_intChapterNo.push_back(from.table.m_intChapterNo[k + 1]);
    table.m_strTitle.push_back(from.table.m_strTitle[k + 1]);
    midLine.push_back(from.midLine[k]);
    if (k < from.charsBefore.size()) charsBefore.push_back(from.charsBefore[k]);
    numberForm.push_back(from.numberForm[k]);
}

HeadingHits HeadingHits::kept(const std::vector<bool>& keep) const {
    HeadingHits out;
    for (std::size_t k = 0; k < count(); ++k)
        if (keep[k]) out.addFrom(*this, k);
    return out;
}

HeadingScanner::HeadingScanner(SourceFile& file, Encoding encoding, const ScanPlan& plan,
                               std::uint64_t utf8Size)
    : m_file(file), m_encoding(encoding), m_plan(plan), m_codec(encoding), m_breaks(encoding),
      m_starts(encoding), m_utf8Size(utf8Size) {}

// Tallies `bytes` while UTF-8 is still to be confirmed; false once the file
// can no longer be mostly UTF-8 (`atEnd`: or is not).
bool HeadingScanner::stillUtf8(std::string_view bytes, bool atEnd) {
    if (m_utf8Size == 0) return true;
    m_tally.add(bytes);
    m_tallied += bytes.size();
    if (atEnd) return m_tally.mostlyUtf8();
    return !m_tally.ruledOut(m_utf8Size > m_tallied ? m_utf8Size - m_tallied : 0);
}

bool HeadingScanner::run() {
    m_file.rewind();
    m_outcome = ScanOutcome{};
    m_outcome.hits.resize(m_plan.conditions.size());
    m_lines = 0;
    m_chars = 0;
    m_tally = Utf8Tally{};
    m_tallied = 0;
    m_pendingTitle = 0;
    m_anyStart = std::find(m_plan.anyStart.begin(), m_plan.anyStart.end(), true) !=
                 m_plan.anyStart.end();
    m_lookAtShapes = !m_plan.userCondition;
    bool ok = false;
    if (IsUtf16(m_encoding)) {
        ok = scanDecodedLines();
    } else if (m_plan.userCondition && (m_needle = searchableForm()) && !m_plan.nearMiss &&
               !m_plan.volume) {
        ok = scanNeedle(*m_needle);
    } else {
        ok = scanByteLines();
    }
    m_outcome.lineCount = m_lines;
    m_outcome.totalChars = m_chars;
    return ok && stillUtf8({}, true);
}

std::optional<std::string> HeadingScanner::searchableForm() {
    const std::optional<char16_t> required = m_plan.conditions.front()->requiredCharacter();
    if (!required) return std::nullopt;
    std::vector<std::string> forms = m_codec.encodedForms(*required);
    if (forms.size() != 1) return std::nullopt;
    return forms.front();
}

bool HeadingScanner::scanNeedle(const std::string& needle) {
    BlockReader blocks(m_file, m_encoding);
    std::string_view block;
    while (blocks.next(block)) {
        if (!stillUtf8(block, false)) return false;
        scanNeedleBlock(block, needle);
    }
    return true;
}

void HeadingScanner::scanNeedleBlock(std::string_view block, const std::string& needle) {
    std::size_t pos = 0;
    while (pos < block.size()) {
        const std::size_t hit = FindBytes(block, needle, pos);
        if (hit == block.size()) break;
        const std::size_t start = m_breaks.findStart(block, hit);
        const std::string_view skipped = block.substr(pos, start - pos);
        m_lines += static_cast<LineNumber>(m_breaks.count(skipped));
        if (m_plan.measure) m_chars += CountCharacters(skipped, m_encoding);
        const std::size_t end = m_breaks.findEnd(block, hit);
        visitRaw(++m_lines, block.substr(start, end - start));
        pos = end < block.size() ? end + m_breaks.terminatorLength(block, end) : end;
    }
    const std::string_view rest = block.substr(pos);
    m_lines += static_cast<LineNumber>(m_breaks.count(rest));
    if (m_plan.measure) m_chars += CountCharacters(rest, m_encoding);
    if (!rest.empty() && rest.back() != '\n' && rest.back() != '\r')
        ++m_lines; // the last line of the file, without a line end
}

bool HeadingScanner::scanByteLines() {
    BlockReader blocks(m_file, m_encoding);
    std::string_view block;
    while (blocks.next(block)) {
        if (!stillUtf8(block, false)) return false;
        if (m_breaks.endsOnLineFeed(block)) {
            scanLineFeedLines(block);
            continue;
        }
        std::size_t pos = 0;
        while (pos < block.size()) {
            const std::size_t end = m_breaks.findEnd(block, pos);
            visitRaw(++m_lines, block.substr(pos, end - pos));
            pos = end < block.size() ? end + m_breaks.terminatorLength(block, end) : end;
        }
    }
    return true;
}

// The common case: every line ends in LF or CR LF, so the LFs alone divide
// the lines.
void HeadingScanner::scanLineFeedLines(std::string_view block) {
    std::size_t start = 0;
    ForEachLineFeed(block, [&](std::size_t lf) {
        std::size_t end = lf;
        if (end > start && block[end - 1] == '\r') --end;
        visitRaw(++m_lines, block.substr(start, end - start));
        start = lf + 1;
    });
    if (start < block.size()) visitRaw(++m_lines, block.substr(start)); // no line end
}

bool HeadingScanner::scanDecodedLines() {
    BlockReader blocks(m_file, m_encoding);
    LineReader reader(blocks);
    Line line;
    while (reader.next(line)) {
        m_codec.decode(line.raw, m_text);
        const bool mayStart = HeadingStarts::mayStartHeading(std::u16string_view(m_text));
        const LineShape shape = HeadingStarts::shape(std::u16string_view(m_text));
        const bool shortLine = m_lookAtShapes && isShort(shape);
        if (m_lookAtShapes) afterShape(line.number, shape, shortLine);
        if (m_plan.userCondition || mayStart || (shortLine && m_anyStart))
            examineText(line.number, mayStart, shortLine);
        if (m_plan.layout)
            m_outcome.layout.line(line.number, shape.blank, shape.indent,
                                  shortLine ? &m_text : nullptr, m_chars);
        if (m_plan.measure) m_chars += CountCharacters(line.raw, m_encoding);
    }
    m_lines = reader.linesRead();
    return true;
}

// A line short enough to be a title (measured in the units the shape was).
bool HeadingScanner::isShort(const LineShape& shape) const {
    if (shape.blank) return false;
    // Two bytes a character in the legacy encodings, three in UTF-8; the
    // decoded text is measured again exactly.
    const std::size_t perCharacter = IsUtf16(m_encoding)          ? 1
                                     : m_encoding == Encoding::Utf8 ? 3
                                                                    : 2;
    return shape.contentUnits <= perCharacter * kLayoutTitleChars;
}

// With the line decoded into m_text when it is short: the title of a heading
// just before it.
void HeadingScanner::afterShape(LineNumber number, const LineShape& shape, bool shortLine) {
    if (shape.blank || m_pendingTitle == 0) return;
    if (shortLine && IsTitleLike(m_text))
        m_outcome.nextLines.push_back({m_pendingTitle, number, m_text});
    m_pendingTitle = 0;
}

void HeadingScanner::visitRaw(LineNumber number, std::string_view raw) {
    if (!m_lookAtShapes) {
        const bool mayStart = m_starts.mayStartHeading(raw);
        const bool wanted = mayStart || (m_plan.userCondition &&
                                         (!m_needle || FindBytes(raw, *m_needle, 0) != raw.size()));
        if (wanted) examine(number, raw, mayStart);
    } else {
        const LineShape shape = m_starts.shape(raw);
        const bool mayStart = m_starts.mayStartHeading(raw, shape);
        const bool shortLine =
            isShort(shape) &&
            !m_starts.endsLikeSentence(raw.substr(shape.contentStart, shape.contentUnits));
        if (mayStart || shortLine) m_codec.decode(raw, m_text);
        afterShape(number, shape, shortLine);
        if (mayStart || (shortLine && m_anyStart)) examineText(number, mayStart, shortLine);
        if (m_plan.layout)
            m_outcome.layout.line(number, shape.blank, shape.indent, shortLine ? &m_text : nullptr,
                                  m_chars);
    }
    if (m_plan.measure) m_chars += CountCharacters(raw, m_encoding);
}

void HeadingScanner::examine(LineNumber number, std::string_view raw, bool mayStart) {
    m_codec.decode(raw, m_text);
    examineText(number, mayStart, false);
}

// Tries the conditions on the decoded line m_text; m_chars counts the lines
// before it.
void HeadingScanner::examineText(LineNumber number, bool mayStart, bool shortLine) {
    const bool mayMatchRule =
        mayStart && (m_plan.anyRuleStart == nullptr ||
                     m_plan.anyRuleStart->match(m_text, m_fields) == MatchStatus::Matched);
    const bool mayEndRule = shortLine && m_anyStart && HeadingStarts::mayEndHeading(m_text);
    for (std::size_t i = 0; i < m_plan.conditions.size(); ++i) {
        const bool tried = (m_plan.userCondition && i == 0) || mayMatchRule ||
                           (mayEndRule && i < m_plan.anyStart.size() && m_plan.anyStart[i]);
        if (!tried) continue;
        switch (m_plan.conditions[i]->match(m_text, m_fields)) {
        case MatchStatus::NoMatch:
            break;
        case MatchStatus::LimitExceeded:
            throw EngineError::matchLimitExceeded(number);
        case MatchStatus::Matched:
            m_outcome.hits[i].add(number, m_text, m_fields, m_chars, m_plan.measure);
            if (!m_plan.userCondition && m_fields.qualified && CleanTitle(m_fields.title).empty())
                m_pendingTitle = number;
            break;
        }
    }
    if (m_plan.volume != nullptr && mayStart && !IsLongHeading(m_text) &&
        m_plan.volume->match(m_text, m_fields) == MatchStatus::Matched)
        m_outcome.volumeLines.push_back({number, m_text});
    if (m_plan.nearMiss != nullptr && mayStart && !IsLongHeading(m_text) &&
        m_plan.nearMiss->match(m_text, m_fields) == MatchStatus::Matched)
        m_outcome.nearMisses.push_back({number, m_text});
}

} // namespace lumarin::engine
