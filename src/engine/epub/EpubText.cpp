// SPDX-License-Identifier: MIT
#include "engine/epub/EpubText.h"

#include "engine/base/TextUtil.h"
#include "engine/epub/XhtmlText.h"
#include "engine/output/OutputWriter.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// Nothing but spaces and ideographic spaces (E3 80 80).
bool IsBlankUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
        } else if (text.substr(i, 3) == "\xE3\x80\x80") {
            i += 3;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

EpubText::EpubText(Encoding source, const OutputOptions& options)
    : m_codec(source), m_filters(options.filters), m_deleteBlank(options.deleteBlankLines) {
    std::erase_if(m_filters, [](const std::u16string& filter) { return filter.empty(); });
    if (options.toSimplified) m_simplifier = &Simplifier::shared();
    if (m_filters.empty() && !m_simplifier) m_transcoder.emplace(source);
}

EpubText::~EpubText() = default;

bool EpubText::filtered(std::string_view raw, std::u16string& text) {
    m_codec.decode(raw, text);
    for (const std::u16string& filter : m_filters)
        text = RemoveAll(text, filter);
    return !(m_deleteBlank && IsBlankText(text) && m_codec.oddTail(raw).empty());
}

bool EpubText::addDirectly(std::string_view raw, std::string_view id, bool continues,
                           std::string& out) {
    m_direct.clear();
    if (!m_transcoder || !m_transcoder->append(raw, m_direct)) return false;
    const bool blank = IsBlankUtf8(m_direct);
    if (blank && m_deleteBlank && id.empty()) return true;
    open(id, continues, out);
    out += m_direct;
    close(id, m_direct.empty());
    return true;
}

// Leading spaces are the paragraph's indentation; the style sheet keeps them.
void EpubText::add(std::string_view raw, std::string_view id, bool continues, std::string& out) {
    if (addDirectly(raw, id, continues, out)) return;
    if (!filtered(raw, m_text) && id.empty()) return;
    if (m_simplifier && m_simplifier->mayChange(m_text)) m_text = m_simplifier->convert(m_text);
    // A UTF-16 source's odd last byte is invalid too, though the text does not show it.
    const bool oddByte = !m_codec.oddTail(raw).empty();
    open(id, continues, out);
    const XhtmlReplaced replaced = AppendXhtmlText(m_text, out);
    // In a byte encoding a lone surrogate is a carried invalid byte; in UTF-16 it is itself.
    (IsUtf16(m_codec.encoding()) ? m_replaced.loneSurrogates : m_replaced.invalidBytes) +=
        replaced.loneSurrogates;
    m_replaced.unfit += replaced.unfit;
    if (oddByte) {
        out += "\xEF\xBF\xBD";
        ++m_replaced.invalidBytes;
    }
    close(id, m_text.empty() && !oddByte);
}

void EpubText::finish(std::string& out) {
    out += m_close;
    m_close = {};
}

std::u16string EpubText::converted(std::u16string_view text) const {
    return m_simplifier ? m_simplifier->convert(text) : std::u16string(text);
}

void EpubText::open(std::string_view id, bool continues, std::string& out) {
    if (id.empty() && continues && m_close == "</p>\n") return;
    finish(out);
    if (id.empty()) {
        out += "<p>";
        return;
    }
    out += "<h2 id=\"";
    out += id;
    out += "\">";
}

// An empty paragraph would take no room: a kept blank line holds a line break.
void EpubText::close(std::string_view id, bool empty) {
    if (!id.empty()) {
        m_close = "</h2>\n";
        return;
    }
    m_close = empty ? "<br/></p>\n" : "</p>\n";
}

} // namespace lumarin::engine
