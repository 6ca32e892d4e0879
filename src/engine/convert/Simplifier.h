// SPDX-License-Identifier: MIT
#pragma once

#include "engine/convert/ConversionPlan.h"

#include <bitset>
#include <string>
#include <string_view>

namespace lumarin::engine {

// Traditional to simplified Chinese with OpenCC's t2s data and rules, on our
// own UTF-16 text: the longest phrase at each point cuts the text into
// segments; each segment then goes through the conversion steps, where the
// first dictionary of a step that holds a key at a point gives its longest
// key. Every code unit that no key holds passes through as it is: NUL, lone
// surrogates and the carried bytes among them. A line with no character that
// starts a key is left alone at the cost of one table read per code unit.
class Simplifier {
public:
    explicit Simplifier(ConversionPlan plan);

    // The program's converter for OpenCC's "t2s.json", built on first use.
    // Throws EngineError (read failure) when its data cannot be loaded.
    static const Simplifier& shared();

    // False when conversion cannot change `text`.
    bool mayChange(std::u16string_view text) const;

    std::u16string convert(std::u16string_view text) const;

private:
    void convertSegment(std::u16string_view segment, std::u16string& out) const;

    ConversionPlan m_plan;
    std::bitset<0x10000> m_startsKey; // code units that start a key of any dictionary
};

// One line through the shared Simplifier.
std::u16string ToSimplified(std::u16string_view line);

} // namespace lumarin::engine
