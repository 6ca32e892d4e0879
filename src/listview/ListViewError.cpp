// SPDX-License-Identifier: MIT
#include "listview/ListViewError.h"

#include "platform/Utf8.h"

namespace lumarin::listview {

ListViewError::ListViewError(std::int32_t number, std::u16string description)
    : m_lngNumber(number), m_strDescription(std::move(description)),
      m_strWhat("Error " + std::to_string(number) + ": " + platform::Utf8(m_strDescription)) {}

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
