// SPDX-License-Identifier: MIT
#include "engine/headings/LayoutHeadings.h"

#include "engine/base/TextUtil.h"

#include <algorithm>
#include <array>

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kClosing = u"。！？!?…；;，,、：:”’\"」』—～~.·";
constexpr std::u16string_view kOpening = u"“‘\"「『—-－*＊…—";
constexpr std::u16string_view kNumerals = u"0123456789０１２３４５６７８９零〇○一二两三四五六七八九十百千";
// Lines of the book's own data, not titles: 作者：某某.
constexpr std::array<std::u16string_view, 12> kDataWords = {
    u"书名", u"作者", u"译者", u"著者", u"出版", u"ISBN", u"定价", u"字数", u"来源", u"简介",
    u"版权", u"更新"};
// Paragraphs a book needs before its layout says anything, and per title.
constexpr std::int64_t kLeastParagraphs = 30;
constexpr std::int64_t kParagraphsPerTitle = 4;
constexpr std::size_t kLeastTitles = 3;

bool Has(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

bool IsWordCharacter(char16_t c) {
    return (c >= u'\u3400' && c <= u'\u9FFF' && !Has(kNumerals, c)) || (c >= u'A' && c <= u'Z') ||
           (c >= u'a' && c <= u'z');
}

std::size_t NumeralCount(std::u16string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char16_t c) { return Has(kNumerals, c); }));
}

// 一九八〇年六月, 1998年5月: a year or month with its numerals.
bool IsDate(std::u16string_view text) {
    for (std::size_t i = 1; i < text.size(); ++i)
        if ((text[i] == u'年' || text[i] == u'月') && Has(kNumerals, text[i - 1]) &&
            NumeralCount(text) >= 3)
            return true;
    return false;
}

bool IsPageMarker(std::u16string_view text) {
    return (text.find(u'页') != std::u16string_view::npos ||
            text.find(u'頁') != std::u16string_view::npos) &&
           NumeralCount(text) > 0;
}

// 1、 or 二. at the start: an item of a list.
bool IsListItem(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && Has(kNumerals, text[i]))
        ++i;
    return i > 0 && i < text.size() && Has(u"、.．)）:：", text[i]);
}

bool IsDataLine(std::u16string_view text) {
    return std::any_of(kDataWords.begin(), kDataWords.end(),
                       [&](std::u16string_view word) { return text.starts_with(word); });
}

// 作者：某某, 字数 12万: the word, then a separator or no more words (译者后记
// is a title).
bool IsDataOnly(std::u16string_view text) {
    return std::any_of(kDataWords.begin(), kDataWords.end(), [&](std::u16string_view word) {
        return text.starts_with(word) &&
               (text.size() == word.size() || !IsWordCharacter(text[word.size()]));
    });
}

// Punctuation that makes quoted words a sentence, and the ends of speech
// broken off.
constexpr std::u16string_view kInsideSpeech = u"。！？!?，,；;：:…";
constexpr std::u16string_view kBrokenOff = u"—”";

bool IsQuotedTitle(std::u16string_view text) {
    const auto opening = std::count(text.begin(), text.end(), u'“');
    const auto closing = std::count(text.begin(), text.end(), u'”');
    if (opening == 0 || opening != closing || (text.front() != u'“' && text.back() != u'”'))
        return false;
    if (text.find_first_of(kInsideSpeech) != std::u16string_view::npos || text.ends_with(kBrokenOff))
        return false;
    return std::any_of(text.begin(), text.end(), IsWordCharacter);
}

} // namespace

bool IsTitleLike(std::u16string_view line) {
    const std::u16string_view text = TrimBlanks(line);
    if (text.empty() || text.size() > kLayoutTitleChars) return false;
    if (Has(kClosing, text.back()) || Has(kOpening, text.front())) return false;
    if (std::none_of(text.begin(), text.end(), IsWordCharacter)) return false;
    return !IsDate(text) && !IsPageMarker(text) && !IsListItem(text) && !IsDataLine(text);
}

bool IsLooseTitle(std::u16string_view line) {
    if (IsTitleLike(line)) return true;
    const std::u16string_view text = TrimBlanks(line);
    if (text.empty() || text.size() > kLayoutTitleChars || IsDate(text) || IsPageMarker(text) ||
        IsListItem(text))
        return false;
    if (IsQuotedTitle(text)) return true;
    return IsDataLine(text) && !IsDataOnly(text) && !Has(kClosing, text.back()) &&
           !Has(kOpening, text.front());
}

bool LayoutTally::candidate(LineNumber number, int indent, const std::u16string& text,
                            std::int64_t charsBefore, const LinePlace& place) {
    if (!(m_loose ? IsLooseTitle(text) : IsTitleLike(text))) return false;
    m_candidates.push_back({number, charsBefore, text, indent,
                            m_last == Last::Blank || m_last == Last::None, false, place});
    m_last = Last::Candidate;
    return true;
}

std::vector<LayoutCandidate> LayoutHeadings(const LayoutTally& tally) {
    const std::int64_t paragraphs = tally.paragraphs();
    if (paragraphs < kLeastParagraphs) return {};
    int usual = 0;
    for (int indent = 1; indent <= LayoutTally::kWidestIndent; ++indent)
        if (tally.paragraphsWithIndent(indent) > tally.paragraphsWithIndent(usual)) usual = indent;
    // Four in five paragraphs alike is a layout; fewer is chance.
    const bool byIndent = tally.paragraphsWithIndent(usual) * 5 >= paragraphs * 4;
    const bool byBlankLines = tally.paragraphsBeforeBlank() * 5 <= paragraphs;
    std::vector<LayoutCandidate> titles;
    for (const LayoutCandidate& candidate : tally.candidates()) {
        // Set in less than the paragraphs, or centred between blank lines (a
        // date or signature set to the right ends its chapter, where the
        // short-chapter rule takes care of it).
        const bool between = candidate.blankBefore && candidate.blankAfter;
        const bool apart = (byIndent && (candidate.indent < usual ||
                                         (between && candidate.indent > usual + 2))) ||
                           (byBlankLines && between);
        if (apart) titles.push_back(candidate);
    }
    if (titles.size() < kLeastTitles ||
        paragraphs < kParagraphsPerTitle * static_cast<std::int64_t>(titles.size()))
        return {};
    return titles;
}

} // namespace lumarin::engine
