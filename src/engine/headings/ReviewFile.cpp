// SPDX-License-Identifier: MIT
#include "engine/headings/ReviewFile.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/ChapterPreview.h"
#include "engine/source/SmallFile.h"

#include <algorithm>
#include <map>
#include <set>
#include <nlohmann/json.hpp>

namespace lumarin::engine {
namespace {

using Json = nlohmann::ordered_json;

// Where a fault is, as the reader of the message counts: the file, or its rows from 1.
constexpr const char* kWholeFile = "文件";

// The `index`th item (from 0) of the array `key`, as the reader counts: from 1.
std::string ItemName(const char* key, std::size_t index) {
    return std::string(key) + "的第" + std::to_string(index + 1) + "项";
}

// The member `key` of `object` when it has the type asked for; a missing
// member is fine only when not `required`.
const Json* Member(const Json& object, const char* key, Json::value_t type, bool required,
                   const std::string& where) {
    const auto at = object.find(key);
    if (at == object.end() || at->is_null()) {
        if (required) throw EngineError::invalidReview(where + "缺少“" + key + "”");
        return nullptr;
    }
    const bool fits = type == Json::value_t::number_integer ? at->is_number_integer()
                                                             : at->type() == type;
    if (!fits) throw EngineError::invalidReview(where + "的“" + key + "”类型不对");
    return &*at;
}

ReviewRow ParseRow(const Json& row, std::size_t index) {
    const std::string where = ItemName("rows", index);
    if (!row.is_object()) throw EngineError::invalidReview(where + "不是JSON对象");
    ReviewRow parsed;
    parsed.startLine =
        Member(row, "start_line", Json::value_t::number_integer, true, where)->get<LineNumber>();
    if (parsed.startLine < 1)
        throw EngineError::invalidReview(where + "的“start_line”必须大于0");
    parsed.checked = Member(row, "checked", Json::value_t::boolean, true, where)->get<bool>();
    parsed.title =
        FromUtf8(Member(row, "title", Json::value_t::string, true, where)->get<std::string>());
    if (const Json* added = Member(row, "added", Json::value_t::boolean, false, where))
        parsed.added = added->get<bool>();
    return parsed;
}

ReviewVolume ParseVolume(const Json& volume, std::size_t index) {
    const std::string where = ItemName("volumes", index);
    if (!volume.is_object()) throw EngineError::invalidReview(where + "不是JSON对象");
    ReviewVolume parsed;
    parsed.line = Member(volume, "line", Json::value_t::number_integer, true, where)->get<LineNumber>();
    if (parsed.line < 1) throw EngineError::invalidReview(where + "的“line”必须大于0");
    if (const Json* title = Member(volume, "title", Json::value_t::string, false, where))
        parsed.title = FromUtf8(title->get<std::string>());
    return parsed;
}

} // namespace

ReviewFile ParseReviewFile(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
        throw EngineError::invalidReview("不是JSON文本（第" + std::to_string(error.byte) +
                                         "个字节处出错）");
    }
    if (!json.is_object()) throw EngineError::invalidReview("不是JSON对象");
    ReviewFile file;
    file.checksum = Member(json, "checksum", Json::value_t::string, true, kWholeFile)->get<std::string>();
    if (const Json* source = Member(json, "source", Json::value_t::string, false, kWholeFile))
        file.source = FromUtf8(source->get<std::string>());
    if (const Json* rule = Member(json, "rule", Json::value_t::string, false, kWholeFile))
        file.rule = FromUtf8(rule->get<std::string>());
    if (const Json* condition = Member(json, "condition", Json::value_t::string, false, kWholeFile))
        file.condition = FromUtf8(condition->get<std::string>());
    if (const Json* volumes = Member(json, "volumes", Json::value_t::array, false, kWholeFile))
        for (std::size_t i = 0; i < volumes->size(); ++i)
            file.volumes.push_back(ParseVolume((*volumes)[i], i));
    const Json* rows = Member(json, "rows", Json::value_t::array, true, kWholeFile);
    for (std::size_t i = 0; i < rows->size(); ++i)
        file.rows.push_back(ParseRow((*rows)[i], i));
    return file;
}

ReviewFile ReadReviewFile(const std::filesystem::path& path) {
    return ParseReviewFile(ReadSmallFile(path, kLargestReviewBytes, u"目录文件"));
}

ReviewFile ReviewOf(const AnalysisResult& reviewed, const std::vector<bool>& checked,
                    std::string checksum) {
    ReviewFile file;
    file.checksum = std::move(checksum);
    file.source = FromUtf8(reviewed.m_strSource.string());
    if (reviewed.rule != nullptr) file.rule = reviewed.rule->name;
    file.condition = reviewed.condition;
    for (const Volume& volume : reviewed.volumes)
        file.volumes.push_back({volume.line, volume.title, volume.number});
    const ChapterTable& table = reviewed.table;
    for (std::size_t r = 0; r < checked.size(); ++r)
        file.rows.push_back({table.m_lngStartLine[r + 1], checked[r], table.added(r + 1),
                             table.m_strTitle[r + 1]});
    return file;
}

