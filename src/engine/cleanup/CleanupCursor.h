// SPDX-License-Identifier: MIT
#pragma once

#include "engine/cleanup/RawLineShape.h"
#include "engine/cleanup/TextCleanup.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Walks a book's lines alongside a writer and applies a TextCleanup: which
// lines are dropped, and which continue the paragraph of the line before.
// Lines are given in ascending order; lines may be skipped.
class CleanupCursor {
public:
    CleanupCursor(const TextCleanup& cleanup, Encoding encoding);

    bool drops(LineNumber line);

    // For a kept line: whether it goes on in the paragraph of the previous
    // kept line, which a hard wrap broke (the two are joined as they are: a
    // wrap at a width cuts anywhere, even inside a word). Asked of every line:
    // a book that is not wrapped answers at once.
    bool continues(LineNumber line, std::string_view raw) {
        return m_cleanup.wrapWidth > 0 && continuesWrapped(line, raw);
    }

    // Nothing continues across this point (a new file or document).
    void breakParagraph() noexcept { m_previousOpen = m_previousStopped = false; }

private:
    bool continuesWrapped(LineNumber line, std::string_view raw);
    bool isHeading(LineNumber line);
    bool isFull(std::string_view raw) const;

    const TextCleanup& m_cleanup;
    std::size_t m_nextRemoved = 0;
    std::size_t m_nextHeading = 0;
    std::optional<RawLineShape> m_shape; // only for a wrapped book
    bool m_previousOpen = false;
    bool m_previousStopped = false; // it ended in 。！？ at the wrap (indented paragraphs)
};

} // namespace lumarin::engine
