#include "engine/ChineseNumber.h"

#include "engine/TextUtil.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace lumarin::engine {
namespace {

constexpr std::u16string_view kChineseDigits = u"一二三四五六七八九";
constexpr std::u16string_view kFullWidthDigits = u"１２３４５６７８９";
constexpr std::u16string_view kZeroSigns = u"零○０";

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The rewrite chain: after it each remaining Chinese digit stands for one
// decimal digit; 十 and 百 only mark where zeros were added at the end.
std::u16string RewriteNumerals(std::u16string_view text) {
    std::u16string t(TrimSpaces(text));
    if (!t.empty() && t.front() == u'十') t = u"1" + t;
    if (!t.empty() && t.back() == u'十') t += u'0';
    if (!t.empty() && t.back() == u'百') t += u"00";
    for (std::size_t i = 0; i < 9; ++i) {
        const std::u16string digit(1, static_cast<char16_t>(u'1' + i));
        t = ReplaceAll(t, kChineseDigits.substr(i, 1), digit);
        t = ReplaceAll(t, kFullWidthDigits.substr(i, 1), digit);
    }
    for (std::size_t i = 0; i < kZeroSigns.size(); ++i)
        t = ReplaceAll(t, kZeroSigns.substr(i, 1), u"0");
    t = RemoveAll(t, u"十");
    t = RemoveAll(t, u"百");
    return ReplaceAll(t, u"两", u"2");
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

std::int16_t ParseChineseNumber(std::u16string_view text) {
    const double value = RoundHalfEven(ReadLeadingNumber(RewriteNumerals(text)));
    if (!(value >= -32768.0 && value <= 32767.0)) return 0;
    return static_cast<std::int16_t>(value);
}

std::int32_t ReadCountField(std::u16string_view text) {
    const double value = std::fabs(RoundHalfEven(ReadLeadingNumber(text)));
    return value > 32767.0 ? 32767 : static_cast<std::int32_t>(value);
}

} // namespace lumarin::engine
