#include "engine/HeadingStarts.h"

namespace lumarin::engine {
namespace {

// Every character a built-in rule's heading or a near miss can begin with.
constexpr std::u16string_view kStartCharacters =
    u"第序楔引前番尾终終后後完0123456789０１２３４５６７８９零〇○一二两三四五六七八九十百千"
    u"（(【〖[〔「『=☆★◆◇●■□※#*CcSsPp";

bool IsLineSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

} // namespace

const std::u16string_view kNearMissCondition =
    u"^\\h*(?:第\\h*[0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]"
    u"[\\h0-9０-９零〇○一二两三四五六七八九十百千万壹贰叁肆伍陆柒捌玖拾佰仟萬貳參陸兩]*\\S"
    u"|序章|序言|序幕|楔子|引子|引言|前言|番外|尾声|尾聲|终章|終章|后记|後記|完本感言"
    u"|(?:chapter|section)\\h*[0-9０-９]|[0-9０-９]+\\h*[.．、:：)）\\-—\\h])";

HeadingStarts::HeadingStarts(Encoding encoding) {
    LineCodec codec(encoding);
    for (const char16_t c : kStartCharacters) {
        std::string form;
        codec.encode(std::u16string_view(&c, 1), form);
        if (!form.empty()) m_starts[static_cast<unsigned char>(form[0])].push_back(form);
    }
    std::string space;
    codec.encode(u"\u3000", space);
    if (!space.empty()) m_ideographicSpace.push_back(space);
}

bool HeadingStarts::matchesAt(std::string_view raw, std::size_t pos,
                              const std::vector<std::string>& forms, std::size_t& length) const {
    for (const std::string& form : forms) {
        if (raw.compare(pos, form.size(), form) == 0) {
            length = form.size();
            return true;
        }
    }
    return false;
}

bool HeadingStarts::mayStartHeading(std::string_view raw) const {
    std::size_t pos = 0;
    std::size_t length = 0;
    while (pos < raw.size()) {
        if (raw[pos] == ' ' || raw[pos] == '\t') {
            ++pos;
        } else if (matchesAt(raw, pos, m_ideographicSpace, length)) {
            pos += length;
        } else {
            return matchesAt(raw, pos, m_starts[static_cast<unsigned char>(raw[pos])], length);
        }
    }
    return false;
}

bool HeadingStarts::mayStartHeading(std::u16string_view text) {
    for (const char16_t c : text) {
        if (!IsLineSpace(c)) return kStartCharacters.find(c) != std::u16string_view::npos;
    }
    return false;
}

} // namespace lumarin::engine
