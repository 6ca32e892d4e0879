#include "ChapterListPrinter.h"

#include "JsonWriter.h"
#include "engine/Renumbering.h"
#include "engine/TextUtil.h"

namespace lumarin::cli {

using engine::ToUtf8;

namespace {

// A heading as a terminal can show it in one column: control characters (C0,
// DEL, C1, the line and paragraph separators) written as escapes, so that
// none of them moves the cursor, starts an escape sequence or breaks a row.
std::string Printable(std::u16string_view text) {
    std::u16string out;
    const auto hex = [&out](char16_t c, int digits) {
        static constexpr char16_t kDigits[] = u"0123456789abcdef";
        for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
            out.push_back(kDigits[(c >> shift) & 0xF]);
    };
    for (const char16_t c : text) {
        if (c == u'\t') {
            out += u"\\t";
        } else if (c == u'\n') {
            out += u"\\n";
        } else if (c == u'\r') {
            out += u"\\r";
        } else if (c < 0x20 || c == 0x7F) {
            out += u"\\x";
            hex(c, 2);
        } else if ((c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029) {
            out += u"\\u";
            hex(c, 4);
        } else {
            out.push_back(c);
        }
    }
    return ToUtf8(out);
}

} // namespace

ChapterListPrinter::ChapterListPrinter(const engine::AnalysisResult& analysis,
                                       const std::vector<bool>& checked)
    : m_analysis(analysis), m_checked(checked) {}

void ChapterListPrinter::PrintText(std::ostream& out) const {
    const engine::ChapterTable& table = m_analysis.table;
    const auto labels = engine::RenumberLabels(m_checked);
    for (std::size_t row = 0; row < m_checked.size(); ++row) {
        const std::size_t entry = row + 1;
        out << entry << '\t' << (m_checked[row] ? "[x]" : "[ ]") << '\t' << ToUtf8(labels[row])
            << '\t' << Printable(table.m_strHeading[entry]) << '\t'
            << Printable(table.previewText(entry)) << '\n';
    }
    const engine::CheckCount count = engine::CountUnchecked(m_checked);
    out << count.unchecked << '/' << count.total << '\n';
}

void ChapterListPrinter::PrintJson(std::ostream& out) const {
    const engine::ChapterTable& table = m_analysis.table;
    const auto labels = engine::RenumberLabels(m_checked);
    const engine::CheckCount count = engine::CountUnchecked(m_checked);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("source");
    json.String(
        ToUtf8(engine::FromUtf8(m_analysis.m_strSource.string()))); // file names need not be UTF-8
    json.Key("encoding");
    json.String(engine::EncodingName(m_analysis.encoding));
    json.Key("lines");
    json.Number(m_analysis.lineCount);
    json.Key("count");
    json.Number(m_analysis.m_lngCount);
    json.Key("unchecked");
    json.Number(count.unchecked);
    json.Key("end_line");
    json.Number(table.m_lngStartLine.back());
    json.Key("rows");
    json.BeginArray();
    for (std::size_t row = 0; row < m_checked.size(); ++row) {
        const std::size_t entry = row + 1;
        json.BeginObject();
        json.Key("row");
        json.Number(static_cast<std::int64_t>(entry));
        json.Key("start_line");
        json.Number(table.m_lngStartLine[entry]);
        json.Key("number");
        json.Number(table.m_intChapterNo[entry]);
        json.Key("title");
        json.String(ToUtf8(table.m_strTitle[entry]));
        json.Key("heading");
        json.String(ToUtf8(table.m_strHeading[entry]));
        json.Key("checked");
        json.Bool(m_checked[row]);
        json.Key("label");
        json.String(ToUtf8(labels[row]));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << '\n';
}

} // namespace lumarin::cli
