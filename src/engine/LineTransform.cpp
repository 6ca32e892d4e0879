#include "engine/LineTransform.h"

#include "engine/OutputWriter.h"
#include "engine/TextUtil.h"

namespace lumarin::engine {
namespace {

Encoding OutputEncodingFor(Encoding source, bool toSimplified)
{
    // Big5 cannot hold simplified characters.
    return toSimplified && source == Encoding::Big5 ? Encoding::Gb18030 : source;
}

} // namespace

LineTransform::LineTransform(Encoding source, const OutputOptions& options)
    : m_source(source, OutputEncodingFor(source, options.toSimplified) == source ? CodecMode::Exact
                                                                                  : CodecMode::Display),
      m_output(OutputEncodingFor(source, options.toSimplified)), m_filters(options.filters),
      m_deleteBlank(options.deleteBlankLines)
{
    std::erase_if(m_filters, [](const std::u16string& filter) { return filter.empty(); });
    if (options.toSimplified)
        m_simplifier = std::make_unique<Simplifier>();
    m_needsText = !m_filters.empty() || m_simplifier || m_output.encoding() != source || IsUtf16(source);
    m_ideographicSpace = m_source.encodedForms(u'\u3000');
    m_output.encode(u"\r\n", m_lineEnd);
}

LineTransform::~LineTransform() = default;

// A line can only be blank if it is made of spaces and ideographic spaces.
bool LineTransform::mayBeBlank(std::string_view raw) const
{
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
        if (!matched)
            return false;
    }
    return true;
}

bool LineTransform::isBlankText(std::u16string_view text) const
{
    for (const char16_t c : text) {
        if (c != u' ' && c != u'\u3000')
            return false;
    }
    return true;
}

bool LineTransform::append(std::string_view raw, std::string& out)
{
    if (!m_needsText) {
        if (m_deleteBlank && mayBeBlank(raw))
            return false;
        out.append(raw);
        return true;
    }
    m_source.decode(raw, m_text);
    std::u16string text = m_text;
    for (const std::u16string& filter : m_filters)
        text = RemoveAll(text, filter);
    if (m_deleteBlank && isBlankText(text))
        return false;
    if (m_simplifier)
        text = m_simplifier->convert(text);
    if (text == m_text && m_output.encoding() == m_source.encoding()) {
        out.append(raw);
        return true;
    }
    m_output.encode(text, out);
    out.append(m_source.oddTail(raw));
    return true;
}

} // namespace lumarin::engine
