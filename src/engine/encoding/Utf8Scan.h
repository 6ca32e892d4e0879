// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumarin::engine {

// How much of a byte string is strict UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
struct Utf8Scan {
    std::size_t valid = 0;  // length of the valid prefix
    bool truncated = false; // the prefix ends at a sequence cut by the end of the bytes
};

Utf8Scan ScanUtf8(std::string_view bytes);

// How much of a text's non-ASCII is UTF-8: its multi-byte characters and its
// invalid pieces (each maximal piece that no character can hold counts once).
// Text made mostly of UTF-8, with at most one invalid piece in 100 non-ASCII
// sequences, reads as UTF-8; text in a double-byte encoding is far from it.
struct Utf8Tally {
    // Non-ASCII sequences allowed per invalid piece.
    static constexpr std::uint64_t kSequencesPerInvalid = 100;

    std::uint64_t sequences = 0; // non-ASCII sequences, valid or not
    std::uint64_t invalid = 0;

    // Counts `bytes`; with `more`, a character cut by the end of `bytes`
    // counts as valid (the rest of it follows).
    void add(std::string_view bytes, bool more = false);

    bool mostlyUtf8() const { return invalid * kSequencesPerInvalid <= sequences; }
    // True when no `bytesLeft` further bytes can bring the text back to mostly UTF-8.
    bool ruledOut(std::uint64_t bytesLeft) const {
        return invalid * kSequencesPerInvalid > sequences + bytesLeft / 2;
    }
};

} // namespace lumarin::engine
