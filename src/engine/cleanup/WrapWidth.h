// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace lumarin::engine {

// Gathers the widths of a book's lines and decides whether the book was
// hard-wrapped: many lines (a fifth at least) end at one width, without closing
// punctuation, hardly a line is wider, and most shorter lines end sentences. A
// book written a paragraph a line has widths all over the place and many lines
// wider than any common one; verse has lines of like widths that end none.
class WrapWidth {
public:
    // One line of text (not blank, not a heading), in the book's order.
    void add(int width, bool endsClosed, bool indented);

    struct Decision {
        int width = 0;         // the width the book was wrapped at, or 0
        std::int64_t full = 0; // lines of that width
        // Nearly every line after a short one (a paragraph's first) is
        // indented: the indentation, not the punctuation, tells where a
        // paragraph starts, and a full line ending a sentence may go on.
        bool indentedParagraphs = false;
    };
    Decision decide() const;

    // Whether a line this wide is a full line of a book wrapped at `wrapWidth`.
    static bool isFull(int width, int wrapWidth);

private:
    struct Tally {
        std::int64_t lines = 0;
        std::int64_t open = 0; // not ending a sentence
    };
    struct Starts {
        std::int64_t lines = 0;
        std::int64_t indented = 0;
    };
    // By width (widths are few and small: a look-up per line, no search).
    std::vector<Tally> m_widths;
    std::vector<Starts> m_afterWidth; // lines by the width of the line before
    int m_previousWidth = -1;
    std::int64_t m_lines = 0;
};

} // namespace lumarin::engine
