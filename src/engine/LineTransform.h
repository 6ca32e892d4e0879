#pragma once

#include "engine/Encoding.h"
#include "engine/LineCodec.h"
#include "engine/Simplifier.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct OutputOptions;

// What happens to one source line on its way into a chapter file: filters,
// blank-line deletion, conversion, and the encoding it is written in. A line
// that comes out as it went in is written as its own raw bytes, so nothing is
// decoded that need not be and invalid bytes survive untouched. Conversion
// runs on batches of lines: one call per line would cost the converter's
// setup each time.
class LineTransform {
public:
    LineTransform(Encoding source, const OutputOptions& options);
    ~LineTransform();

    // The encoding the options chose for the output.
    Encoding outputEncoding() const noexcept { return m_output.encoding(); }

    // Takes one source line; what is ready (the line with its CR LF, or
    // nothing while converted lines wait for their batch) goes into `out`.
    void add(std::string_view raw, std::string& out);

    // Writes the lines still waiting for conversion into `out`.
    void finish(std::string& out);

private:
    bool isBlankRaw(std::string_view raw) const;
    bool isBlankText(std::u16string_view text) const;
    // The line after filters, or false when it is dropped as blank.
    bool filteredText(std::string_view raw, std::u16string& text);
    void convertBatch(std::string& out);

    LineCodec m_source;
    LineCodec m_output;
    std::vector<std::u16string> m_filters;
    bool m_deleteBlank;
    std::unique_ptr<Simplifier> m_simplifier;
    bool m_needsText;
    std::vector<std::string> m_ideographicSpace; // encoded forms of U+3000
    std::string m_lineEnd;
    std::u16string m_text;
    // Lines waiting for conversion, each ended by U+000A (which no line holds
    // and no conversion produces), and the odd UTF-16 tail of each.
    std::u16string m_batch;
    std::vector<std::string> m_batchTails;
};

} // namespace lumarin::engine
