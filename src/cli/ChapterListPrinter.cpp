#include "ChapterListPrinter.h"

#include "JsonWriter.h"
#include "engine/Renumbering.h"
#include "engine/TextUtil.h"

namespace lumarin::cli {

using engine::ToUtf8;

ChapterListPrinter::ChapterListPrinter(const engine::AnalysisResult& analysis,
                                       const std::vector<bool>& checked)
    : m_analysis(analysis), m_checked(checked) {}

void ChapterListPrinter::PrintText(std::ostream& out) const {
    const engine::ChapterTable& table = m_analysis.table;
    const auto labels = engine::RenumberLabels(m_checked);
    for (std::size_t row = 0; row < m_checked.size(); ++row) {
        const std::size_t entry = row + 1;
        out << entry << '\t' << (m_checked[row] ? "[x]" : "[ ]") << '\t' << ToUtf8(labels[row])
            << '\t' << ToUtf8(table.m_strHeading[entry]) << '\t' << ToUtf8(table.previewText(entry))
            << '\n';
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
