// SPDX-License-Identifier: MIT
#include "engine/cleanup/CleanupCursor.h"

#include "engine/cleanup/AscendingLines.h"
#include "engine/cleanup/WrapWidth.h"

namespace lumarin::engine {

CleanupCursor::CleanupCursor(const TextCleanup& cleanup, Encoding encoding) : m_cleanup(cleanup) {
    if (cleanup.wrapWidth > 0) m_shape.emplace(encoding);
}

bool CleanupCursor::drops(LineNumber line) {
    return HoldsAscending(m_cleanup.removed, m_nextRemoved, line,
                          [](const RemovedLine& removed) { return removed.line; });
}

bool CleanupCursor::isHeading(LineNumber line) {
    return HoldsAscending(m_cleanup.headings, m_nextHeading, line,
                          [](LineNumber heading) { return heading; });
}

// A full line that does not end a sentence goes on in the next line, unless
// that one is blank, indented or a heading. Where paragraphs start indented,
// a full line goes on even when a sentence ended right at the wrap; but a
// short line after 。！？ that ends no sentence itself is a title of its own
// (one no condition matched), not the paragraph's last words.
bool CleanupCursor::continuesWrapped(LineNumber line, std::string_view raw) {
    const bool heading = isHeading(line);
    const bool blank = m_shape->isBlank(raw);
    const bool full = !heading && !blank && isFull(raw);
    bool continued = m_previousOpen && !heading && !blank && !m_shape->startsIndented(raw);
    if (continued && m_previousStopped) continued = full || m_shape->endsClosed(raw);
    m_previousOpen = full && (m_cleanup.indentedParagraphs || !m_shape->endsClosed(raw));
    m_previousStopped = m_previousOpen && m_cleanup.indentedParagraphs && m_shape->endsStopped(raw);
    return continued;
}

bool CleanupCursor::isFull(std::string_view raw) const {
    return WrapWidth::isFull(
        m_cleanup.wrapInCharacters ? m_shape->characters(raw) : m_shape->width(raw),
        m_cleanup.wrapWidth);
}

} // namespace lumarin::engine
