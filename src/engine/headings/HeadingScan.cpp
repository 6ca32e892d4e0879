#include "engine/headings/HeadingScan.h"

#include "engine/base/ByteSearch.h"
#include "engine/base/EngineError.h"
#include "engine/encoding/CharacterCount.h"
#include "engine/encoding/Utf8Scan.h"
#include "engine/headings/ChineseNumber.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"

namespace lumarin::engine {

void HeadingHits::add(LineNumber line, std::u16string_view heading, const HeadingFields& fields,
                      std::int64_t before, bool measure) {
    table.m_strHeading.emplace_back(heading);
    table.m_lngStartLine.push_back(line);
    table.m_intChapterNo.push_back(fields.qualified ? ParseChineseNumber(fields.number) : 0);
    table.m_strTitle.push_back(fields.qualified ? CleanTitle(fields.title) : u"(Unknown)");
    midLine.push_back(!StartsLine(heading, fields.start));
    if (measure) charsBefore.push_back(before);
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
        if (m_plan.userCondition || mayStart) examineText(line.number, mayStart);
        if (m_plan.measure) m_chars += CountCharacters(line.raw, m_encoding);
    }
    m_lines = reader.linesRead();
    return true;
}

void HeadingScanner::visitRaw(LineNumber number, std::string_view raw) {
    const bool mayStart = m_starts.mayStartHeading(raw);
    const bool wanted = mayStart || (m_plan.userCondition &&
                                     (!m_needle || FindBytes(raw, *m_needle, 0) != raw.size()));
    if (wanted) examine(number, raw, mayStart);
    if (m_plan.measure) m_chars += CountCharacters(raw, m_encoding);
}

void HeadingScanner::examine(LineNumber number, std::string_view raw, bool mayStart) {
    m_codec.decode(raw, m_text);
    examineText(number, mayStart);
}

// Tries the conditions on the decoded line m_text; m_chars counts the lines
// before it.
void HeadingScanner::examineText(LineNumber number, bool mayStart) {
    const bool mayMatchRule =
        mayStart && (m_plan.anyRuleStart == nullptr ||
                     m_plan.anyRuleStart->match(m_text, m_fields) == MatchStatus::Matched);
    for (std::size_t i = 0; i < m_plan.conditions.size(); ++i) {
        if (!(m_plan.userCondition && i == 0) && !mayMatchRule) continue;
        switch (m_plan.conditions[i]->match(m_text, m_fields)) {
        case MatchStatus::NoMatch:
            break;
        case MatchStatus::LimitExceeded:
            throw EngineError::matchLimitExceeded(number);
        case MatchStatus::Matched:
            m_outcome.hits[i].add(number, m_text, m_fields, m_chars, m_plan.measure);
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
