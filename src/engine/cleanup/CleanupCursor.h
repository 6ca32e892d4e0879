#pragma once

#include "engine/cleanup/RawLineShape.h"
#include "engine/cleanup/TextCleanup.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// How a kept line meets the one kept before it.
enum class LineJoin {
    Apart,     // a new line (a new paragraph)
    Directly,  // the same paragraph, broken by a hard wrap
    WithSpace, // the same paragraph, between two words of Latin letters or digits
};

// Walks a book's lines alongside a writer and applies a TextCleanup: which
// lines are dropped, and which continue the paragraph of the line before.
// Lines are given in ascending order; lines may be skipped.
class CleanupCursor {
public:
    CleanupCursor(const TextCleanup& cleanup, Encoding encoding);

    bool drops(LineNumber line);

    // For a kept line: how it meets the previous kept line.
    LineJoin join(LineNumber line, std::string_view raw);

    // Nothing continues across this point (a new file or document).
    void breakParagraph() noexcept { m_previousOpen = false; }

private:
    bool isHeading(LineNumber line);

    const TextCleanup& m_cleanup;
    std::size_t m_nextRemoved = 0;
    std::size_t m_nextHeading = 0;
    RawLineShape m_shape;
    bool m_previousOpen = false;
    bool m_previousWord = false;
};

} // namespace lumarin::engine
