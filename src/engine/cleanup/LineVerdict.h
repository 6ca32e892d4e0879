// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
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
// enough words of its own to stay, and what a character says (a web address
// between dialogue quotes, or any line of a speech a quote opened before it,
// `insideQuote`) is no advertisement.
std::optional<RemovalReason> JudgeLine(std::u16string_view text, bool insideQuote = false);

// A page marker's number and the way it is written: page numbers rise
// through a book, while section numbers written alike ("— 1 —") restart in
// each chapter and are the book's own.
struct MarkerNumber {
    enum Form : std::uint8_t { Dashed, PageOf, Numbered } form = Dashed;
    std::int32_t value = 0;
};
// Of a line JudgeLine takes for a page marker.
std::optional<MarkerNumber> ReadMarkerNumber(std::u16string_view text);

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
