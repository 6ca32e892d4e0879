#include "listview/ListViewError.h"

namespace lumarin::listview {

namespace {

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

ListViewError::ListViewError(std::int32_t number, std::u16string description)
    : m_lngNumber(number), m_strDescription(std::move(description)),
      m_strWhat("Error " + std::to_string(number) + ": " + ToUtf8(m_strDescription)) {}

std::u16string ErrorDescription(std::int32_t number) {
    switch (number) {
    case ERR_OVERFLOW:
        return u"Overflow";
    case ERR_SUBSCRIPT:
        return u"Subscript out of range";
    case ERR_NO_COLUMNS:
        return u"can not add items when there are no columns";
    case ERR_HAS_ITEMS:
        return u"can not add or remove columns when there are items";
    case ERR_NO_OBJECT:
        return u"Object reference not set";
    case ERR_DUPLICATE_KEY:
        return u"Objekt nicht eindeutig in Aufz\u92D2lung!";
    default:
        return u"Application-defined or object-defined error";
    }
}

void RaiseError(std::int32_t number) {
    throw ListViewError(number, ErrorDescription(number));
}

} // namespace lumarin::listview
