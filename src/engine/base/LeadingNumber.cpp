// SPDX-License-Identifier: MIT
#include "engine/base/LeadingNumber.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace lumarin::engine {
namespace {

// The largest count a field holds (a signed 16-bit number, as the fields always had).
constexpr double kMaxCount = 32767.0;

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Collects the characters of the leading number, skipping the blanks that may
// stand anywhere, as ASCII for strtod.
class LeadingNumberScanner {
public:
    explicit LeadingNumberScanner(std::u16string_view text) : m_text(text) {}

    std::string scan() {
        if (peek() == u'+' || peek() == u'-') take();
        const bool intDigits = takeDigits();
        bool fracDigits = false;
        if (peek() == u'.') {
            take();
            fracDigits = takeDigits();
        }
        if (!intDigits && !fracDigits) return {};
        if (peek() == u'e' || peek() == u'E') {
            const std::size_t mark = m_out.size();
            const std::size_t markPos = m_pos;
            take();
            if (peek() == u'+' || peek() == u'-') take();
            if (!takeDigits()) {
                m_out.resize(mark);
                m_pos = markPos;
            }
        }
        return m_out;
    }

private:
    char16_t peek() {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\n'))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : u'\0';
    }

    void take() { m_out += static_cast<char>(m_text[m_pos++]); }

    bool takeDigits() {
        bool any = false;
        while (IsDigit(peek())) {
            take();
            any = true;
        }
        return any;
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
    std::string m_out;
};

} // namespace

double ReadLeadingNumber(std::u16string_view text) {
    const std::string number = LeadingNumberScanner(text).scan();
    if (number.empty()) return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value) {
    // The default floating-point rounding mode rounds ties to even.
    return std::nearbyint(value);
}

std::int32_t ReadCountField(std::u16string_view text) {
    const double value = std::fabs(RoundHalfEven(ReadLeadingNumber(text)));
    return value > kMaxCount ? static_cast<std::int32_t>(kMaxCount)
                             : static_cast<std::int32_t>(value);
}

std::int64_t ReadSizeField(std::u16string_view text) {
    const double value = std::fabs(RoundHalfEven(ReadLeadingNumber(text)));
    return value > 2147483647.0 ? 2147483647 : static_cast<std::int64_t>(value);
}

} // namespace lumarin::engine
