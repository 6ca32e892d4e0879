// SPDX-License-Identifier: MIT
#include "engine/epub/EpubOutline.h"

#include "engine/base/TextUtil.h"
#include "engine/epub/EpubText.h"

#include <algorithm>
#include <cstdio>

namespace lumarin::engine {
namespace {

std::string Numbered(const char* prefix, std::size_t number, const char* suffix) {
    char text[48];
    std::snprintf(text, sizeof text, "%s%04zu%s", prefix, number, suffix);
    return text;
}

} // namespace

EpubOutline::EpubOutline(const ChapterTable& table, const std::vector<bool>& checked,
                         const OutputSelection& selection, std::int32_t chaptersPerDocument,
                         bool frontMatter, const EpubText& text)
    : m_table(table), m_selection(selection), m_text(text),
      m_chaptersPerDocument(std::max<std::int32_t>(1, chaptersPerDocument)),
      m_frontMatter(frontMatter) {
    // A chapter cut into parts by size keeps its row in every part; the parts
    // of a text without split points have none (0).
    m_rows.reserve(static_cast<std::size_t>(selection.m_lngSelected));
    std::size_t row = 0;
    for (std::int32_t e = 1; e <= selection.m_lngSelected; ++e) {
        const auto entry = static_cast<std::size_t>(e);
        const std::int32_t part =
            entry < selection.m_lngSelPart.size() ? selection.m_lngSelPart[entry] : 0;
        if (part > 1 && !m_rows.empty()) {
            m_rows.push_back(m_rows.back());
            continue;
        }
        while (row < checked.size() && checked[row])
            ++row;
        m_rows.push_back(row < checked.size() ? static_cast<std::int32_t>(++row) : 0);
    }
    const auto chapters = static_cast<std::size_t>(selection.m_lngSelected);
    const auto perDocument = static_cast<std::size_t>(m_chaptersPerDocument);
    m_documentCount = (chapters + perDocument - 1) / perDocument + (frontMatter ? 1 : 0);
}

void EpubOutline::setVolumes(const std::vector<Volume>& volumes) {
    m_volumes = &volumes;
    m_firstEntries.clear();
    m_volumeDocuments.clear();
    if (volumes.empty()) return;
    if (m_frontMatter) {
        m_firstEntries.push_back(0);
        m_volumeDocuments.push_back(false);
    }
    std::int32_t inGroup = 0;
    for (std::int32_t e = 1; e <= m_selection.m_lngSelected; ++e) {
        const auto entry = static_cast<std::size_t>(e);
        if (VolumeOpenedAt(m_selection, entry) >= 0 &&
            m_selection.m_lngSelStart[entry] != m_selection.m_lngSelHeading[entry]) {
            m_firstEntries.push_back(e);
            m_volumeDocuments.push_back(true);
            inGroup = 0;
        }
        if (inGroup == 0) {
            m_firstEntries.push_back(e);
            m_volumeDocuments.push_back(false);
        }
        inGroup = (inGroup + 1) % m_chaptersPerDocument;
    }
    m_documentCount = m_firstEntries.size();
}

std::int32_t EpubOutline::volumeDocument(std::size_t document) const {
    if (document >= m_volumeDocuments.size() || !m_volumeDocuments[document]) return -1;
    return VolumeOpenedAt(m_selection, static_cast<std::size_t>(m_firstEntries[document]));
}

EpubOutline::Lines EpubOutline::lines(std::size_t document) const {
    const Entries held = entries(document);
    const auto first = static_cast<std::size_t>(held.first);
    if (volumeDocument(document) >= 0)
        return {m_selection.m_lngSelStart[first], m_selection.m_lngSelHeading[first] - 1};
    const bool afterVolume = document > 0 && volumeDocument(document - 1) >= 0;
    return {afterVolume ? m_selection.m_lngSelHeading[first] : m_selection.m_lngSelStart[first],
            m_selection.m_lngSelStart[static_cast<std::size_t>(held.last) + 1] - 1};
}

EpubOutline::Entries EpubOutline::entries(std::size_t document) const {
    if (!m_firstEntries.empty()) {
        const std::int32_t first = m_firstEntries[document];
        if (first == 0 || m_volumeDocuments[document]) return {first, first};
        const std::int32_t next = document + 1 < m_firstEntries.size()
                                      ? m_firstEntries[document + 1]
                                      : m_selection.m_lngSelected + 1;
        return {first, next - 1};
    }
    if (m_frontMatter && document == 0) return {0, 0};
    const auto block = static_cast<std::int64_t>(document - (m_frontMatter ? 1 : 0));
    const std::int64_t first = 1 + block * m_chaptersPerDocument;
    const std::int64_t last =
        std::min<std::int64_t>(first + m_chaptersPerDocument - 1, m_selection.m_lngSelected);
    return {static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
}

std::size_t EpubOutline::number(std::size_t document) const {
    return m_frontMatter ? document : document + 1;
}

std::string EpubOutline::id(std::size_t document) const {
    return Numbered("d", number(document), "");
}

std::string EpubOutline::href(std::size_t document) const {
    return Numbered("text/", number(document), ".xhtml");
}

std::u16string EpubOutline::title(std::size_t document, const std::u16string& bookTitle) const {
    const std::int32_t volume = volumeDocument(document);
    if (volume >= 0) return volumeLabel(volume);
    const std::int32_t first = entries(document).first;
    return first == 0 ? bookTitle : label(first);
}

std::u16string EpubOutline::label(std::int32_t chapter) const {
    const auto row = static_cast<std::size_t>(m_rows[static_cast<std::size_t>(chapter - 1)]);
    const auto entry = static_cast<std::size_t>(chapter);
    const std::int32_t part =
        entry < m_selection.m_lngSelPart.size() ? m_selection.m_lngSelPart[entry] : 0;
    if (row == 0 && part > 0) return u"第" + ToU16Decimal(part) + u"部分";
    // A title the reader corrected names the chapter; otherwise its heading line does.
    const std::u16string& name =
        m_table.retitled(row) ? m_table.m_strTitle[row] : m_table.m_strHeading[row];
    std::u16string label(TrimBlanks(m_text.converted(name)));
    if (label.empty()) label = u"(Unknown)";
    if (part > 0) label += u"（" + ToU16Decimal(part) + u"）";
    return label;
}

std::size_t EpubOutline::documentOf(std::int32_t chapter) const {
    if (!m_firstEntries.empty()) {
        // The last document starting at or before the chapter: its chapters', not its volume's.
        const auto after = std::upper_bound(m_firstEntries.begin(), m_firstEntries.end(), chapter);
        return static_cast<std::size_t>(after - m_firstEntries.begin()) - 1;
    }
    return static_cast<std::size_t>((chapter - 1) / m_chaptersPerDocument) +
           (m_frontMatter ? 1 : 0);
}

std::string EpubOutline::chapterHref(std::int32_t chapter) const {
    return href(documentOf(chapter)) + '#' + anchor(chapter);
}

std::int32_t EpubOutline::volumeOf(std::int32_t chapter) const {
    const auto entry = static_cast<std::size_t>(chapter);
    if (m_volumes == nullptr || entry >= m_selection.m_lngSelVolume.size()) return -1;
    return m_selection.m_lngSelVolume[entry];
}

std::u16string EpubOutline::volumeLabel(std::int32_t volume) const {
    std::u16string label(
        TrimBlanks(m_text.converted((*m_volumes)[static_cast<std::size_t>(volume)].title)));
    return label.empty() ? u"(Unknown)" : label;
}

std::string EpubOutline::volumeHref(std::int32_t chapter) const {
    const std::size_t document = documentOf(chapter);
    if (document > 0 && volumeDocument(document - 1) >= 0 &&
        m_firstEntries[document - 1] == chapter)
        return href(document - 1) + '#' + volumeAnchor(chapter);
    return href(document) + '#' + anchor(chapter);
}

std::string EpubOutline::volumeAnchor(std::int32_t chapter) {
    return "v" + std::to_string(chapter);
}

std::string EpubOutline::anchor(std::int32_t chapter) {
    std::string id = "c";
    id += std::to_string(chapter);
    return id;
}

} // namespace lumarin::engine
