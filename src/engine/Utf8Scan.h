#pragma once

#include <cstddef>
#include <string_view>

namespace lumarin::engine {

// How much of a byte string is strict UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
struct Utf8Scan {
    std::size_t valid = 0;  // length of the valid prefix
    bool truncated = false; // the prefix ends at a sequence cut by the end of the bytes
};

Utf8Scan ScanUtf8(std::string_view bytes);

} // namespace lumarin::engine
