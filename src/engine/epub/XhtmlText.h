#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumarin::engine {

// Appends `text` as UTF-8 character data of an XHTML document: "&", "<" and
// ">" escaped, and every code unit XML cannot hold written as U+FFFD: lone
// surrogates (the carried invalid bytes of a source line among them), control
// characters other than tab, U+FFFE and U+FFFF. Returns how many were replaced.
std::size_t AppendXhtmlText(std::u16string_view text, std::string& out);

} // namespace lumarin::engine
