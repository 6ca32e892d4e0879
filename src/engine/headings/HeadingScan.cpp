// SPDX-License-Identifier: MIT
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
    if (k < from.places.size()) places.push_back(from.places[k]);
    numberForm.push_back(from.numberForm[k]);
}

HeadingHits HeadingHits::kept(const std::vector<bool>& keep) const {
    HeadingHits out;
    for (std::size_t k = 0; k < count(); ++k)
        if (keep[k]) out.addFrom(*this, k);
    return out;
}

namespace {

// The characters every volume word without ASCII letters holds one of.
constexpr std::u16string_view kVolumeWords = u"第卷部";

// The longest content a title can have, in the units a line's shape is
// measured in: two bytes a character in the legacy encodings, three in UTF-8;
// the decoded text is measured again exactly.
std::size_t TitleUnits(Encoding encoding) {
    const std::size_t perCharacter = IsUtf16(encoding) ? 1 : encoding == Encoding::Utf8 ? 3 : 2;
    return perCharacter * kLayoutTitleChars;
}

} // namespace

HeadingScanner::HeadingScanner(SourceFile& file, Encoding encoding, const ScanPlan& plan,
                               std::uint64_t utf8Size)
    : m_file(file), m_encoding(encoding), m_plan(plan), m_codec(encoding), m_breaks(encoding),
      m_starts(encoding), m_titleUnits(TitleUnits(encoding)), m_utf8Size(utf8Size) {}

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
    if (m_plan.automatic) m_outcome.layout.allowLooseTitles();
    m_outcome.hits.resize(m_plan.conditions.size());
    m_lines = 0;
    m_chars = 0;
    m_tally = Utf8Tally{};
    m_tallied = 0;
    m_pendingTitle = 0;
    m_place = LinePlace{};
    m_anyStart = std::find(m_plan.anyStart.begin(), m_plan.anyStart.end(), true) !=
                 m_plan.anyStart.end();
    m_lookAtShapes = !m_plan.userCondition;
    m_needs.build(m_plan.needs, m_plan.needsAtStart);
    m_starters.build(m_plan.starts);
    m_enders.build(m_plan.ends);
    bool ok = false;
    if (IsUtf16(m_encoding)) {
        ok = scanDecodedLines();
    } else if (m_plan.userCondition && (m_needle = searchableForm()) && !m_plan.nearMiss &&
               volumeNeedles()) {
        ok = scanNeedle();
    } else {
        ok = scanByteLines();
    }
    m_outcome.lineCount = m_lines;
    m_outcome.totalChars = m_chars;
    m_outcome.end = m_place;
    m_outcome.unitsPerCharacter = static_cast<int>(TitleUnits(m_encoding) / kLayoutTitleChars);
    return ok && stillUtf8({}, true);
}

std::optional<std::string> HeadingScanner::searchableForm() {
    const std::optional<char16_t> required = m_plan.conditions.front()->requiredCharacter();
    if (!required) return std::nullopt;
    // The volume words and what may stand before them are looked up next:
    // one pass over the encoding's codes finds them all.
    std::u16string units(1, *required);
    if (m_plan.volume != nullptr) units += std::u16string(kVolumeWords) + VolumeLeadCharacters();
    std::vector<std::string> forms = std::move(m_codec.encodedForms(units).front());
    if (forms.size() != 1) return std::nullopt;
    return forms.front();
}

// When volume lines are looked for, a line that holds none of the user's
// condition's character, 第, 卷, 部, "vol" or "boo" (any case) can be passed
// over too: every volume word holds one, and one without 第 begins its line
// (VolumeWordPlace). Not "book": a caseless k also matches the Kelvin sign.
// False when a needle has no single short encoded form, so that every line
// is looked at.
bool HeadingScanner::volumeNeedles() {
    m_jump = NeedleSet{};
    if (m_plan.volume == nullptr) return true;
    if (!m_jump.add(*m_needle)) return false;
    for (const char16_t c : kVolumeWords) {
        const std::vector<std::string> forms = m_codec.encodedForms(c);
        if (forms.size() != 1 || !m_jump.add(forms.front())) return false;
    }
    if (!m_jump.add("vol", true) || !m_jump.add("boo", true)) return false;
    m_volumeWords.emplace(m_codec);
    return true;
}

