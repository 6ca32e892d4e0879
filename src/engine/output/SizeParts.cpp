// SPDX-License-Identifier: MIT
#include "engine/output/SizeParts.h"

#include "engine/encoding/CharacterCount.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineBreaks.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <vector>

namespace lumarin::engine {
namespace {

constexpr LineNumber kNever = std::numeric_limits<LineNumber>::max();

class PartCutter {
public:
    PartCutter(const OutputSelection& selection, std::int64_t limit, Encoding encoding)
        // No text comes near half the range; the sums below stay within it.
        : m_old(selection), m_limit(std::min(limit, std::numeric_limits<std::int64_t>::max() / 2)),
          m_structureless(selection.m_lngSelected == 0), m_encoding(encoding), m_breaks(encoding),
          m_end(selection.m_lngSelStart.size() - 1),
          m_nextStart(m_structureless || m_end <= 1 ? kNever : selection.m_lngSelStart[1]),
          m_cutting(m_structureless) {}

    // Reads the source for the lines where parts begin. False when the
    // selection stays as it is.
    bool findCuts(SourceFile& source, std::size_t blockSize) {
        source.rewind();
        BlockReader blocks(source, m_encoding, blockSize);
        LineNumber number = 0;
        std::string_view block;
        while (blocks.next(block)) {
            beginPiece(0, m_chars);
            ForEachLine(m_breaks, block, [&](std::size_t start, std::size_t end, std::size_t next) {
                ++number;
                if (number >= m_nextStart) enterEntries(number, start);
                if (static_cast<std::int64_t>(next) > m_uncountedUpTo)
                    take(number, block.substr(m_counted, start - m_counted),
                         block.substr(start, end - start), next);
            });
            // The piece goes on in the next block: what it holds here is counted now.
            if (m_cutting) m_chars += countLines(block.substr(m_counted));
        }
        return m_structureless || !m_cuts.empty();
    }

    // The selection with its parts, built once their number is known (a long
    // novel has tens of thousands of entries). Entries the read did not reach
    // (a source that shrank; the writer refuses it) are kept as they were.
    OutputSelection build() {
        reserve(m_old.m_lngSelStart.size() + m_cuts.size() + (m_structureless ? 1 : 0));
        copyEntry(0);
        auto cut = m_cuts.begin();
        if (m_structureless) {
            m_new.m_lngSelStart[0] = 1;
            m_new.m_lngSelHeading[0] = 1;
            beginWhole();
            for (; cut != m_cuts.end(); ++cut)
                cutBefore(*cut);
        } else {
            for (std::size_t i = 1; i < m_end; ++i) {
                copyEntry(i);
                for (; cut != m_cuts.end() && *cut < m_old.m_lngSelStart[i + 1]; ++cut)
                    cutBefore(*cut);
            }
        }
        copyEntry(m_end);
        m_new.m_lngSelected = static_cast<std::int32_t>(m_new.m_lngSelStart.size()) - 2;
        return std::move(m_new);
    }

private:
    // The old entries that begin at line `number` (at `start` in the block),
    // or the heading of one that a volume's line and preface open.
    void enterEntries(LineNumber number, std::size_t start) {
        if (number == m_headingAt) {
            startCutting(start);
            return;
        }
        while (m_next < m_end && m_old.m_lngSelStart[m_next] <= number)
            ++m_next;
        m_cutting = m_next > 1; // a chapter, not the front matter
        // A volume's line and preface stay whole before the chapter's heading:
        // the chapter is cut, not its volume's opening.
        const LineNumber heading = m_old.m_lngSelHeading[m_next - 1];
        if (m_cutting && heading > number) {
            m_cutting = false;
            m_headingAt = heading;
            m_nextStart = heading;
            beginPiece(start, 0);
            return;
        }
        startCutting(start);
    }

    void startCutting(std::size_t start) {
        m_cutting = m_next > 1;
        m_headingAt = kNever;
        m_nextStart = m_next < m_end ? m_old.m_lngSelStart[m_next] : kNever;
        beginPiece(start, 0);
    }

    // The piece holds `chars` characters up to `counted` in the block, and
    // lines not counted yet from there on. Every character takes a byte at
    // least, so the lines that end by m_uncountedUpTo cannot bring it past
    // the limit: only a piece that may reach the limit is counted.
    void beginPiece(std::size_t counted, std::int64_t chars) {
        m_counted = counted;
        m_chars = chars;
        m_uncountedUpTo = m_cutting ? static_cast<std::int64_t>(counted) + m_limit - chars
                                    : std::numeric_limits<std::int64_t>::max();
    }

