// SPDX-License-Identifier: MIT
#include "engine/headings/Volumes.h"

#include "engine/base/TextUtil.h"
#include "engine/headings/ChineseNumber.h"
#include "engine/headings/HeadingCondition.h"
#include "engine/headings/HeadingRules.h"

#include <algorithm>

namespace lumarin::engine {

const std::u16string_view kVolumeCondition =
    u"^\\h{0,10}(?:[【〖\\[〔「『]|={2,}|[☆★◆◇●■□※#*]{1,3})?\\h{0,3}"
    u"(?|(第\\h*([0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]{1,"
    u"12})"
    u"\\h*(?:部分|卷|部(?![队门长下位署])|篇(?![章幅])|集(?![团合体中])))"
    u"|(卷\\h*([0-9０-９零〇○一二两三四五六七八九十百千壹贰叁肆伍陆柒捌玖拾]{1,12}))"
    u"|(([上中下])[卷部])"
    u"|((?:volume|vol\\.|book)\\h*([0-9０-９]{1,4})))"
    u"(?=$|[\\h:：、.．·—\\-】〗\\]〕」』=☆★(（])"
    u"(?:\\h*[:：、.．·_—\\-]+)?\\h*([^。]{0,40}?)(?<![，；,;。.!?！？])"
    u"\\h*(?:[】〗\\]〕」』]|={2,}|[☆★◆◇●■□※#*]{1,3})?\\h*$";

const std::u16string& VolumeLeadCharacters() {
    static const std::u16string characters =
        std::u16string(kHorizontalSpaces) + std::u16string(kHeadingDecorations) + u"上中下";
    return characters;
}

namespace {

// What a volume line says: its word ("第二卷"), its place in the book's
// sequence of volumes and its title.
struct VolumeWords {
    std::u16string word;
    std::u16string title;
    std::int32_t number = 0; // as read
    std::int32_t order = 0;  // 上 1, 中 2, 下 3; else the number
    bool lower = false;      // 下卷 / 下部: ends a sequence of 上 (and 中)
};

bool ReadVolumeLine(HeadingCondition& condition, std::u16string_view text, VolumeWords& words) {
    std::vector<std::vector<std::u16string>> matches;
    if (condition.allMatches(text, matches) != MatchStatus::Matched || matches.empty() ||
        matches.front().size() < 3)
        return false;
    const auto& groups = matches.front();
    words.word = std::u16string(TrimSpaces(RemoveAll(groups[0], u"\u3000")));
    words.title = std::u16string(TrimSpaces(RemoveAll(groups[2], u"\u3000")));
    const std::u16string_view numeral = groups[1];
    if (numeral == u"上" || numeral == u"中" || numeral == u"下") {
        words.number = 0;
        words.order = numeral == u"上" ? 1 : numeral == u"中" ? 2 : 3;
        words.lower = numeral == u"下";
    } else {
        words.number = ParseChineseNumber(numeral);
        words.order = words.number;
    }
    return true;
}

bool IsChapterNumeral(char16_t c) {
    return std::u16string_view(
               u"0123456789０１２３４５６７８９零〇○一二两三四五六七八九十百千万壹贰叁"
               u"肆伍陆柒捌玖拾佰仟")
               .find(c) != std::u16string_view::npos;
}

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// Where a chapter heading (第N章, 第N回 ...) begins in a volume line's title:
// the line holds both a volume and its chapter. npos when it holds none.
std::size_t ChapterInTitle(std::u16string_view title) {
    for (std::size_t at = title.find(u'第'); at != std::u16string_view::npos;
         at = title.find(u'第', at + 1)) {
        std::size_t i = at + 1;
        while (i < title.size() && IsSpace(title[i]))
            ++i;
        const std::size_t digits = i;
        while (i < title.size() && IsChapterNumeral(title[i]))
            ++i;
        if (i == digits) continue;
        while (i < title.size() && IsSpace(title[i]))
            ++i;
        if (i < title.size() &&
            std::u16string_view(u"章回话話节節幕").find(title[i]) != std::u16string_view::npos)
            return at;
    }
    return std::u16string_view::npos;
}

class VolumeFinder {
public:
    VolumeFinder(const ChapterTable& table, const std::vector<bool>& checked)
        : m_table(table), m_checked(checked) {}

    VolumeMap find(const std::vector<VolumeLine>& candidates) {
        HeadingCondition condition(kVolumeCondition);
        for (const VolumeLine& candidate : candidates) {
            VolumeWords words;
            if (!ReadVolumeLine(condition, candidate.text, words)) continue;
            const std::size_t next = firstRowAfter(candidate.line);
            if (next < rows() && lineOf(next) == candidate.line) {
                addSharedLine(candidate.line, next, words);
            } else {
                addOwnLine(candidate.line, next, words);
            }
        }
        assignRows();
        return std::move(m_map);
    }

private:
    std::size_t rows() const { return m_checked.size(); }
    LineNumber lineOf(std::size_t row) const { return m_table.m_lngStartLine[row + 1]; }
    std::int32_t numberOf(std::size_t row) const { return m_table.m_intChapterNo[row + 1]; }

