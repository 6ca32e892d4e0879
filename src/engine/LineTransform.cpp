#include "engine/LineTransform.h"

#include "engine/OutputPlan.h"
#include "engine/TextUtil.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// Code units of text handed to the converter at once.
constexpr std::size_t kBatchUnits = 32 * 1024;

Encoding OutputEncodingFor(Encoding source, const OutputOptions& options) {
    return ResolveOutputEncoding(options.encoding, source, options.toSimplified);
}

} // namespace

LineTransform::LineTransform(Encoding source, const OutputOptions& options)
    : m_source(source, SameLineBytes(OutputEncodingFor(source, options), source)
                           ? CodecMode::Exact
                           : CodecMode::Display),
      m_output(OutputEncodingFor(source, options)), m_filters(options.filters),
      m_deleteBlank(options.deleteBlankLines) {
    std::erase_if(m_filters, [](const std::u16string& filter) { return filter.empty(); });
    if (options.toSimplified) m_simplifier = std::make_unique<Simplifier>();
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

void LineTransform::add(std::string_view raw, std::string& out) {
    if (!m_needsText) {
        if (m_deleteBlank && isBlankRaw(raw)) return;
        out.append(raw);
        out.append(m_lineEnd);
        return;
    }
    std::u16string text;
    if (!filteredText(raw, text)) return;
    if (m_simplifier) {
        m_batch.append(text);
        m_batch.push_back(u'\n');
        m_batchTails.emplace_back(m_source.oddTail(raw));
        if (m_batch.size() >= kBatchUnits) convertBatch(out);
        return;
    }
    if (text == m_text && SameLineBytes(m_output.encoding(), m_source.encoding())) {
        out.append(raw);
    } else {
        m_output.encode(text, out);
        out.append(m_source.oddTail(raw));
    }
    out.append(m_lineEnd);
}

void LineTransform::finish(std::string& out) {
    if (!m_batchTails.empty()) convertBatch(out);
}

// Decoding in exact mode makes encoding give back every byte of an unchanged
// line, so converted lines are always encoded.
void LineTransform::convertBatch(std::string& out) {
    std::u16string converted = m_simplifier->convert(m_batch);
    if (std::count(converted.begin(), converted.end(), u'\n') !=
        static_cast<std::ptrdiff_t>(m_batchTails.size())) {
        // Never expected; one line at a time is always right.
        converted.clear();
        for (std::size_t start = 0, end; start < m_batch.size(); start = end + 1) {
            end = m_batch.find(u'\n', start);
            converted +=
                m_simplifier->convert(std::u16string_view(m_batch).substr(start, end - start)) +
                u'\n';
        }
    }
    std::size_t start = 0;
    for (const std::string& tail : m_batchTails) {
        const std::size_t end = converted.find(u'\n', start);
        m_output.encode(std::u16string_view(converted).substr(start, end - start), out);
        out.append(tail);
        out.append(m_lineEnd);
        start = end + 1;
    }
    m_batch.clear();
    m_batchTails.clear();
}

} // namespace lumarin::engine
