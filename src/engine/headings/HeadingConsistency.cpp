// SPDX-License-Identifier: MIT
#include "engine/headings/HeadingConsistency.h"

#include "engine/base/TextUtil.h"
#include "engine/headings/ChineseNumber.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

// Lines from one copy of a web page's heading to the next: at most three between.
constexpr LineNumber kCopyDistance = 4;
// Far repeats that show a book repeating its headings page after page.
constexpr std::size_t kRepeatingBook = 2;
// Runs of one unnumbered heading between others that make it a running header.
constexpr std::size_t kRunningHeaderRuns = 3;
// Numbers a run of chapters may skip and still be one run.
constexpr int kMostSkipped = 2;

bool IsDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９');
}

// The heading without its spaces; `pageNumbers`: and without a number in
// brackets at its end. `paged` tells whether there was one.
std::u16string Key(std::u16string_view heading, bool pageNumbers, bool& paged) {
    std::u16string key;
    for (const char16_t c : heading)
        if (c != u' ' && c != u'\t' && c != u'\u3000') key.push_back(c);
    paged = false;
    if (!pageNumbers || key.size() < 3) return key;
    const char16_t close = key.back();
    if (close != u')' && close != u'）') return key;
    std::size_t open = key.size() - 1;
    while (open > 0 && IsDigit(key[open - 1]))
        --open;
    if (open == key.size() - 1 || open == 0 || (key[open - 1] != u'(' && key[open - 1] != u'（'))
        return key;
    paged = true;
    key.resize(open - 1);
    return key;
}

// Copies of a running page header that make it one: a page number on each.
constexpr std::size_t kPageHeaderCopies = 3;

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// A heading split before a number at its end ("风起12": "风起" and "12");
// the header is empty when there is none. `spaced`: the number may stand
// after spaces too.
struct GluedNumber {
    std::u16string_view header;
    std::u16string_view number;
};

GluedNumber SplitGluedNumber(std::u16string_view heading, bool spaced) {
    std::size_t end = heading.size();
    while (end > 0 && IsSpace(heading[end - 1]))
        --end;
    std::size_t digits = end;
    while (digits > 0 && IsDigit(heading[digits - 1]))
        --digits;
    std::size_t header = digits;
    while (spaced && header > 0 && IsSpace(heading[header - 1]))
        --header;
    if (digits == end || header == 0 || IsSpace(heading[header - 1])) return {};
    return {heading.substr(0, header), heading.substr(digits, end - digits)};
}

bool HoldsWord(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        UChar32 c = 0;
        U16_NEXT(text.data(), i, text.size(), c);
        if (u_isalpha(c)) return true;
    }
    return false;
}

// Drops every unnumbered heading that comes back in three or more separate
// runs, the most frequent first: once the book's title is gone, a chapter's
// title repeated before its pages runs together and stays.
void DropRunningHeaders(const HeadingHits& hits, const std::vector<std::u16string>& keys,
                        std::vector<bool>& keep) {
    for (;;) {
        std::map<std::u16string, std::size_t> runs;
        const std::u16string* last = nullptr;
        for (std::size_t k = 0; k < hits.count(); ++k) {
            if (!keep[k]) continue;
            if (hits.table.m_intChapterNo[k + 1] == 0 && (last == nullptr || *last != keys[k]))
                ++runs[keys[k]];
            last = &keys[k];
        }
        const auto most = std::max_element(runs.begin(), runs.end(), [](const auto& a, const auto& b) {
            return a.second < b.second;
        });
        if (most == runs.end() || most->second < kRunningHeaderRuns) return;
        for (std::size_t k = 0; k < hits.count(); ++k)
            if (keys[k] == most->first) keep[k] = false;
    }
}

} // namespace

HeadingHits WithoutRepeats(HeadingHits&& hits, bool pageNumbers) {
    const std::size_t n = hits.count();
    std::vector<std::u16string> keys(n);
    std::vector<bool> paged(n, false);
    for (std::size_t k = 0; k < n; ++k) {
        bool hasPage = false;
        keys[k] = Key(hits.table.m_strHeading[k + 1], pageNumbers, hasPage);
        paged[k] = hasPage;
    }
    std::vector<bool> keep(n, true);
    DropRunningHeaders(hits, keys, keep);
    // A repeat is the same heading as the kept one before it.
    std::vector<bool> repeat(n, false);
    std::size_t farRepeats = 0;
    for (std::size_t k = 1, before = 0; k < n; ++k) {
        if (!keep[k]) continue;
        if (keep[before] && keys[k] == keys[before]) {
            repeat[k] = true;
            if (hits.line(k) - hits.line(before) > kCopyDistance && !paged[k]) ++farRepeats;
        } else {
            before = k;
        }
    }
    bool dropped = std::find(keep.begin(), keep.end(), false) != keep.end();
    for (std::size_t k = 1, before = 0; k < n; ++k) {
        if (!keep[k]) continue;
        if (!repeat[k]) {
            before = k;
            continue;
        }
        if (hits.line(k) - hits.line(before) <= kCopyDistance || paged[k] ||
            farRepeats >= kRepeatingBook) {
            keep[k] = false;
            dropped = true;
        }
    }
    return dropped ? hits.kept(keep) : std::move(hits);
}

