// SPDX-License-Identifier: MIT
#include "engine/convert/Simplifier.h"

#include <algorithm>

namespace lumarin::engine {

Simplifier::Simplifier(ConversionPlan plan) : m_plan(std::move(plan)) {
    for (const auto& dict : m_plan.dicts) {
        for (std::size_t unit = 0; unit < m_startsKey.size(); ++unit) {
            if (dict->startsKey(static_cast<char16_t>(unit))) m_startsKey.set(unit);
        }
    }
}

const Simplifier& Simplifier::shared() {
    static const Simplifier simplifier(LoadConversionPlan("t2s.json"));
    return simplifier;
}

bool Simplifier::mayChange(std::u16string_view text) const {
    return std::any_of(text.begin(), text.end(),
                       [this](char16_t unit) { return m_startsKey.test(unit); });
}

std::u16string Simplifier::convert(std::u16string_view text) const {
    if (!mayChange(text)) return std::u16string(text);
    std::u16string out;
    out.reserve(text.size());
    // Characters no phrase starts with gather into one segment.
    std::size_t segmentStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (m_plan.segmentation.startsKey(text[pos])) {
            if (const auto phrase = m_plan.segmentation.match(text.substr(pos))) {
                convertSegment(text.substr(segmentStart, pos - segmentStart), out);
                convertSegment(text.substr(pos, phrase->length), out);
                pos += phrase->length;
                segmentStart = pos;
                continue;
            }
        }
        pos += CharLength(text, pos);
    }
    convertSegment(text.substr(segmentStart), out);
    return out;
}

void Simplifier::convertSegment(std::u16string_view segment, std::u16string& out) const {
    if (segment.empty()) return;
    if (m_plan.steps.empty()) {
        out.append(segment);
        return;
    }
    std::u16string current;
    std::u16string next;
    std::u16string_view input = segment;
    for (std::size_t i = 0; i + 1 < m_plan.steps.size(); ++i) {
        next.clear();
        m_plan.steps[i].convert(input, next);
        current.swap(next);
        input = current;
    }
    m_plan.steps.back().convert(input, out);
}

std::u16string ToSimplified(std::u16string_view line) {
    return Simplifier::shared().convert(line);
}

} // namespace lumarin::engine
