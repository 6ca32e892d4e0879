// SPDX-License-Identifier: MIT
#pragma once

#include "engine/source/LineReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lumarin::engine {

// Collects the short lines at the edges of each chapter (the first and last
// few lines that are not blank) and picks those a site stamped there: the
// same bytes at the edge of many chapters, and hardly ever in the story
// between them (a line the story repeats, "嗯。" or a refrain, is found in the
// middle of chapters too). A line is known by a hash of its bytes; its bytes
// are kept once it comes back, so a book's many lines seen once cost little.
class RepeatedStamps {
public:
    // Lines that can be stamps are at most this many bytes.
    static constexpr std::size_t kLongestStamp = 120;
    // Edge lines per chapter at each end.
    static constexpr int kEdgeLines = 3;

    void add(std::int32_t chapter, LineNumber line, std::string_view raw);
    // A short line away from the edges.
    void addBody(std::string_view raw);

    // The stamped lines, ascending, each with its bytes, among `chapters` chapters.
    struct Stamp {
        LineNumber line = 0;
        std::string raw;
    };
    std::vector<Stamp> choose(std::int32_t chapters) const;

private:
    struct Repeats {
        std::string raw;
        std::vector<LineNumber> lines; // after the first
    };
    struct Seen {
        LineNumber first = 0;
        std::unique_ptr<Repeats> repeats; // from the second edge on
        std::int32_t lastChapter = -1;
        std::int32_t chapters = 0;
        std::int32_t inBody = 0;
    };
    std::unordered_map<std::uint64_t, Seen> m_seen;
    std::size_t m_longest = 0; // bytes of the longest edge line: no longer line can be one
};

} // namespace lumarin::engine
