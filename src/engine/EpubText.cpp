#include "engine/EpubText.h"

#include "engine/OutputWriter.h"
#include "engine/TextUtil.h"
#include "engine/XhtmlText.h"

#include <algorithm>

namespace lumarin::engine {
namespace {

// Code units of text handed to the converter at once.
constexpr std::size_t kBatchUnits = 32 * 1024;

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
    if (options.toSimplified) m_simplifier = std::make_unique<Simplifier>();
    if (m_filters.empty() && !m_simplifier) m_transcoder.emplace(source);
}

EpubText::~EpubText() = default;

bool EpubText::filtered(std::string_view raw, std::u16string& text) {
    m_codec.decode(raw, text);
    for (const std::u16string& filter : m_filters)
        text = RemoveAll(text, filter);
    return !(m_deleteBlank && IsBlankText(text) && m_codec.oddTail(raw).empty());
}

bool EpubText::addDirectly(std::string_view raw, std::string_view id, std::string& out) {
    m_direct.clear();
    if (!m_transcoder || !m_transcoder->append(raw, m_direct)) return false;
    const bool blank = IsBlankUtf8(m_direct);
    if (blank && m_deleteBlank && id.empty()) return true;
    open(id, out);
    out += m_direct;
    close(id, m_direct.empty(), out);
    return true;
}

void EpubText::add(std::string_view raw, std::string_view id, std::string& out) {
    if (addDirectly(raw, id, out)) return;
    if (!filtered(raw, m_text) && id.empty()) return;
    const Pending line{std::string(id), !m_codec.oddTail(raw).empty()};
    if (!m_simplifier) {
        write(m_text, line, out);
        return;
    }
    m_batch.append(m_text);
    m_batch.push_back(u'\n');
    m_pending.push_back(line);
    if (m_batch.size() >= kBatchUnits) convertBatch(out);
}

void EpubText::finish(std::string& out) {
    if (!m_pending.empty()) convertBatch(out);
}

std::u16string EpubText::converted(std::u16string_view text) {
    return m_simplifier ? m_simplifier->convert(text) : std::u16string(text);
}

// Leading spaces are the paragraph's indentation; the style sheet keeps them.
void EpubText::write(std::u16string_view text, const Pending& line, std::string& out) {
    open(line.id, out);
    m_replaced += AppendXhtmlText(text, out);
    if (line.oddByte) {
        out += "\xEF\xBF\xBD";
        ++m_replaced;
    }
    close(line.id, text.empty() && !line.oddByte, out);
}

void EpubText::open(std::string_view id, std::string& out) {
    if (id.empty()) {
        out += "<p>";
        return;
    }
    out += "<h2 id=\"";
    out += id;
    out += "\">";
}

// An empty paragraph would take no room: a kept blank line holds a line break.
void EpubText::close(std::string_view id, bool empty, std::string& out) {
    if (!id.empty()) {
        out += "</h2>\n";
        return;
    }
    out += empty ? "<br/></p>\n" : "</p>\n";
}

void EpubText::convertBatch(std::string& out) {
    // Lines hold no U+000A and the conversion makes none, so the batch splits
    // back into its lines.
    const std::u16string converted = m_simplifier->convert(m_batch);
    std::size_t start = 0;
    for (const Pending& line : m_pending) {
        std::size_t end = converted.find(u'\n', start);
        if (end == std::u16string::npos) end = converted.size();
        write(std::u16string_view(converted).substr(start, end - start), line, out);
        start = end + 1;
    }
    m_batch.clear();
    m_pending.clear();
}

} // namespace lumarin::engine
