// SPDX-License-Identifier: MIT
#include "engine/output/SizeParts.h"

#include "engine/encoding/CharacterCount.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"

#include <cassert>

namespace lumarin::engine {
namespace {

class PartCutter {
public:
    PartCutter(const OutputSelection& selection, std::int64_t limit)
        : m_old(selection), m_limit(limit), m_structureless(selection.m_lngSelected == 0) {}

    OutputSelection cut(SourceFile& source, Encoding encoding) {
        source.rewind();
        BlockReader blocks(source, encoding);
        LineReader reader(blocks);
        const std::size_t end = m_old.m_lngSelStart.size() - 1;
        std::size_t next = 1; // the old entry that begins next
        if (m_structureless) {
            copyEntry(0);
            m_new.m_lngSelStart[0] = 1;
            m_new.m_lngSelHeading[0] = 1;
            beginWhole();
        } else {
            copyEntry(0);
        }
        Line line;
        while (reader.next(line)) {
            while (!m_structureless && next < end && m_old.m_lngSelStart[next] <= line.number) {
                copyEntry(next++);
                m_chars = 0;
            }
            const std::int64_t chars = CountCharacters(line.raw, encoding);
            if (m_cutting && m_chars > 0 && m_chars + chars > m_limit) cutBefore(line.number);
            m_chars += chars;
        }
        // Entries the read did not reach (a source that shrank; the writer
        // refuses it) are kept as they were.
        while (!m_structureless && next < end)
            copyEntry(next++);
        copyEntry(end);
        m_new.m_lngSelected = static_cast<std::int32_t>(m_new.m_lngSelStart.size()) - 2;
        return std::move(m_new);
    }

private:
    void copyEntry(std::size_t i) {
        m_new.m_lngSelStart.push_back(m_old.m_lngSelStart[i]);
        m_new.m_intSelNo.push_back(m_old.m_intSelNo[i]);
        m_new.m_strSelTitle.push_back(m_old.m_strSelTitle[i]);
        m_new.m_lngSelVolume.push_back(m_old.m_lngSelVolume[i]);
        m_new.m_lngSelOpens.push_back(m_old.m_lngSelOpens[i]);
        m_new.m_lngSelHeading.push_back(m_old.m_lngSelHeading[i]);
        m_new.m_lngSelPart.push_back(0);
        m_cutting = i > 0 && i + 1 < m_old.m_lngSelStart.size();
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
        m_cutting = true;
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
        m_chars = 0;
    }

    const OutputSelection& m_old;
    std::int64_t m_limit;
    bool m_structureless;
    OutputSelection m_new;
    std::size_t m_piece = 0;
    bool m_cutting = false;
    std::int64_t m_chars = 0;
};

} // namespace

void CutBySize(OutputSelection& selection, SourceFile& source, Encoding encoding,
               std::int64_t limit) {
    assert(limit > 0 && !selection.m_lngSelPart.empty() && "a selection for output, a limit");
    selection = PartCutter(selection, limit).cut(source, encoding);
}

} // namespace lumarin::engine
