// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingStarts.h"

#include <cassert>

namespace lumarin::engine {
namespace {

// Every character a built-in rule's heading or a near miss can begin with,
// and the characters that may follow it (empty: any). A Chinese numeral
// begins a heading only as in 一、 or 十二、.
struct StartCharacter {
    std::u16string_view characters;
    std::u16string_view next;
    bool orEnd = false; // the character may also end the line (序, 一)
};
constexpr std::u16string_view kChineseNumerals = u"零〇○一二两三四五六七八九十百千";
constexpr StartCharacter kStartCharacters[] = {
    {u"第0123456789０１２３４５６７８９（(【〖[〔「『=☆★◆◇●■□※#*CcSsPpVvBb卷", u""},
    {u"序", u"章言幕 \u3000:：（(", true},
    {u"自代", u"序"},
    {u"推", u"荐"},
    {u"中", u"译卷部"}, // 中译本, and the volumes 中卷, 中部
    {u"上下", u"卷部"},
    {u"译作", u"者"},
    {u"导", u"言论"},
    {u"附", u"录"},
    {u"致", u"谢"},
    {u"正", u"文"},
    {u"楔", u"子"},
    {u"引", u"子言"},
    {u"前", u"言"},
    {u"番", u"外"},
    {u"尾", u"声聲"},
    {u"终終", u"章"},
    {u"后", u"记"},
    {u"後", u"記"},
    {u"完", u"本"},
    {kChineseNumerals, u"零〇○一二两三四五六七八九十百千、 \u3000", true},
};

const StartCharacter* StartOf(char16_t c) {
    for (const StartCharacter& start : kStartCharacters)
        if (start.characters.find(c) != std::u16string_view::npos) return &start;
    return nullptr;
}

bool IsLineSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

} // namespace

const std::u16string_view kNearMissCondition =
    u"^\\h*(?:第\\h*[0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]"
    u"[\\h0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]*\\S"
    u"|序章|序言|序幕|楔子|引子|引言|前言|番外|尾声|尾聲|终章|終章|后记|後記|完本感言"
    u"|(?:chapter|section)\\h*[0-9０-９]|[0-9０-９]+\\h*[.．、:：)）\\-—\\h])";

namespace {

unsigned PairAt(std::string_view raw, std::size_t pos) {
    return (static_cast<unsigned char>(raw[pos]) << 8) | static_cast<unsigned char>(raw[pos + 1]);
}

} // namespace

HeadingStarts::HeadingStarts(Encoding encoding) {
    LineCodec codec(encoding);
    const auto encoded = [&](char16_t c) {
        std::string form;
        codec.encode(std::u16string_view(&c, 1), form);
        return form;
    };
    for (const StartCharacter& start : kStartCharacters) {
        std::vector<std::string> next;
        for (const char16_t c : start.next)
            next.push_back(encoded(c));
        for (const char16_t c : start.characters) {
            std::string form = encoded(c);
            if (form.empty()) continue;
            if (form.size() >= 2) m_pairs.set(PairAt(form, 0));
            m_starts[static_cast<unsigned char>(form[0])].push_back(
                {std::move(form), next, start.orEnd});
        }
    }
    m_ideographicSpace = encoded(u'\u3000');
    assert((m_ideographicSpace.size() == 2 || m_ideographicSpace.size() == 3) &&
           "an ideographic space is two or three bytes");
    for (const char16_t c : std::u16string_view(u"。！？」』…，；：!?,;"))
        if (std::string form = encoded(c); !form.empty()) m_sentenceEnds.push_back(std::move(form));
    m_closingQuote = encoded(u'”');
    m_dash = encoded(u'—');
}

bool HeadingStarts::EndsWith(std::string_view content, const std::string& end) {
    return !end.empty() && content.size() >= end.size() &&
           FormAt(content, content.size() - end.size(), end);
}

bool HeadingStarts::endsLikeSentence(std::string_view content) const {
    if (EndsWith(content, m_closingQuote)) {
        // “好。” and “你听我说——” are speech; 我的“父亲” is a word in quotes.
        const std::string_view inside = content.substr(0, content.size() - m_closingQuote.size());
        return EndsWith(inside, m_closingQuote) || EndsWith(inside, m_dash) ||
               endsLikeSentence(inside);
    }
    for (const std::string& end : m_sentenceEnds)
        if (EndsWith(content, end)) return true;
    return false;
}

bool HeadingStarts::mayEndHeading(std::u16string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsLineSpace(text[end - 1]))
        --end;
    if (end == 0) return false;
    const char16_t last = text[end - 1];
    return last == u')' || last == u'）' || (last >= u'0' && last <= u'9') ||
           (last >= u'０' && last <= u'９') || kChineseNumerals.find(last) != std::u16string_view::npos;
}