    // A line that may bring the piece past the limit, after `uncounted` lines
    // of the piece; the next line begins at `next`.
    void take(LineNumber number, std::string_view uncounted, std::string_view line,
              std::size_t next) {
        std::int64_t chars = m_chars + countLines(uncounted);
        const std::int64_t own = CountCharacters(line, m_encoding);
        if (chars > 0 && chars + own > m_limit) {
            m_cuts.push_back(number);
            chars = 0;
        }
        beginPiece(next, chars + own);
    }

    // Characters of whole lines, each counted on its own as the chapter lengths are.
    std::int64_t countLines(std::string_view lines) const {
        std::int64_t chars = 0;
        ForEachLine(m_breaks, lines, [&](std::size_t start, std::size_t end, std::size_t) {
            chars += CountCharacters(lines.substr(start, end - start), m_encoding);
        });
        return chars;
    }

    void reserve(std::size_t entries) {
        m_new.m_lngSelStart.reserve(entries);
        m_new.m_intSelNo.reserve(entries);
        m_new.m_strSelTitle.reserve(entries);
        m_new.m_lngSelVolume.reserve(entries);
        m_new.m_lngSelOpens.reserve(entries);
        m_new.m_lngSelHeading.reserve(entries);
        m_new.m_lngSelPart.reserve(entries);
    }

    void copyEntry(std::size_t i) {
        m_new.m_lngSelStart.push_back(m_old.m_lngSelStart[i]);
        m_new.m_intSelNo.push_back(m_old.m_intSelNo[i]);
        m_new.m_strSelTitle.push_back(m_old.m_strSelTitle[i]);
        m_new.m_lngSelVolume.push_back(m_old.m_lngSelVolume[i]);
        m_new.m_lngSelOpens.push_back(m_old.m_lngSelOpens[i]);
        m_new.m_lngSelHeading.push_back(m_old.m_lngSelHeading[i]);
        m_new.m_lngSelPart.push_back(0);
        m_piece = m_new.m_lngSelStart.size() - 1;
    }

    // The whole text as one entry, parts numbered from the start.
    void beginWhole() {
        m_new.m_lngSelStart.push_back(1);
        m_new.m_intSelNo.push_back(1);
        m_new.m_strSelTitle.emplace_back();
        m_new.m_lngSelVolume.push_back(-1);
        m_new.m_lngSelOpens.push_back(-1);
        m_new.m_lngSelHeading.push_back(1);
        m_new.m_lngSelPart.push_back(1);
        m_piece = m_new.m_lngSelStart.size() - 1;
    }

    void cutBefore(LineNumber line) {
        const std::size_t from = m_piece;
        if (m_new.m_lngSelPart[from] == 0) m_new.m_lngSelPart[from] = 1;
        m_new.m_lngSelStart.push_back(line);
        m_new.m_intSelNo.push_back(m_structureless
                                       ? static_cast<std::int16_t>(m_new.m_lngSelPart[from] + 1)
                                       : m_new.m_intSelNo[from]);
        m_new.m_strSelTitle.push_back(m_new.m_strSelTitle[from]);
        m_new.m_lngSelVolume.push_back(m_new.m_lngSelVolume[from]);
        m_new.m_lngSelOpens.push_back(-1);
        m_new.m_lngSelHeading.push_back(line);
        m_new.m_lngSelPart.push_back(m_new.m_lngSelPart[from] + 1);
        m_piece = m_new.m_lngSelStart.size() - 1;
    }

    const OutputSelection& m_old;
    std::int64_t m_limit;
    bool m_structureless;
    Encoding m_encoding;
    LineBreaks m_breaks;
    std::size_t m_end;               // the old end marker
    std::size_t m_next = 1;          // the old entry that begins next, at line m_nextStart
    LineNumber m_nextStart;          // where enterEntries is called next
    LineNumber m_headingAt = kNever; // the heading after a volume's opening, cut from there on
    std::vector<LineNumber> m_cuts;  // the lines where parts after the first begin
    bool m_cutting;                  // the current entry is cut by size
    OutputSelection m_new;
    std::size_t m_piece = 0; // the new entry being cut
    std::int64_t m_chars = 0;
    std::size_t m_counted = 0;
    std::int64_t m_uncountedUpTo = 0;
};

} // namespace

void CutBySize(OutputSelection& selection, SourceFile& source, Encoding encoding,
               std::int64_t limit, std::size_t blockSize) {
    assert(limit > 0 && !selection.m_lngSelPart.empty() && "a selection for output, a limit");
    PartCutter cutter(selection, limit, encoding);
    if (cutter.findCuts(source, blockSize)) selection = cutter.build();
}

} // namespace lumarin::engine
