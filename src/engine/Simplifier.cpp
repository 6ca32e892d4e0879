#include "engine/Simplifier.h"

#include "engine/EngineError.h"
#include "engine/TextUtil.h"

#include <opencc/opencc.h>
#include <unicode/utf16.h>

namespace lumarin::engine {
namespace {

constexpr const char* kConfig = "t2s.json";

opencc_t Handle(void* handle) {
    return static_cast<opencc_t>(handle);
}

bool IsLoneSurrogate(std::u16string_view text, std::size_t i) {
    const char16_t unit = text[i];
    if (U16_IS_LEAD(unit)) return i + 1 >= text.size() || !U16_IS_TRAIL(text[i + 1]);
    if (U16_IS_TRAIL(unit)) return i == 0 || !U16_IS_LEAD(text[i - 1]);
    return false;
}

} // namespace

Simplifier::Simplifier() : m_handle(opencc_open(kConfig)) {
    if (m_handle == reinterpret_cast<void*>(-1)) {
        const char* reason = opencc_error();
        throw EngineError::readFailed(kConfig, reason != nullptr ? reason : "OpenCC");
    }
}

Simplifier::~Simplifier() {
    opencc_close(Handle(m_handle));
}

void Simplifier::convertSegment(std::u16string_view segment, std::u16string& out) {
    if (segment.empty()) return;
    m_utf8 = ToUtf8(segment);
    char* converted = opencc_convert_utf8(Handle(m_handle), m_utf8.data(), m_utf8.size());
    if (converted == nullptr) {
        out.append(segment); // nothing to convert rather than a lost line
        return;
    }
    out += FromUtf8(converted);
    opencc_convert_utf8_free(converted);
}

std::u16string Simplifier::convert(std::u16string_view line) {
    // Lone surrogates (carried bytes among them) have no UTF-8 form: convert
    // the text around them and keep them where they stand.
    std::u16string out;
    out.reserve(line.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!IsLoneSurrogate(line, i)) continue;
        convertSegment(line.substr(start, i - start), out);
        out.push_back(line[i]);
        start = i + 1;
    }
    convertSegment(line.substr(start), out);
    return out;
}

std::u16string ToSimplified(std::u16string_view line) {
    static Simplifier simplifier;
    return simplifier.convert(line);
}

} // namespace lumarin::engine
