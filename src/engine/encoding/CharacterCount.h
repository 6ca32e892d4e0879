// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// Characters in raw text of `encoding` that starts at a line start, line ends
// (CR, LF) not counted. A byte that starts no valid sequence counts as one
// character, as the decoder carries it.
std::int64_t CountCharacters(std::string_view bytes, Encoding encoding);

} // namespace lumarin::engine
