// SPDX-License-Identifier: MIT
#include "engine/cleanup/CleanupCursor.h"

#include "engine/cleanup/WrapWidth.h"

namespace lumarin::engine {

CleanupCursor::CleanupCursor(const TextCleanup& cleanup, Encoding encoding) : m_cleanup(cleanup) {
    if (cleanup.wrapWidth > 0) m_shape.emplace(encoding);
}

bool CleanupCursor::drops(LineNumber line) {
    const std::vector<RemovedLine>& removed = m_cleanup.removed;
    while (m_nextRemoved < removed.size() && removed[m_nextRemoved].line < line)
        ++m_nextRemoved;
    return m_nextRemoved < removed.size() && removed[m_nextRemoved].line == line;
}

bool CleanupCursor::isHeading(LineNumber line) {
    const std::vector<LineNumber>& headings = m_cleanup.headings;
    while (m_nextHeading < headings.size() && headings[m_nextHeading] < line)
        ++m_nextHeading;
    return m_nextHeading < headings.size() && headings[m_nextHeading] == line;
}

// A full line that does not end a sentence goes on in the next line, unless
// that one is blank, indented or a heading. Where paragraphs start indented,
// a full line goes on even when a sentence ended right at the wrap.
bool CleanupCursor::continuesWrapped(LineNumber line, std::string_view raw) {
    const int wrapWidth = m_cleanup.wrapWidth;
    const bool heading = isHeading(line);
    const bool blank = m_shape->isBlank(raw);
    const bool continued = m_previousOpen && !heading && !blank && !m_shape->startsIndented(raw);
    m_previousOpen = !heading && !blank &&
                     WrapWidth::isFull(m_cleanup.wrapInCharacters ? m_shape->characters(raw)
                                                                  : m_shape->width(raw),
                                       wrapWidth) &&
                     (m_cleanup.indentedParagraphs || !m_shape->endsClosed(raw));
    return continued;
}

} // namespace lumarin::engine
