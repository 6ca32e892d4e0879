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
    m_rows.reserve(static_cast<std::size_t>(selection.m_lngSelected));
    for (std::size_t row = 0; row < checked.size(); ++row) {
        if (!checked[row]) m_rows.push_back(static_cast<std::int32_t>(row + 1));
    }
    const auto chapters = static_cast<std::size_t>(selection.m_lngSelected);
    const auto perDocument = static_cast<std::size_t>(m_chaptersPerDocument);
    m_documentCount = (chapters + perDocument - 1) / perDocument + (frontMatter ? 1 : 0);
}

EpubOutline::Entries EpubOutline::entries(std::size_t document) const {
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
    const std::int32_t first = entries(document).first;
    return first == 0 ? bookTitle : label(first);
}

std::u16string EpubOutline::label(std::int32_t chapter) const {
    const auto row = static_cast<std::size_t>(m_rows[static_cast<std::size_t>(chapter - 1)]);
    // A title the reader corrected names the chapter; otherwise its heading line does.
    const std::u16string& name =
        m_table.retitled(row) ? m_table.m_strTitle[row] : m_table.m_strHeading[row];
    std::u16string label(TrimBlanks(m_text.converted(name)));
    return label.empty() ? u"(Unknown)" : label;
}

std::size_t EpubOutline::documentOf(std::int32_t chapter) const {
    return static_cast<std::size_t>((chapter - 1) / m_chaptersPerDocument) +
           (m_frontMatter ? 1 : 0);
}

std::string EpubOutline::chapterHref(std::int32_t chapter) const {
    return href(documentOf(chapter)) + '#' + anchor(chapter);
}

std::string EpubOutline::anchor(std::int32_t chapter) {
    std::string id = "c";
    id += std::to_string(chapter);
    return id;
}

} // namespace lumarin::engine
