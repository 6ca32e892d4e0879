// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ReplacedCharacters.h"
#include "engine/convert/Simplifier.h"
#include "engine/encoding/Encoding.h"
#include "engine/encoding/LineCodec.h"
#include "engine/epub/XhtmlTranscoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

struct OutputOptions;

// What one source line becomes in a book: the filters, blank-line deletion and
// conversion of the chapter files, then a paragraph of XHTML.
class EpubText {
public:
    EpubText(Encoding source, const OutputOptions& options);
    ~EpubText();

    // The line after the filters; false when blank-line deletion drops it.
    bool filtered(std::string_view raw, std::u16string& text);

    // Takes one line. With a non-empty `id` the line opens a chapter and is
    // written as its heading, with that id, even when it came out blank. A
    // line that joins the one before goes on in its paragraph; the end of a
    // paragraph waits for the next line.
    void add(std::string_view raw, std::string_view id, bool continues, std::string& out);

    // Ends the last paragraph (at the end of a document).
    void finish(std::string& out);

    // `text` converted as the lines are (unchanged without conversion).
    std::u16string converted(std::u16string_view text) const;

    // Characters written as U+FFFD so far.
    const ReplacedCharacters& replaced() const noexcept { return m_replaced; }

private:
    bool addDirectly(std::string_view raw, std::string_view id, bool continues, std::string& out);
    // Starts the line's paragraph or heading, or carries on the open paragraph.
    void open(std::string_view id, bool continues, std::string& out);
    void close(std::string_view id, bool empty);

    LineCodec m_codec;
    // Lines that neither filters nor the conversion touch skip the codec.
    std::optional<XhtmlTranscoder> m_transcoder;
    std::string m_direct;
    std::vector<std::u16string> m_filters;
    bool m_deleteBlank;
    const Simplifier* m_simplifier = nullptr;
    std::u16string m_text;
    std::string_view m_close; // the end of the paragraph or heading written last
    ReplacedCharacters m_replaced;
};

} // namespace lumarin::engine
