// SPDX-License-Identifier: MIT
#pragma once

#include "engine/encoding/Encoding.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lumarin::engine {

// The encoding the user asks the source to be read in. Auto decides from the
// bytes; any other choice is used as given, and bytes invalid in it are
// carried through like every invalid byte.
enum class InputEncodingChoice { Auto, Utf8, Gb18030, Big5, Utf16LE, Utf16BE };

// The encoding chapter files are written in. Source keeps the source's own
// (GB18030 for a Big5 source converted to simplified, which Big5 cannot hold).
enum class OutputEncodingChoice { Source, Utf8, Utf8Bom, Gb18030 };

// One choice with the name the command line takes and the label the window shows.
template <typename Choice> struct EncodingChoiceName {
    Choice choice;
    std::string_view name; // "auto", "utf-8" ...
    std::u16string_view label;
};

// Every choice in the order the window lists them; the first is the default.
std::span<const EncodingChoiceName<InputEncodingChoice>> InputEncodingChoices();
std::span<const EncodingChoiceName<OutputEncodingChoice>> OutputEncodingChoices();

std::optional<InputEncodingChoice> ParseInputEncodingChoice(std::string_view name);
std::optional<OutputEncodingChoice> ParseOutputEncodingChoice(std::string_view name);

// The encoding to read a source of `fileSize` bytes in, given its first
// bytes. A chosen UTF-8 keeps a byte order mark out of the first line, as a
// detected one does.
Encoding ResolveInputEncoding(InputEncodingChoice choice, std::string_view head,
                              std::uint64_t fileSize);

Encoding ResolveOutputEncoding(OutputEncodingChoice choice, Encoding source, bool toSimplified);

// True when lines in `a` are written with the same bytes in `b` (the two
// UTF-8 forms differ only in the byte order mark of a new file).
bool SameLineBytes(Encoding a, Encoding b);

} // namespace lumarin::engine
