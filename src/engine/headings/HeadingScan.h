// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ByteSearch.h"
#include "engine/encoding/Utf8Scan.h"
#include "engine/headings/CharacterMasks.h"
#include "engine/headings/Analyzer.h"
#include "engine/headings/HeadingStarts.h"
#include "engine/headings/LayoutHeadings.h"
#include "engine/headings/VolumeWordPlace.h"
#include "engine/headings/Volumes.h"
#include "engine/source/SourceFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumarin::engine {

// The headings one condition found, already in the form of the chapter table
// (entry 0 in place, no end marker yet), so that the table is moved out of
// here rather than copied.
struct HeadingHits {
    ChapterTable table{{1}, {0}, {u"(Index)"}, {u""}, {}, {}};
    std::vector<bool> midLine;             // per heading
    std::vector<std::int64_t> charsBefore; // per heading, characters of all earlier lines
    // Per heading: how its number is written (0 none, 1 ASCII digits,
    // 2 full-width digits, 3 Chinese numerals).
    std::vector<std::uint8_t> numberForm;
    // Per heading, with the built-in rules: where it stands (empty for the
    // user's own condition).
    std::vector<LinePlace> places;
    std::size_t count() const noexcept { return midLine.size(); }
    LineNumber line(std::size_t k) const { return table.m_lngStartLine[k + 1]; }
    void add(LineNumber line, std::u16string_view heading, const HeadingFields& fields,
             std::int64_t before, bool measure);
    // Appends heading k of `from`.
    void addFrom(const HeadingHits& from, std::size_t k);
    // The headings whose `keep` is true, in order.
    HeadingHits kept(const std::vector<bool>& keep) const;
};

// A line that follows a heading with no title of its own: it may hold the title.
struct NextLine {
    LineNumber heading = 0;
    LineNumber line = 0;
    std::u16string text;
};

// What one scan looks for.
struct ScanPlan {
    // The conditions tried on each line; hits are gathered per condition.
    std::vector<HeadingCondition*> conditions;
    // The first condition is the user's own: it may match anywhere in a line.
    // Otherwise every condition is a built-in rule and only lines that may
    // start a heading are tried.
    bool userCondition = false;
    // With built-in rules: a line is tried only when it matches this first.
    HeadingCondition* anyRuleStart = nullptr;
    bool measure = false;
    HeadingCondition* nearMiss = nullptr; // null: no near misses
    HeadingCondition* volume = nullptr;   // null: no volume lines
    // Per condition: a built-in rule whose heading may begin with any
    // character; it is tried on every short line.
    std::vector<bool> anyStart;
    // Per condition: characters of which every match holds one, and those one
    // of which a match begins with after spaces and decoration (empty: any).
    std::vector<std::u16string_view> needs;
    std::vector<std::u16string_view> starts;
    // Per condition: characters one of which a line its numbered branch
    // matches ends with before its spaces (empty: any).
    std::vector<std::u16string_view> ends;
    // Characters of `needs` that count only where a line begins (after spaces,
    // or anywhere after a decoration): the unnumbered words' first characters.
    std::u16string_view needsAtStart;
    // Tally the layout of every line for titles that carry no number.
    bool layout = false;
    // For the automatic choice: a short line centred with more spaces than a
    // rule allows before its heading is tried without them, and the layout
    // takes titles in quotes and titles that begin like the book's data.
    bool automatic = false;
};

struct ScanOutcome {
    std::vector<HeadingHits> hits;    // per condition
    std::vector<NearMiss> nearMisses; // candidates, headings included
    std::vector<VolumeLine> volumeLines;
    LayoutTally layout;
    std::vector<NextLine> nextLines; // with built-in rules
    LineNumber lineCount = 0;
    std::int64_t totalChars = 0;
    LinePlace end; // after the last line
    // The units of LinePlace::unitsBefore a character of the book's script takes.
    int unitsPerCharacter = 1;
};

// Reads the source once. The raw bytes are searched and only the lines that
// can matter are decoded: for the user's condition the lines holding a
// character every match must contain (第 for the default condition), for the
// built-in rules and near misses the lines whose first character may start a
// heading. UTF-8 that is still to be confirmed is tallied as the scan goes;
// run() is false when the source turns out not to be mostly UTF-8 after all.
class HeadingScanner {
public:
    // `utf8Size`: the size of a file whose UTF-8 still has to be confirmed, else 0.
    HeadingScanner(SourceFile& file, Encoding encoding, const ScanPlan& plan,
                   std::uint64_t utf8Size);

    bool run();
    ScanOutcome take() { return std::move(m_outcome); }

private:
    std::optional<std::string> searchableForm();
    bool volumeNeedles();
    bool scanNeedle();
    void scanNeedleBlock(std::string_view block);
    bool scanByteLines();
    bool scanDecodedLines();
    void visitRaw(LineNumber number, std::string_view raw);
    void examine(LineNumber number, std::string_view raw, bool mayStart);
    void examineText(LineNumber number, bool mayStart, bool shortLine);
    bool isShort(const LineShape& shape) const;
    void afterShape(LineNumber number, const LineShape& shape, bool shortLine);

    SourceFile& m_file;
    Encoding m_encoding;
    const ScanPlan& m_plan;
    LineCodec m_codec;
    LineBreaks m_breaks;
    HeadingStarts m_starts;
    std::size_t m_titleUnits; // see isShort
    bool stillUtf8(std::string_view bytes, bool atEnd);

    std::uint64_t m_utf8Size;
    Utf8Tally m_tally;
    std::uint64_t m_tallied = 0;
    std::optional<std::string> m_needle;
    NeedleSet m_jump; // when not empty, searched for instead of m_needle
    std::optional<VolumeWordPlace> m_volumeWords; // with m_jump
    ScanOutcome m_outcome;
    LineNumber m_lines = 0;
    std::int64_t m_chars = 0;
    std::u16string m_text;
    HeadingFields m_fields;
    bool m_anyStart = false;     // some condition is tried on every short line
    bool m_lookAtShapes = false; // line shapes matter to this scan
    LineNumber m_pendingTitle = 0; // a heading whose title may be the next line
    LinePlace m_place;             // of the line being looked at
    void passed(LineNumber number, const LineShape& shape);
    // Per character, the conditions (bit i) that a line holding it, or one
    // beginning with it, may match.
    struct ConditionGate {
        CharacterMasks byCharacter;
        CharacterMasks atStart;   // by the characters that count only there
        std::uint64_t always = 0; // conditions with no characters of their own
        bool active = false;      // the built-in rules have one; a user's condition has none
        void build(const std::vector<std::u16string_view>& sets,
                   std::u16string_view onlyAtStart = {});
    };
    std::uint64_t admitted() const;
    ConditionGate m_needs;
    ConditionGate m_starters;
    ConditionGate m_enders;
};

} // namespace lumarin::engine
