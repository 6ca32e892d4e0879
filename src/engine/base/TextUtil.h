#pragma once

#include <string>
#include <string_view>

namespace lumarin::engine {

// True when `text` holds nothing but U+0020 and U+3000: a blank line.
bool IsBlankText(std::u16string_view text);

// Removes leading and trailing U+0020 only.
std::u16string_view TrimSpaces(std::u16string_view text);

// Removes leading and trailing U+0020, U+3000 and tabs: a line as a title shows it.
std::u16string_view TrimBlanks(std::u16string_view text);

// Every occurrence of `what` removed, left to right, code unit by code unit.
std::u16string RemoveAll(std::u16string_view text, std::u16string_view what);

// Every occurrence of `what` replaced by `with`; inserted text is not scanned again.
std::u16string ReplaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with);

// UTF-8 for display and file names: lone surrogates (which include the
// carried invalid bytes of a source line) become U+FFFD.
std::string ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view text);

std::u16string ToU16Decimal(long long value);

} // namespace lumarin::engine