bool HeadingStarts::FormAt(std::string_view raw, std::size_t pos, const std::string& form) {
    if (form.empty() || form.size() > raw.size() - pos) return false;
    std::size_t i = 0;
    while (i < form.size() && raw[pos + i] == form[i])
        ++i;
    return i == form.size();
}

bool HeadingStarts::startsAt(std::string_view raw, std::size_t pos) const {
    const auto& forms = m_starts[static_cast<unsigned char>(raw[pos])];
    if (forms.empty()) return false;
    if (pos + 1 < raw.size() && static_cast<unsigned char>(raw[pos]) >= 0x80 &&
        !m_pairs.test(PairAt(raw, pos)))
        return false;
    for (const EncodedStart& start : forms) {
        if (!FormAt(raw, pos, start.form)) continue;
        if (start.next.empty()) return true;
        if (start.orEnd && EndsAfterSpaces(raw, pos + start.form.size())) return true;
        for (const std::string& next : start.next)
            if (FormAt(raw, pos + start.form.size(), next)) return true;
        return false;
    }
    return false;
}

// Compared byte by byte rather than by FormAt: it is looked for at the start
// of every line of a book.
bool HeadingStarts::ideographicSpaceAt(std::string_view raw, std::size_t pos) const {
    const std::string& space = m_ideographicSpace;
    return raw[pos] == space[0] && raw.size() - pos >= space.size() && raw[pos + 1] == space[1] &&
           (space.size() == 2 || raw[pos + 2] == space[2]);
}

std::size_t HeadingStarts::SkipSpaces(std::string_view raw, std::size_t pos) const {
    while (pos < raw.size()) {
        if (raw[pos] == ' ' || raw[pos] == '\t') {
            ++pos;
        } else if (ideographicSpaceAt(raw, pos)) {
            pos += m_ideographicSpace.size();
        } else {
            break;
        }
    }
    return pos;
}

bool HeadingStarts::EndsAfterSpaces(std::string_view raw, std::size_t pos) const {
    return SkipSpaces(raw, pos) == raw.size();
}

LineShape HeadingStarts::shape(std::string_view raw) const {
    LineShape shape;
    const std::size_t size = raw.size();
    std::size_t pos = 0;
    for (; pos < size; ++pos) {
        if (raw[pos] == ' ') {
            shape.indent += 1;
        } else if (raw[pos] == '\t') {
            shape.indent += 4;
        } else if (ideographicSpaceAt(raw, pos)) {
            shape.indent += 2;
            pos += m_ideographicSpace.size() - 1;
        } else {
            break;
        }
    }
    std::size_t end = size;
    while (end > pos && (raw[end - 1] == ' ' || raw[end - 1] == '\t' || raw[end - 1] == '\r'))
        --end;
    shape.blank = pos == size;
    shape.contentStart = pos;
    shape.contentUnits = end - pos;
    return shape;
}

LineShape HeadingStarts::shape(std::u16string_view text) {
    LineShape shape;
    std::size_t pos = 0;
    for (; pos < text.size() && IsLineSpace(text[pos]); ++pos)
        shape.indent += text[pos] == u' ' ? 1 : text[pos] == u'\t' ? 4 : 2;
    std::size_t end = text.size();
    while (end > pos && IsLineSpace(text[end - 1]))
        --end;
    shape.blank = pos == text.size();
    shape.contentStart = pos;
    shape.contentUnits = end - pos;
    return shape;
}

bool HeadingStarts::mayStartHeading(std::string_view raw) const {
    const std::size_t pos = SkipSpaces(raw, 0);
    return pos < raw.size() && startsAt(raw, pos);
}

bool HeadingStarts::mayStartHeading(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLineSpace(text[i])) continue;
        const StartCharacter* start = StartOf(text[i]);
        if (start == nullptr) return false;
        if (start->next.empty()) return true;
        if (i + 1 == text.size()) return start->orEnd;
        return start->next.find(text[i + 1]) != std::u16string_view::npos;
    }
    return false;
}

} // namespace lumarin::engine
