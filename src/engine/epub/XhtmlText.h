// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumarin::engine {

// What AppendXhtmlText wrote as U+FFFD.
struct XhtmlReplaced {
    std::size_t loneSurrogates = 0; // the carried invalid bytes of a source line among them
    std::size_t unfit = 0;          // control characters other than tab, U+FFFE and U+FFFF
};

// Appends `text` as UTF-8 character data of an XHTML document: "&", "<" and
// ">" escaped, and every character XML cannot hold written as U+FFFD.
XhtmlReplaced AppendXhtmlText(std::u16string_view text, std::string& out);

// The same for an attribute's value, in either quotes: "\"" and "'" escaped too.
XhtmlReplaced AppendXhtmlAttribute(std::u16string_view text, std::string& out);

} // namespace lumarin::engine