bool HeadingScanner::scanNeedle() {
    BlockReader blocks(m_file, m_encoding);
    std::string_view block;
    while (blocks.next(block)) {
        if (!stillUtf8(block, false)) return false;
        scanNeedleBlock(block);
    }
    return true;
}

// `pos` is where the lines not yet counted begin, `from` where the search
// goes on: a volume word that cannot begin its line is passed over, and the
// line is visited only if a later needle calls for it.
void HeadingScanner::scanNeedleBlock(std::string_view block) {
    std::size_t pos = 0;
    std::size_t from = 0;
    while (from < block.size()) {
        const std::size_t hit =
            m_jump.empty() ? FindBytes(block, *m_needle, from) : m_jump.find(block, from);
        if (hit == block.size()) break;
        if (!m_jump.empty() && block.compare(hit, m_needle->size(), *m_needle) != 0 &&
            !m_volumeWords->mayBeginLine(block, hit)) {
            from = hit + 1;
            continue;
        }
        const std::size_t start = m_breaks.findStart(block, hit);
        const std::string_view skipped = block.substr(pos, start - pos);
        m_lines += static_cast<LineNumber>(m_breaks.count(skipped));
        if (m_plan.measure) m_chars += CountCharacters(skipped, m_encoding);
        const std::size_t end = m_breaks.findEnd(block, hit);
        visitRaw(++m_lines, block.substr(start, end - start));
        pos = end < block.size() ? end + m_breaks.terminatorLength(block, end) : end;
        from = pos;
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
        ForEachLine(m_breaks, block, [&](std::size_t start, std::size_t end, std::size_t) {
            visitRaw(++m_lines, block.substr(start, end - start));
        });
    }
    return true;
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
        if (m_lookAtShapes && m_pendingTitle != 0) afterShape(line.number, shape, shortLine);
        if (m_plan.userCondition || mayStart || (shortLine && m_anyStart))
            examineText(line.number, mayStart, shortLine);
        if (m_plan.layout)
            m_outcome.layout.line(line.number, shape.blank, shape.indent,
                                  shortLine ? &m_text : nullptr, m_chars, m_place);
        if (m_lookAtShapes) passed(line.number, shape);
        if (m_plan.measure) m_chars += CountCharacters(line.raw, m_encoding);
    }
    m_lines = reader.linesRead();
    return true;
}

// Moves the place on past a line.
void HeadingScanner::passed(LineNumber number, const LineShape& shape) {
    if (shape.blank) return;
    m_place.contentBefore = number;
    m_place.unitsBefore += static_cast<std::int64_t>(shape.contentUnits);
}

// A line short enough to be a title (measured in the units the shape was).
bool HeadingScanner::isShort(const LineShape& shape) const {
    return !shape.blank && shape.contentUnits <= m_titleUnits;
}

// With the line decoded into m_text when it is short: the title of a heading
// just before it. Only called while a heading waits for its title.
void HeadingScanner::afterShape(LineNumber number, const LineShape& shape, bool shortLine) {
    if (shape.blank) return;
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
        const LineShape shape = raw.empty() ? LineShape{} : m_starts.shape(raw);
        const bool mayStart = m_starts.mayStartHeading(raw, shape);
        const bool shortLine =
            isShort(shape) &&
            !m_starts.endsLikeSentence(raw.substr(shape.contentStart, shape.contentUnits));
        if (mayStart || shortLine) m_codec.decode(raw, m_text);
        if (m_pendingTitle != 0) afterShape(number, shape, shortLine);
        if (mayStart || (shortLine && m_anyStart)) examineText(number, mayStart, shortLine);
        if (m_plan.layout)
            m_outcome.layout.line(number, shape.blank, shape.indent, shortLine ? &m_text : nullptr,
                                  m_chars, m_place);
        passed(number, shape);
    }
    if (m_plan.measure) m_chars += CountCharacters(raw, m_encoding);
}

void HeadingScanner::examine(LineNumber number, std::string_view raw, bool mayStart) {
    m_codec.decode(raw, m_text);
    examineText(number, mayStart, false);
}

