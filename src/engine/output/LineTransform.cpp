// SPDX-License-Identifier: MIT
#include "engine/output/LineTransform.h"

#include "engine/base/TextUtil.h"
#include "engine/output/OutputPlan.h"

#include <algorithm>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

Encoding OutputEncodingFor(Encoding source, const OutputOptions& options) {
    return ResolveOutputEncoding(options.encoding, source, options.toSimplified);
}

// Replaces every unpaired surrogate with U+FFFD; returns how many there were.
// Left in, a byte encoding would write its substitute byte, or (U+DC00..U+DCFF)
// take it for a carried byte and write that byte.
std::uint64_t ReplaceLoneSurrogates(std::u16string& text) {
    std::uint64_t replaced = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (U16_IS_LEAD(text[i]) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1])) {
            ++i;
        } else if (U16_IS_SURROGATE(text[i])) {
            text[i] = u'\uFFFD';
            ++replaced;
        }
    }
    return replaced;
}

} // namespace

LineTransform::LineTransform(Encoding source, const OutputOptions& options)
    : m_source(source, SameLineBytes(OutputEncodingFor(source, options), source)
                           ? CodecMode::Exact
                           : CodecMode::Display),
      m_output(OutputEncodingFor(source, options)), m_filters(options.filters),
      m_deleteBlank(options.deleteBlankLines) {
    std::erase_if(m_filters, [](const std::u16string& filter) { return filter.empty(); });
    if (options.toSimplified) m_simplifier = &Simplifier::shared();
    m_needsText = !m_filters.empty() || m_simplifier ||
                  !SameLineBytes(m_output.encoding(), source) || IsUtf16(source);
    m_ideographicSpace = m_source.encodedForms(u'\u3000');
    m_output.encode(u"\r\n", m_lineEnd);
}

LineTransform::~LineTransform() = default;

// Blank without decoding: nothing but spaces and encoded ideographic spaces.
bool LineTransform::isBlankRaw(std::string_view raw) const {
    std::size_t pos = 0;
    while (pos < raw.size()) {
        if (raw[pos] == ' ') {
            ++pos;
            continue;
        }
        bool matched = false;
        for (const std::string& form : m_ideographicSpace) {
            if (raw.substr(pos).starts_with(form)) {
                pos += form.size();
                matched = true;
                break;
            }
        }
        if (!matched) return false;
    }
    return true;
}

bool LineTransform::isBlankText(std::u16string_view text) const {
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\u3000') return false;
    }
    return true;
}

bool LineTransform::filteredText(std::string_view raw, std::u16string& text) {
    m_source.decode(raw, m_text);
    text = m_text;
    for (const std::u16string& filter : m_filters)
        text = RemoveAll(text, filter);
    // An odd UTF-16 tail is a byte the text does not show; dropping the line would lose it.
    return !(m_deleteBlank && isBlankText(text) && m_source.oddTail(raw).empty());
}

void LineTransform::finish(std::string& out) {
    if (m_lineOpen) out.append(m_lineEnd);
    m_lineOpen = false;
}

void LineTransform::add(std::string_view raw, bool continues, std::string& out) {
    if (!continues) finish(out);
    if (!m_needsText) {
        if (m_deleteBlank && isBlankRaw(raw)) return;
        out.append(raw);
        m_lineOpen = true;
        return;
    }
    std::u16string text;
    if (!filteredText(raw, text)) return;
    if (m_simplifier && m_simplifier->mayChange(text)) text = m_simplifier->convert(text);
    if (text == m_text && SameLineBytes(m_output.encoding(), m_source.encoding())) {
        out.append(raw);
    } else {
        if (IsUtf16(m_source.encoding()) && !IsUtf16(m_output.encoding()))
            m_replaced.loneSurrogates += ReplaceLoneSurrogates(text);
        m_output.encode(text, out);
        out.append(m_source.oddTail(raw));
    }
    m_lineOpen = true;
}

} // namespace lumarin::engine
