// SPDX-License-Identifier: MIT
#include "cli/RowRanges.h"

#include <charconv>

namespace lumarin::cli {

namespace {

std::int64_t ReadRowNumber(std::string_view piece, const std::string& whole) {
    std::int64_t value = 0;
    const char* end = piece.data() + piece.size();
    auto [stop, error] = std::from_chars(piece.data(), end, value);
    if (piece.empty() || error != std::errc{} || stop != end || value < 1) {
        throw RowRangesError("invalid ROWS \"" + whole + "\": \"" + std::string(piece) +
                             "\" is not a row number (rows count from 1)");
    }
    return value;
}

} // namespace

RowRanges RowRanges::Parse(const std::string& text) {
    RowRanges rows;
    rows.m_strText = text;
    std::string_view rest = text;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        const std::size_t dash = piece.find('-');
        Range range{};
        if (dash == std::string_view::npos) {
            range.first = range.last = ReadRowNumber(piece, text);
        } else {
            range.first = ReadRowNumber(piece.substr(0, dash), text);
            range.last = ReadRowNumber(piece.substr(dash + 1), text);
            if (range.last < range.first) {
                throw RowRangesError("invalid ROWS \"" + text + "\": range \"" +
                                     std::string(piece) + "\" runs backwards");
            }
        }
        rows.m_ranges.push_back(range);
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return rows;
}

void RowRanges::ApplyTo(std::vector<bool>& checks, bool value) const {
    const auto rowCount = static_cast<std::int64_t>(checks.size());
    for (const Range& range : m_ranges) {
        if (range.last > rowCount) {
            throw RowRangesError("invalid ROWS \"" + m_strText + "\": row " +
                                 std::to_string(range.last) + " is beyond the list (" +
                                 std::to_string(rowCount) + " rows)");
        }
    }
    for (const Range& range : m_ranges) {
        for (std::int64_t row = range.first; row <= range.last; ++row) {
            checks[static_cast<std::size_t>(row - 1)] = value;
        }
    }
}

} // namespace lumarin::cli