    // The first row whose line is at or after `line`.
    std::size_t firstRowAfter(LineNumber line) const {
        const auto begin = m_table.m_lngStartLine.begin() + 1;
        const auto end = begin + static_cast<std::ptrdiff_t>(rows());
        return static_cast<std::size_t>(std::lower_bound(begin, end, line) - begin);
    }

    // "第一卷 第一章 标题": a volume begins where its volume half changes.
    void addSharedLine(LineNumber line, std::size_t row, const VolumeWords& words) {
        const std::size_t chapter = ChapterInTitle(words.title);
        if (chapter == std::u16string_view::npos) return; // the chapter rule reads it whole
        std::u16string title = words.word;
        const std::u16string_view before =
            TrimSpaces(std::u16string_view(words.title).substr(0, chapter));
        if (!before.empty()) title += u" " + std::u16string(before);
        if (!m_map.volumes.empty() && m_map.volumes.back().sharesLine &&
            m_map.volumes.back().title == title)
            return;
        push(line, row, std::move(title), words, true);
    }

    void addOwnLine(LineNumber line, std::size_t next, const VolumeWords& words) {
        if (next >= rows() || m_checked[next]) return; // at the end, or in a table of contents
        if (next == m_lastOpened) return;              // a second line over the same chapter
        const bool restart = restartsAt(next);
        bool continues = false;
        if (m_map.volumes.empty()) {
            continues = words.order == 1;
        } else {
            continues = words.order == m_lastOrder + 1 ||
                        (words.lower && m_lastOrder >= 1 && m_lastOrder < 3 && m_lastUpperWord);
        }
        if (!restart && !continues) return;
        push(line, next,
             std::u16string(TrimSpaces(RemoveAll(
                 TrimSpaces(words.title).empty() ? words.word : words.word + u" " + words.title,
                 u"\u3000"))),
             words, false);
    }

    // Whether the chapter numbers start again at `next`: its number is not
    // above that of the split point before it (or it is chapter 1 with none).
    bool restartsAt(std::size_t next) const {
        const std::int32_t number = numberOf(next);
        if (number <= 0) return false;
        for (std::size_t r = next; r-- > 0;) {
            if (m_checked[r] || numberOf(r) <= 0) continue;
            return number <= numberOf(r);
        }
        return number == 1;
    }

    void push(LineNumber line, std::size_t row, std::u16string title, const VolumeWords& words,
              bool sharesLine) {
        m_map.volumes.push_back(
            {line, std::move(title), words.number, static_cast<std::int32_t>(row), sharesLine});
        m_lastOpened = row;
        m_lastOrder = words.order;
        m_lastUpperWord = words.number == 0;
    }

    // Rows follow the latest volume line before them; unnumbered parts after
    // the last volume's chapters (番外, 后记) stand outside it.
    void assignRows() {
        m_map.rowVolume.assign(rows(), -1);
        std::size_t v = 0;
        for (std::size_t r = 0; r < rows(); ++r) {
            while (v < m_map.volumes.size() && m_map.volumes[v].line <= lineOf(r))
                ++v;
            m_map.rowVolume[r] = static_cast<std::int32_t>(v) - 1;
        }
        if (m_map.volumes.empty()) return;
        const auto last = static_cast<std::int32_t>(m_map.volumes.size()) - 1;
        bool numberedSeen = false;
        for (std::size_t r = static_cast<std::size_t>(m_map.volumes.back().firstRow); r < rows();
             ++r) {
            if (numberOf(r) > 0) numberedSeen = true;
        }
        if (!numberedSeen) return;
        for (std::size_t r = rows(); r-- > 0 && m_map.rowVolume[r] == last && numberOf(r) <= 0;)
            m_map.rowVolume[r] = -1;
    }

    const ChapterTable& m_table;
    const std::vector<bool>& m_checked;
    VolumeMap m_map;
    std::size_t m_lastOpened = static_cast<std::size_t>(-1);
    std::int32_t m_lastOrder = 0;
    bool m_lastUpperWord = false;
};

} // namespace

VolumeMap FindVolumes(const ChapterTable& table, const std::vector<bool>& checked,
                      const std::vector<VolumeLine>& candidates, bool chaptersAreVolumes) {
    if (chaptersAreVolumes) return VolumeMap{{}, std::vector<std::int32_t>(checked.size(), -1)};
    return VolumeFinder(table, checked).find(candidates);
}

std::vector<bool> VolumeOpeningRows(const ChapterTable& table, const std::vector<Volume>& volumes) {
    const std::size_t rows = table.m_strHeading.size() - 1;
    std::vector<bool> opening(rows, false);
    std::size_t r = 0;
    for (const Volume& volume : volumes) {
        while (r < rows && table.m_lngStartLine[r + 1] < volume.line)
            ++r;
        std::size_t k = r;
        while (k < rows && table.m_intChapterNo[k + 1] <= 0)
            ++k;
        if (k < rows) opening[k] = true;
    }
    return opening;
}

} // namespace lumarin::engine