std::string ReviewFileText(const ReviewFile& review, const AnalysisResult& reviewed) {
    Json json;
    json["source"] = ToUtf8(review.source);
    json["checksum"] = review.checksum;
    json["rule"] = review.rule ? Json(ToUtf8(*review.rule)) : Json(nullptr);
    json["condition"] = ToUtf8(review.condition);
    Json volumes = Json::array();
    for (const ReviewVolume& volume : review.volumes)
        volumes.push_back({{"line", volume.line}, {"title", ToUtf8(volume.title)}, {"number", volume.number}});
    json["volumes"] = std::move(volumes);
    Json rows = Json::array();
    for (std::size_t r = 0; r < review.rows.size(); ++r) {
        const ReviewRow& row = review.rows[r];
        Json item;
        item["row"] = r + 1;
        item["start_line"] = row.startLine;
        const std::int32_t at = RowStartingAt(reviewed.table, row.startLine);
        if (at >= 0) {
            item["number"] = reviewed.table.m_intChapterNo[static_cast<std::size_t>(at) + 1];
            item["heading"] = ToUtf8(reviewed.table.m_strHeading[static_cast<std::size_t>(at) + 1]);
        }
        item["title"] = ToUtf8(row.title);
        item["checked"] = row.checked;
        if (row.added) item["added"] = true;
        rows.push_back(std::move(item));
    }
    json["rows"] = std::move(rows);
    // Text that is not valid UTF-8 (a name carried from invalid bytes) is
    // written with U+FFFD rather than refused.
    return json.dump(1, ' ', false, Json::error_handler_t::replace) + '\n';
}

void CheckReviewIsOf(const ReviewFile& file, std::string_view checksum,
                     const std::filesystem::path& source) {
    if (file.checksum == checksum) return;
    const std::filesystem::path named(file.source);
    if (!file.source.empty() && named.filename() == source.filename())
        throw EngineError::sourceChanged();
    throw EngineError::otherBook(file.source.empty() ? std::string()
                                                     : named.filename().string());
}

Review ReviewFromFile(const AnalysisResult& found, const ReviewFile& file) {
    std::vector<ReviewRow> rows = file.rows;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ReviewRow& a, const ReviewRow& b) { return a.startLine < b.startLine; });
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].startLine == rows[i - 1].startLine)
            throw EngineError::invalidReview("第" + std::to_string(rows[i].startLine) +
                                             "行列出了两次");
        if (rows[i].startLine > found.lineCount)
            throw EngineError::invalidReview("第" + std::to_string(rows[i].startLine) +
                                             "行超出源文件（共" +
                                             std::to_string(found.lineCount) + "行）");
    }
    std::vector<const ReviewRow*> addedRows;
    std::vector<LineNumber> addedLines;
    for (const ReviewRow& row : rows) {
        if (RowStartingAt(found.table, row.startLine) >= 0) continue;
        addedRows.push_back(&row);
        addedLines.push_back(row.startLine);
    }
    const std::vector<SplitLine> splits = SplitLinesAt(found, addedLines);
    // Volumes the analysis did not find were marked by hand.
    std::vector<LineNumber> volumeLines;
    for (const ReviewVolume& volume : file.volumes) {
        if (volume.line > found.lineCount)
            throw EngineError::invalidReview("分卷行第" + std::to_string(volume.line) +
                                             "行超出源文件（共" +
                                             std::to_string(found.lineCount) + "行）");
        if (VolumeAtLine(found, volume.line) < 0) volumeLines.push_back(volume.line);
    }
    std::sort(volumeLines.begin(), volumeLines.end());
    volumeLines.erase(std::unique(volumeLines.begin(), volumeLines.end()), volumeLines.end());
    // A volume opens at a line with text: a blank one would move, as a split does.
    std::vector<std::u16string> volumeTexts;
    for (const SplitLine& at : SplitLinesAt(found, volumeLines)) {
        const LineNumber asked = volumeLines[volumeTexts.size()];
        if (at.line != asked)
            throw EngineError::invalidReview("分卷行第" + std::to_string(asked) + "行是空行");
        volumeTexts.push_back(at.text);
    }

    Review review;
    for (std::size_t i = 0; i < volumeLines.size(); ++i)
        review.edits.volumes[volumeLines[i]] = volumeTexts[i];
    // Each listed row by the line its split falls on: a split added at a blank line
    // moves to the next line with text (unless a row is listed there), and one with
    // only blank lines after it goes.
    std::map<LineNumber, const ReviewRow*> byLine;
    for (const ReviewRow& row : rows)
        if (RowStartingAt(found.table, row.startLine) >= 0) byLine.emplace(row.startLine, &row);
    std::set<LineNumber> moved;
    for (const bool movedPass : {false, true}) {
        for (std::size_t i = 0; i < addedRows.size(); ++i) {
            const SplitLine& split = splits[i];
            if (split.line == 0 || (split.line != addedLines[i]) != movedPass) continue;
            if (!byLine.emplace(split.line, addedRows[i]).second) continue;
            if (movedPass) moved.insert(split.line);
            if (RowStartingAt(found.table, split.line) < 0) review.edits.add(split.line, split.text);
        }
    }
    const AnalysisResult reviewed = ApplyEdits(found, review.edits);
    for (std::int32_t k = 1; k <= reviewed.m_lngCount; ++k) {
        const auto entry = static_cast<std::size_t>(k);
        const LineNumber line = reviewed.table.m_lngStartLine[entry];
        const auto at = byLine.find(line);
        review.checked.push_back(at == byLine.end() || at->second->checked);
        // A moved split's title was its blank line's: the line it moved to names it.
        if (at != byLine.end() && !moved.contains(line) &&
            at->second->title != reviewed.table.m_strTitle[entry])
            review.edits.titles[line] = at->second->title;
    }
    return review;
}

} // namespace lumarin::engine
