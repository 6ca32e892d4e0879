// SPDX-License-Identifier: MIT
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

// Text as a terminal can show it in one column: control characters (C0, DEL,
// C1, the line and paragraph separators) written as escapes ("\t", "\x1b",
// "\u0085"), so that none of them moves the cursor, starts an escape sequence
// or breaks a line.
std::u16string PrintableText(std::u16string_view text);

// A file or folder name (UTF-8 bytes) for a message: PrintableText of it.
std::u16string ShownPath(std::string_view path);

} // namespace lumarin::engine
