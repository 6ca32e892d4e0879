// SPDX-License-Identifier: MIT
#include "engine/headings/MatterLines.h"

#include "engine/base/TextUtil.h"
#include "engine/headings/HeadingStarts.h"

#include <algorithm>
#include <array>
#include <map>

namespace lumarin::engine {
namespace {

// The words, each of two characters or more; 序 alone is judged apart.
constexpr std::array<std::u16string_view, 12> kMatterWords = {
    u"序言", u"前言", u"后记", u"後記", u"引言", u"导言", u"题记",
    u"跋语", u"尾声", u"致谢", u"附录", u"附錄"};
// The longest qualifier before a word, and characters no qualifier holds
// (这是前言, 他的后记 are sentences).
constexpr std::size_t kQualifierChars = 8;
constexpr std::u16string_view kNotInQualifier = u"的了是在这那他她我你说";
// What may stand before a bare 序 so that it is a preface, not the end of
// another word: a closing title mark or bracket, a space, or the end of a
// qualifier such as 再版, 译者, 推荐, 总.
constexpr std::u16string_view kBeforePreface = u"》」』〉） 　版者荐总原小自代新书";

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// The line without its spaces, when it has only a few.
std::u16string Compact(std::u16string_view text) {
    std::u16string compact;
    for (const char16_t c : text)
        if (!IsSpace(c)) compact.push_back(c);
    return compact;
}

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsNumeral(char16_t c) {
    return std::u16string_view(u"0123456789０１２３４５６７８９一二三四五六七八九十").find(c) !=
           std::u16string_view::npos;
}

} // namespace

bool IsMatterTitle(std::u16string_view line) {
    const std::u16string_view text = TrimBlanks(line);
    // 附录A, 附录二, 附录 年表: the word first, a label after it.
    for (const std::u16string_view appendix : {std::u16string_view(u"附录"), std::u16string_view(u"附錄")}) {
        if (!text.starts_with(appendix) || text.size() == appendix.size()) continue;
        const char16_t after = text[appendix.size()];
        if (IsAsciiLetter(after) || IsNumeral(after) || IsSpace(after)) return true;
    }
    const std::u16string compact = Compact(text);
    if (compact.size() < 2) return false;
    if (compact.find_first_of(kNotInQualifier) != std::u16string::npos) return false;
    // A word with at most a short qualifier before it (后 记 reads as 后记).
    for (const std::u16string_view word : kMatterWords) {
        if (compact.ends_with(word) && compact.size() - word.size() <= kQualifierChars) return true;
    }
    if (compact.back() != u'序' || text.size() - 1 > kQualifierChars) return false;
    const char16_t before = text[text.size() - 2];
    return kBeforePreface.find(before) != std::u16string_view::npos;
}

std::vector<LayoutCandidate> MatterLines(const std::vector<LayoutCandidate>& titleLines) {
    std::vector<LayoutCandidate> matter;
    for (const LayoutCandidate& line : titleLines)
        if (IsMatterTitle(line.text)) matter.push_back(line);
    return matter;
}

std::vector<LayoutCandidate> ListedInContents(const HeadingHits& hits,
                                              const std::vector<LayoutCandidate>& titleLines) {
    const auto key = [&](std::size_t k) { return TrimBlanks(hits.table.m_strHeading[k + 1]); };
    std::map<std::u16string_view, std::size_t> first;
    std::size_t contentsEnd = hits.count();
    for (std::size_t k = 0; k < hits.count() && contentsEnd == hits.count(); ++k)
        if (!first.emplace(key(k), k).second) contentsEnd = k;
    // The book begins again with what its contents list first.
    if (contentsEnd == hits.count() || key(contentsEnd) != key(0)) return {};
    // Where each heading of the contents stands in the book.
    std::map<std::u16string_view, LineNumber> inBook;
    for (std::size_t k = contentsEnd; k < hits.count(); ++k)
        inBook.emplace(key(k), hits.line(k));
    const LineNumber from = hits.line(0);
    const LineNumber to = hits.line(contentsEnd);
    std::vector<LayoutCandidate> found;
    LineNumber after = to; // entries come back after what the contents list before them
    std::size_t j = 0;
    for (const LayoutCandidate& entry : titleLines) {
        if (entry.line <= from) continue;
        if (entry.line >= to) break;
        for (; j < contentsEnd && hits.line(j) <= entry.line; ++j)
            if (const auto at = inBook.find(key(j)); at != inBook.end())
                after = std::max(after, at->second);
        // A heading of the contents, or an entry that opens like one (a volume).
        if (hits.line(j - 1) == entry.line || HeadingStarts::mayStartHeading(entry.text)) continue;
        const std::u16string_view text = TrimBlanks(entry.text);
        const auto back = std::find_if(titleLines.begin(), titleLines.end(), [&](const auto& line) {
            return line.line > after && TrimBlanks(line.text) == text;
        });
        if (back == titleLines.end()) continue;
        found.push_back(*back);
        after = back->line;
    }
    return found;
}

} // namespace lumarin::engine