void HeadingScanner::ConditionGate::build(const std::vector<std::u16string_view>& sets,
                                          std::u16string_view onlyAtStart) {
    *this = ConditionGate{};
    always = ~std::uint64_t{0};
    active = !sets.empty(); // the user's own condition: nothing to spare
    for (std::size_t i = 0; i < sets.size() && i < 64; ++i) {
        if (sets[i].empty()) continue;
        always &= ~(std::uint64_t{1} << i);
        for (const char16_t c : sets[i]) {
            const bool startOnly = onlyAtStart.find(c) != std::u16string_view::npos;
            (startOnly ? atStart : byCharacter).add(c, std::uint64_t{1} << i);
        }
    }
}

namespace {

bool IsHorizontalSpace(char16_t c) {
    return kHorizontalSpaces.find(c) != std::u16string_view::npos;
}

// Spaces a rule allows before its heading.
constexpr std::size_t kRuleIndent = 10;

// A short line's content after more leading spaces than a rule allows, or
// the whole line.
std::u16string_view WithoutCentring(std::u16string_view text) {
    std::size_t lead = 0;
    while (lead < text.size() && IsHorizontalSpace(text[lead]))
        ++lead;
    if (lead <= kRuleIndent) return text;
    const std::u16string_view content = text.substr(lead);
    return IsLongHeading(content) ? text : content;
}

} // namespace

// The conditions (bit i) that m_text may match by the characters it holds
// and the ones it begins and ends with.
std::uint64_t HeadingScanner::admitted() const {
    if (!m_needs.active || !m_starters.active) return ~std::uint64_t{0};
    std::size_t pos = 0;
    while (pos < m_text.size() && IsHorizontalSpace(m_text[pos]))
        ++pos;
    const bool plainStart =
        pos < m_text.size() && kHeadingDecorations.find(m_text[pos]) == std::u16string_view::npos;
    std::uint64_t held = plainStart ? m_needs.atStart[m_text[pos]] : 0;
    for (const char16_t c : m_text)
        held |= m_needs.byCharacter[c] | (plainStart ? 0 : m_needs.atStart[c]);
    const std::uint64_t starting =
        plainStart ? m_starters.always | m_starters.byCharacter[m_text[pos]] : ~std::uint64_t{0};
    // An unnumbered word may end the line as it likes.
    std::size_t end = m_text.size();
    while (end > pos && IsHorizontalSpace(m_text[end - 1]))
        --end;
    const bool unnumbered =
        !plainStart || m_plan.needsAtStart.find(m_text[pos]) != std::u16string_view::npos;
    const std::uint64_t ending = unnumbered || !m_enders.active
                                     ? ~std::uint64_t{0}
                                     : m_enders.always | m_enders.byCharacter[m_text[end - 1]];
    return (m_needs.always | held) & starting & ending;
}

// Tries the conditions on the decoded line m_text; m_chars counts the lines
// before it.
void HeadingScanner::examineText(LineNumber number, bool mayStart, bool shortLine) {
    const std::u16string_view subject = m_plan.automatic ? WithoutCentring(m_text) : m_text;
    const bool mayMatchRule =
        mayStart && (m_plan.anyRuleStart == nullptr ||
                     m_plan.anyRuleStart->match(subject, m_fields) == MatchStatus::Matched);
    const bool mayEndRule = shortLine && m_anyStart && HeadingStarts::mayEndHeading(m_text);
    const std::uint64_t admitted =
        mayMatchRule || mayEndRule ? this->admitted() : ~std::uint64_t{0};
    for (std::size_t i = 0; i < m_plan.conditions.size(); ++i) {
        const bool tried = (m_plan.userCondition && i == 0) || mayMatchRule ||
                           (mayEndRule && i < m_plan.anyStart.size() && m_plan.anyStart[i]);
        if (!tried || (i < 64 && ((admitted >> i) & 1) == 0)) continue;
        switch (m_plan.conditions[i]->match(subject, m_fields)) {
        case MatchStatus::NoMatch:
            break;
        case MatchStatus::LimitExceeded:
            throw EngineError::matchLimitExceeded(number);
        case MatchStatus::Matched:
            m_outcome.hits[i].add(number, m_text, m_fields, m_chars, m_plan.measure);
            if (m_lookAtShapes) m_outcome.hits[i].places.push_back(m_place);
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
