#pragma once

#include "engine/Encoding.h"

#include <cstddef>
#include <string_view>

namespace lumarin::engine {

// Line ends are CR LF, a lone CR and a lone LF (code units 0x000D / 0x000A in
// UTF-16). None of them can occur inside a multi-byte character of the byte
// encodings, so the byte encodings are searched byte-wise.
class LineBreaks {
public:
    explicit LineBreaks(Encoding encoding);

    // Number of line ends in `bytes`. A CR at the very end counts as a whole
    // line end (callers pass blocks that never split a CR LF pair).
    std::size_t count(std::string_view bytes) const;

    // Position of the first line end at or after `from`, or bytes.size().
    std::size_t findEnd(std::string_view bytes, std::size_t from) const;

    // Length of the line end at `pos` (1 or 2 bytes, 2 or 4 in UTF-16).
    std::size_t terminatorLength(std::string_view bytes, std::size_t pos) const;

    // Start of the line holding position `pos` (searching back to 0).
    std::size_t findStart(std::string_view bytes, std::size_t pos) const;

private:
    bool isBreakAt(std::string_view bytes, std::size_t pos) const;
    bool isUnit(std::string_view bytes, std::size_t pos, char16_t unit) const;

    std::size_t m_unit = 1;
    bool m_bigEndian = false;
};

} // namespace lumarin::engine
