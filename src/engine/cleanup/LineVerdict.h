// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace lumarin::engine {

// Why a line is not part of the book's text.
enum class RemovalReason {
    Ad,         // a site's advertisement or watermark
    PageMarker, // a page number left over from a PDF conversion
    Repeated,   // a short stamp repeated at the start or end of many chapters
};

// "ad", "page_marker", "repeated": the names the command line prints.
std::string_view RemovalReasonName(RemovalReason reason);

// What the line alone tells: an advertisement, a page marker, or nothing (the
// book's own text). A sentence that mentions a site or 首发 in passing keeps
// enough words of its own to stay.
std::optional<RemovalReason> JudgeLine(std::u16string_view text);

// The phrases only sites use: an advertisement without an address holds two.
std::span<const std::u16string_view> SitePhrases();

// A character as JudgeLine reads it, for the traditional forms of the
// characters its words use: their simplified form.
struct CharacterFold {
    char16_t traditional;
    char16_t simplified;
};
std::span<const CharacterFold> TraditionalForms();
char16_t SimplifiedForm(char16_t c);

// What a line JudgeLine removes must hold, so that most lines need not be
// decoded to be judged: a Latin letter or digit (an address, a page number;
// full-width forms too), 页 or a full-width dot, or the first two characters
// of two site phrases (each of them also in its traditional forms).
inline constexpr std::u16string_view kPageOrDot = u"页．";

} // namespace lumarin::engine
