// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// Position of the first occurrence of `needle` in `haystack` at or after
// `from`, or haystack.size(). Tuned for short needles (one encoded character).
std::size_t FindBytes(std::string_view haystack, std::string_view needle, std::size_t from);

// A few short needles (one to three bytes) found in one pass, for a scan
// that only cares about lines holding any of them. A caseless needle is
// lower-case ASCII letters and also matches their upper case.
class NeedleSet {
public:
    static constexpr std::size_t kMaxBytes = 3;
    // False (and nothing added) for an empty or too long needle.
    bool add(std::string_view needle, bool asciiCaseless = false);
    bool empty() const { return m_needles.empty(); }
    // Position of the first occurrence of any needle at or after `from`, or
    // haystack.size().
    std::size_t find(std::string_view haystack, std::size_t from) const;
    // Whether a needle starts at `p`, with `available` bytes from there on.
    bool matchesAnyAt(const char* p, std::size_t available) const;

private:
    struct Needle {
        unsigned char bytes[kMaxBytes] = {};
        std::size_t size = 0;
        unsigned char fold = 0; // OR-ed into each byte before comparing
    };
    bool matchesAt(const char* p, std::size_t available, const Needle& needle) const;
    std::vector<Needle> m_needles;
};

} // namespace lumarin::engine
