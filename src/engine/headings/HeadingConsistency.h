// SPDX-License-Identifier: MIT
#pragma once

#include "engine/headings/HeadingRules.h"
#include "engine/headings/HeadingScan.h"

namespace lumarin::engine {

// What a book repeats is no new chapter. Pages saved from the web print a
// heading twice a few lines apart; books converted from PDF repeat a chapter
// title before every page, or cut a chapter into pages "标题(1)", "标题(2)";
// both may repeat the book's title as a running header all through the book.
// So: a heading the same as the one just before it (spaces and a page number
// in brackets aside) is dropped when it follows within four lines, when it
// carries a page number, or when the book repeats its headings so more than
// once; and an unnumbered heading that keeps coming back between the others
// (three times or more) is a running header and dropped everywhere.
// `pageNumbers`: a number in brackets at the end may be a page of a chapter
// (not when the rule reads its numbers from there).
HeadingHits WithoutRepeats(HeadingHits&& hits, bool pageNumbers);

// Leftovers of a book converted from PDF, which the automatic choice drops: a
// heading that comes back again and again with a different number at its end
// ("第三章 风起12", "第三章 风起 13"; glued to it for a rule that reads its
// number there) is a running page header, and none of those copies splits
// (numbers that count on from an unnumbered part, 番外2 and 番外3 after 番外,
// are a series); a weak rule's heading whose title holds no word (only
// dashes or a page number: "12 --") is none.
HeadingHits WithoutPageLeftovers(HeadingHits&& hits, const HeadingRule& rule);

// For the weaker rules a heading counts only when it belongs with the others:
// its number written like theirs (and, for a rule whose headings share one
// title, under the same title), and its number part of the longest run of
// rising numbers through the book (a few missing chapters allowed). List
// items, years and stray numbers in the prose fall out. Unnumbered parts stay.
HeadingHits InSequence(HeadingHits&& hits, const HeadingRule& rule);

} // namespace lumarin::engine
