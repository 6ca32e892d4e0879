#pragma once

#include <cstddef>
#include <string_view>

namespace lumarin::engine {

// Position of the first occurrence of `needle` in `haystack` at or after
// `from`, or haystack.size(). Tuned for short needles (one encoded character).
std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from);

} // namespace lumarin::engine
