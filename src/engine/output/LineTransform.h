// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ReplacedCharacters.h"
#include "engine/convert/Simplifier.h"
#include "engine/encoding/Encoding.h"
#include "engine/encoding/LineCodec.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct OutputOptions;

// What happens to one source line on its way into a chapter file: filters,
// blank-line deletion, conversion, and the encoding it is written in. A line
// that comes out as it went in is written as its own raw bytes, so nothing is
// decoded that need not be and invalid bytes survive untouched.
class LineTransform {
public:
    LineTransform(Encoding source, const OutputOptions& options);
    ~LineTransform();

    // The encoding the options chose for the output.
    Encoding outputEncoding() const noexcept { return m_output.encoding(); }

    // Takes one source line; unless it is dropped as blank, the line goes into
    // `out`. Its CR LF waits for the next line, which may continue it.
    void add(std::string_view raw, bool continues, std::string& out);

    // Ends the last line given (at the end of a file).
    void finish(std::string& out);

    // Characters written as U+FFFD so far: a UTF-16 source's lone surrogates,
    // which no other encoding can carry.
    const ReplacedCharacters& replaced() const noexcept { return m_replaced; }

private:
    bool isBlankRaw(std::string_view raw) const;
    bool isBlankText(std::u16string_view text) const;
    // The line after filters, or false when it is dropped as blank.
    bool filteredText(std::string_view raw, std::u16string& text);

    LineCodec m_source;
    LineCodec m_output;
    std::vector<std::u16string> m_filters;
    bool m_deleteBlank;
    const Simplifier* m_simplifier = nullptr;
    bool m_needsText;
    std::vector<std::string> m_ideographicSpace; // encoded forms of U+3000
    std::string m_lineEnd;
    bool m_lineOpen = false; // a line was written without its end yet
    std::u16string m_text;
    ReplacedCharacters m_replaced;
};

} // namespace lumarin::engine
