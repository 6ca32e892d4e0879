// SPDX-License-Identifier: MIT
#include "cli/ChapterListPrinter.h"

#include "cli/JsonWriter.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Renumbering.h"

namespace lumarin::cli {

using engine::ToUtf8;

namespace {

// A heading as a terminal can show it in one column.
std::string Printable(std::u16string_view text) {
    return ToUtf8(engine::PrintableText(text));
}

} // namespace

ChapterListPrinter::ChapterListPrinter(const engine::AnalysisResult& analysis,
                                       const std::vector<bool>& checked, bool nearMisses,
                                       std::string checksum, const engine::TextCleanup* cleanup)
    : m_analysis(analysis), m_checked(checked), m_nearMisses(nearMisses),
      m_checksum(std::move(checksum)), m_cleanup(cleanup) {}

namespace {

std::string JoinedWords(engine::AuditFlags flags) {
    std::string joined;
    for (const auto& word : engine::FlagWords(flags)) {
        joined += (joined.empty() ? "" : ",") + word;
    }
    return joined;
}

} // namespace

void ChapterListPrinter::PrintText(std::ostream& out) const {
    const engine::ChapterTable& table = m_analysis.table;
    const auto labels = engine::RenumberLabels(m_checked);
    const bool withRule = m_analysis.rule != nullptr;
    // The audit only where it is shown: the plain list stays as lean as it was.
    const auto flags =
        withRule ? engine::AuditAnalysis(m_analysis, m_checked) : std::vector<engine::AuditFlags>{};
    if (withRule) {
        out << "rule\t" << ToUtf8(m_analysis.rule->name) << '\n';
    } else if (m_analysis.automatic) {
        out << "rule\t-\n"; // no rule explains the text
    }
    // A volume line before its first row, in the lists that name the rule.
    const bool withVolumes = withRule;
    std::size_t volume = 0;
    for (std::size_t row = 0; row < m_checked.size(); ++row) {
        const std::size_t entry = row + 1;
        for (; withVolumes && volume < m_analysis.volumes.size() &&
               m_analysis.volumes[volume].line <= table.m_lngStartLine[entry];
             ++volume) {
            out << "volume\t" << m_analysis.volumes[volume].line << '\t'
                << Printable(m_analysis.volumes[volume].title) << '\n';
        }
        out << entry << '\t' << (m_checked[row] ? "[x]" : "[ ]") << '\t' << ToUtf8(labels[row])
            << '\t' << Printable(table.m_strHeading[entry]) << '\t'
            << Printable(table.previewText(entry));
        if (withRule) {
            out << '\t' << JoinedWords(flags[row]);
        }
        out << '\n';
    }
    const engine::CheckCount count = engine::CountUnchecked(m_checked);
    out << count.unchecked << '/' << count.total << '\n';
    if (m_nearMisses) {
        for (const auto& miss : m_analysis.nearMisses) {
            out << "near-miss\t" << miss.line << '\t' << Printable(miss.text) << '\n';
        }
    }
    if (m_cleanup != nullptr) {
        for (const auto& removed : m_cleanup->removed) {
            out << "removed\t" << removed.line << '\t' << engine::RemovalReasonName(removed.reason)
                << '\t' << Printable(removed.text) << '\n';
        }
    }
}

void ChapterListPrinter::PrintJson(std::ostream& out) const {
    const engine::ChapterTable& table = m_analysis.table;
    const auto labels = engine::RenumberLabels(m_checked);
    const engine::CheckCount count = engine::CountUnchecked(m_checked);
    const auto flags = engine::AuditAnalysis(m_analysis, m_checked);
    JsonWriter json(out);
    json.BeginObject();
    json.Key("source");
    json.String(
        ToUtf8(engine::FromUtf8(m_analysis.m_strSource.string()))); // file names need not be UTF-8
    json.Key("checksum");
    json.String(m_checksum);
    json.Key("encoding");
    json.String(engine::EncodingName(m_analysis.encoding));
    json.Key("lines");
    json.Number(m_analysis.lineCount);
    json.Key("rule");
    if (m_analysis.rule != nullptr) {
        json.String(ToUtf8(m_analysis.rule->name));
    } else {
        json.Null();
    }
    json.Key("condition");
    json.String(ToUtf8(m_analysis.condition));
    json.Key("count");
    json.Number(m_analysis.m_lngCount);
    json.Key("unchecked");
    json.Number(count.unchecked);
    json.Key("end_line");
    json.Number(table.m_lngStartLine.back());
    json.Key("volumes");
    json.BeginArray();
    for (const engine::Volume& volume : m_analysis.volumes) {
        json.BeginObject();
        json.Key("line");
        json.Number(volume.line);
        json.Key("title");
        json.String(ToUtf8(volume.title));
        json.Key("number");
        json.Number(volume.number);
        json.EndObject();
    }
    json.EndArray();
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
        json.Key("added");
        json.Bool(table.added(entry));
        json.Key("label");
        json.String(ToUtf8(labels[row]));
        json.Key("flags");
        json.BeginArray();
        for (const auto& word : engine::FlagWords(flags[row])) {
            json.String(word);
        }
        json.EndArray();
        json.Key("chars");
        json.Number(row < m_analysis.chars.size() ? m_analysis.chars[row] : 0);
        json.Key("volume");
        if (row < m_analysis.rowVolume.size() && m_analysis.rowVolume[row] >= 0) {
            json.Number(m_analysis.rowVolume[row]);
        } else {
            json.Null();
        }
        json.EndObject();
    }
    json.EndArray();
    if (m_nearMisses) {
        json.Key("near_misses");
        json.BeginArray();
        for (const auto& miss : m_analysis.nearMisses) {
            json.BeginObject();
            json.Key("line");
            json.Number(miss.line);
            json.Key("text");
            json.String(ToUtf8(miss.text));
            json.EndObject();
        }
        json.EndArray();
    }
    if (m_cleanup != nullptr) {
        json.Key("removed");
        json.BeginArray();
        for (const auto& removed : m_cleanup->removed) {
            json.BeginObject();
            json.Key("line");
            json.Number(removed.line);
            json.Key("text");
            json.String(ToUtf8(removed.text));
            json.Key("reason");
            json.String(engine::RemovalReasonName(removed.reason));
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
    out << '\n';
}

} // namespace lumarin::cli
