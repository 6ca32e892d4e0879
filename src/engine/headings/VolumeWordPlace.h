// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/LineCodec.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Whether a volume word found in raw bytes (卷, 部, vol, book: the words a
// volume line without 第 begins with) stands where a volume line can begin
// with it: nothing but what kVolumeCondition lets come first (spaces, a
// decoration, the 上/中/下 of 上卷 and 下部) between it and the start of its
// line. Prose that merely uses the word (全部, 卷起, 一部手机) is passed over
// without its line being found or decoded, so a book whose prose is full of
// such words is scanned as fast as one without.
class VolumeWordPlace {
public:
    // For a byte encoding (not UTF-16).
    explicit VolumeWordPlace(LineCodec& codec);

    // `at`: where a volume word's bytes begin in `block`, which starts at the
    // start of a line. Never false for a word a volume line could begin with;
    // may be true for other bytes (a word read across two characters).
    bool mayBeginLine(std::string_view block, std::size_t at) const;

private:
    bool reachesLineStart(std::string_view block, std::size_t at, int steps) const;

    std::vector<std::string> m_forms;       // of every character that may come first
    std::array<bool, 256> m_lastBytes = {}; // the last bytes of those forms
};

} // namespace lumarin::engine
