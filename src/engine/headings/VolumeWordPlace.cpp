// SPDX-License-Identifier: MIT
#include "engine/headings/VolumeWordPlace.h"

#include "engine/headings/HeadingCondition.h"
#include "engine/headings/Volumes.h"

namespace lumarin::engine {
namespace {

// A longer run of spaces and decoration than this is let through unread:
// the condition decides.
constexpr int kMaxSteps = 64;

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

VolumeWordPlace::VolumeWordPlace(LineCodec& codec) {
    for (const char16_t c : VolumeLeadCharacters())
        for (std::string& form : codec.encodedForms(c)) {
            m_lastBytes[static_cast<unsigned char>(form.back())] = true;
            m_forms.push_back(std::move(form));
        }
}

bool VolumeWordPlace::mayBeginLine(std::string_view block, std::size_t at) const {
    return reachesLineStart(block, at, 0);
}

// Steps back over the characters that may come first, trying each form that
// ends at `at` (two forms of different lengths can end in the same bytes).
bool VolumeWordPlace::reachesLineStart(std::string_view block, std::size_t at, int steps) const {
    if (at == 0 || IsLineEnd(block[at - 1]) || steps > kMaxSteps) return true;
    if (!m_lastBytes[static_cast<unsigned char>(block[at - 1])]) return false;
    for (const std::string& form : m_forms) {
        if (form.back() == block[at - 1] && form.size() <= at &&
            block.compare(at - form.size(), form.size(), form) == 0 &&
            reachesLineStart(block, at - form.size(), steps + 1))
            return true;
    }
    return false;
}

} // namespace lumarin::engine
