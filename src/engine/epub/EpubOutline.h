// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/ChapterTable.h"
#include "engine/output/OutputSelection.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumarin::engine {

class EpubText;

// The documents of a book in reading order and the chapters its contents
// list. Names, titles and labels are made when asked for: a novel of tens of
// thousands of chapters keeps only the row each chapter comes from.
//
// Documents: the front matter's first when it holds text, then one per N
// kept chapters. Chapters are the selection's entries 1..S. With volumes, a
// volume whose line stands apart from its first chapter's heading gets a
// document of its own (its line and its text up to that heading), and the
// groups of N start again after it.
class EpubOutline {
public:
    // The selection entries a document holds: {0, 0} for the front matter.
    struct Entries {
        std::int32_t first = 0;
        std::int32_t last = 0;
    };
    // The source lines a document holds.
    struct Lines {
        LineNumber first = 1;
        LineNumber last = 0;
    };

    // `table`, `selection` and `text` must outlive the outline.
    EpubOutline(const ChapterTable& table, const std::vector<bool>& checked,
                const OutputSelection& selection, std::int32_t chaptersPerDocument,
                bool frontMatter, const EpubText& text);

    std::size_t documentCount() const noexcept { return m_documentCount; }
    Entries entries(std::size_t document) const;
    Lines lines(std::size_t document) const;
    // The volume whose own document this is, or -1.
    std::int32_t volumeDocument(std::size_t document) const;
    std::string id(std::size_t document) const;   // manifest id, "d0001"
    std::string href(std::size_t document) const; // "text/0001.xhtml", from the package
    // The heading line of the document's first chapter; `bookTitle` for the front matter.
    std::u16string title(std::size_t document, const std::u16string& bookTitle) const;

    std::int32_t chapterCount() const noexcept { return m_selection.m_lngSelected; }
    // Its heading line (its title when the reader corrected it), "(Unknown)" when blank.
    std::u16string label(std::int32_t chapter) const;
    std::string chapterHref(std::int32_t chapter) const; // "text/0001.xhtml#c1"
    static std::string anchor(std::int32_t chapter);     // the id of its heading, "c1"

    // Volumes: the contents nest chapters under the volume they belong to.
    // `volumes` must outlive the outline.
    void setVolumes(const std::vector<Volume>& volumes);
    bool nested() const noexcept { return m_volumes != nullptr && !m_volumes->empty(); }
    // The volume of kept chapter i (-1: none), and its title.
    std::int32_t volumeOf(std::int32_t chapter) const;
    std::u16string volumeLabel(std::int32_t volume) const;
    // Where a volume opened at chapter i begins: its line's anchor, "…#v1".
    std::string volumeHref(std::int32_t chapter) const;
    static std::string volumeAnchor(std::int32_t chapter); // "v1"

private:
    std::size_t documentOf(std::int32_t chapter) const;
    std::size_t number(std::size_t document) const; // in the names: the front matter's is 0

    const ChapterTable& m_table;
    const OutputSelection& m_selection;
    const EpubText& m_text;
    std::vector<std::int32_t> m_rows; // the table entry of chapter i at i - 1
    std::int32_t m_chaptersPerDocument;
    bool m_frontMatter;
    std::size_t m_documentCount;
    const std::vector<Volume>* m_volumes = nullptr;
    // With volumes only: each document's first entry, and whether it is a
    // volume's own (the arithmetic of N per document holds otherwise).
    std::vector<std::int32_t> m_firstEntries;
    std::vector<bool> m_volumeDocuments;
};

} // namespace lumarin::engine