HeadingHits WithoutPageLeftovers(HeadingHits&& hits, const HeadingRule& rule) {
    const std::size_t n = hits.count();
    // Per header: its copies with a number, the largest number, and whether
    // the header came first as a heading of its own.
    struct Copies {
        std::size_t count = 0;
        int largest = 0;
        bool bareFirst = false;
    };
    std::map<std::u16string_view, Copies> copies;
    std::set<std::u16string_view> seen;
    std::vector<std::u16string_view> header(n);
    std::size_t all = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::u16string_view heading = TrimBlanks(hits.table.m_strHeading[k + 1]);
        // A rule that reads its number from the end takes "随笔 3" for its own.
        GluedNumber glued = SplitGluedNumber(heading, !rule.sameTitle);
        // The heading's own number at its end (正文 12, Chapter 12) is no page.
        if (!glued.header.empty() &&
            ParseChineseNumber(glued.number) == hits.table.m_intChapterNo[k + 1])
            glued = {};
        header[k] = glued.header;
        if (!glued.header.empty()) {
            Copies& c = copies[glued.header];
            c.bareFirst = c.bareFirst || (c.count == 0 && seen.contains(glued.header));
            ++c.count;
            c.largest = std::max<int>(c.largest, ParseChineseNumber(glued.number));
            ++all;
        }
        seen.insert(heading);
    }
    // A chapter's own heading with page numbers after it is a page header; an
    // unnumbered part with numbers counting from 1 or 2 (番外, 番外2, 番外3) is
    // a series.
    const auto isPageHeader = [&](std::size_t k) {
        const Copies& c = copies[header[k]];
        if (all < kPageHeaderCopies || (!c.bareFirst && c.count < kPageHeaderCopies)) return false;
        return hits.table.m_intChapterNo[k + 1] > 0 ||
               c.largest > static_cast<int>(c.count) + 1;
    };
    std::vector<bool> keep(n, true);
    bool dropped = false;
    for (std::size_t k = 0; k < n; ++k) {
        const std::u16string& title = hits.table.m_strTitle[k + 1];
        const bool wordless = rule.inSequence && hits.table.m_intChapterNo[k + 1] > 0 &&
                              !title.empty() && !HoldsWord(title);
        if ((!header[k].empty() && isPageHeader(k)) || wordless) {
            keep[k] = false;
            dropped = true;
        }
    }
    return dropped ? hits.kept(keep) : std::move(hits);
}

HeadingHits InSequence(HeadingHits&& hits, const HeadingRule& rule) {
    const std::size_t n = hits.count();
    // The groups of headings written alike; each finds its longest run.
    using Group = std::tuple<std::uint8_t, std::u16string>;
    std::map<Group, std::vector<std::size_t>> groups;
    for (std::size_t k = 0; k < n; ++k) {
        if (hits.numberForm[k] == 0) continue;
        groups[{hits.numberForm[k], rule.sameTitle ? hits.table.m_strTitle[k + 1] : u""}]
            .push_back(k);
    }
    std::vector<std::size_t> best;
    for (const auto& [group, members] : groups) {
        // For each number the longest run found so far that ends with it.
        std::map<int, std::pair<std::size_t, std::size_t>> endingWith; // length, position
        std::vector<std::size_t> length(members.size(), 1);
        std::vector<std::size_t> before(members.size(), members.size());
        std::size_t top = 0;
        for (std::size_t i = 0; i < members.size(); ++i) {
            const int number = hits.table.m_intChapterNo[members[i] + 1];
            for (int skip = 0; skip <= kMostSkipped; ++skip) {
                const auto at = endingWith.find(number - 1 - skip);
                if (at != endingWith.end() && at->second.first + 1 > length[i]) {
                    length[i] = at->second.first + 1;
                    before[i] = at->second.second;
                }
            }
            // On a tie the later run wins: a table of contents comes before the chapters.
            auto& ending = endingWith[number];
            if (length[i] >= ending.first) ending = {length[i], i};
            if (length[i] >= length[top]) top = i;
        }
        if (members.empty() || length[top] < best.size()) continue;
        best.clear();
        for (std::size_t i = top; i < members.size(); i = before[i])
            best.push_back(members[i]);
    }
    std::vector<bool> keep(n, false);
    for (std::size_t k = 0; k < n; ++k)
        keep[k] = hits.numberForm[k] == 0;
    for (const std::size_t k : best)
        keep[k] = true;
    if (std::find(keep.begin(), keep.end(), false) == keep.end()) return std::move(hits);
    return hits.kept(keep);
}

} // namespace lumarin::engine
