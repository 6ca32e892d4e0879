// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumarin::engine {

// How a rule's headings rank in a book that has more than one level: the
// chapters are the split points, volumes above them and sections below.
enum class HeadingLevel { Volume, Chapter, Section };

// A built-in heading condition. Every rule is anchored at the line start
// (after up to ten spaces or ideographic spaces and an optional decoration
// such as 【 or ===), keeps the heading short and has three groups: number,
// marker, title. Its own markers are the marker texts that qualify a match.
// Unnumbered parts (序章, 楔子, 番外, 尾声 ...) are headings of every rule:
// they read number 0 and the heading's own text as title.
struct HeadingRule {
    std::u16string name;
    std::u16string example;
    std::u16string condition;
    std::u16string markers; // ",章,序章,楔子,...," as the condition compares them
    HeadingLevel level = HeadingLevel::Chapter;
    bool numbered = true;
    // A weak form (a bare number, a numeral and a space): only the headings
    // whose numbers run on through the book count.
    bool inSequence = false;
    // The same title before every heading's number (随笔（一）, 随笔（二）).
    bool sameTitle = false;
    // Its headings begin with any character: lines are tried by their ending.
    bool anyStart = false;
    // Titles recognised by how they stand in the book, not by their words;
    // chosen only when nothing else explains the text.
    bool byLayout = false;
    // Characters of which every match holds at least one (its marker, the
    // first character of an unnumbered word): a line holding none of them is
    // not tried. Empty: every line that may start a heading is tried.
    std::u16string needs = {};
    // Characters one of which the heading begins with after the line's spaces
    // (its number, 第, a letter, an unnumbered word's first character) unless
    // a decoration comes first. Empty: any character.
    std::u16string starts = {};
    // Characters one of which the line ends with, before its spaces, when the
    // numbered branch matches (a rule whose number closes the line). Empty:
    // any. Unnumbered words are not bound by it.
    std::u16string ends = {};
};

// The characters a decoration before a heading (【, ===, ☆ ...) begins with.
inline constexpr std::u16string_view kHeadingDecorations = u"【〖[〔「『=☆★◆◇●■□※#*";

// A condition every heading of every built-in rule matches: the beginning of
// a heading (after spaces and decoration: 第 and a numeral, an unnumbered
// word, Chapter/Section/Part, a digit, a numeral and 、, an opening
// bracket). One test of it spares a line the tests of all rules.
const std::u16string& AnyRuleStart();

// The first characters of the unnumbered words (序, 楔, 后 ...). A heading
// holds one of them for its unnumbered word only where it begins (after
// spaces and decoration), so elsewhere in a line they tell nothing.
const std::u16string& UnnumberedWordStarts();

// The built-in rules, in the order they are listed and tried.
const std::vector<HeadingRule>& BuiltInRules();

// The rule of that name, or null.
const HeadingRule* FindRule(std::u16string_view name);

} // namespace lumarin::engine
