// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace lumarin::cli {

// A bad ROWS argument ("3,x", "7-5", a row beyond the list); its text is shown to the user.
class RowRangesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows named by --check / --uncheck: "3,5-7" (1-based, as the list shows them).
class RowRanges {
public:
    // Throws RowRangesError on text that is not a comma-separated list of N or N-M.
    static RowRanges Parse(const std::string& text);

    // Sets (or clears) the check mark of every named row; throws RowRangesError, leaving the
    // marks untouched, when a row lies beyond the list.
    void ApplyTo(std::vector<bool>& checks, bool value) const;

private:
    struct Range {
        std::int64_t first;
        std::int64_t last;
    };
    std::string m_strText;
    std::vector<Range> m_ranges;
};

} // namespace lumarin::cli
