// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/LineReader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumarin::engine {

// Collects the short lines at the edges of each chapter (the first and last
// few lines that are not blank) and picks those a site stamped there: the
// same bytes at the edge of many chapters. Holds only edge lines, a few per chapter.
class RepeatedStamps {
public:
    // Lines that can be stamps are at most this many bytes.
    static constexpr std::size_t kLongestStamp = 120;
    // Edge lines per chapter at each end.
    static constexpr int kEdgeLines = 3;

    void add(std::int32_t chapter, LineNumber line, std::string_view raw);

    // The stamped lines, ascending, each with its bytes, among `chapters` chapters.
    struct Stamp {
        LineNumber line = 0;
        std::string raw;
    };
    std::vector<Stamp> choose(std::int32_t chapters) const;

private:
    struct Seen {
        std::vector<LineNumber> lines;
        std::int32_t lastChapter = -1;
        std::int32_t chapters = 0;
    };
    std::unordered_map<std::string, Seen> m_seen;
};

} // namespace lumarin::engine
