// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/HeadingScan.h"
#include "engine/headings/LayoutHeadings.h"

#include <string_view>
#include <vector>

namespace lumarin::engine {

// Front and back matter as people title it, beyond the bare words every rule
// knows: a short qualifier before the word (修订版序言, 译者后记, 再版前言,
// 《江湖夜雨》序), a letter or numeral after 附录 (附录A, 附录二), a space
// inside the word (后 记). A bare 序 counts only where it cannot end another
// word (秩序, 程序 are prose).
bool IsMatterTitle(std::u16string_view line);

// The lines among `titleLines` (every short line that reads like a title)
// that are front or back matter.
std::vector<LayoutCandidate> MatterLines(const std::vector<LayoutCandidate>& titleLines);

// The entries of the book's own contents that carry no number and come back
// later on a line of their own, in the contents' order (年表, 参考文献, 注释
// after the last chapter): the lines among `titleLines` where they come back.
// The contents run from the first heading up to where it comes again.
std::vector<LayoutCandidate> ListedInContents(const HeadingHits& hits,
                                              const std::vector<LayoutCandidate>& titleLines);

} // namespace lumarin::engine
