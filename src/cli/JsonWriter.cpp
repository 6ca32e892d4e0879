// SPDX-License-Identifier: MIT
#include "cli/JsonWriter.h"

#include <array>

namespace lumarin::cli {

JsonWriter::JsonWriter(std::ostream& out) : m_out(out) {}

void JsonWriter::BeginObject() {
    BeforeValue();
    m_out << '{';
    m_hasValue.push_back(false);
}

void JsonWriter::EndObject() {
    m_hasValue.pop_back();
    m_out << '}';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    m_out << '[';
    m_hasValue.push_back(false);
}

void JsonWriter::EndArray() {
    m_hasValue.pop_back();
    m_out << ']';
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    WriteQuoted(name);
    m_out << ':';
    m_afterKey = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    WriteQuoted(utf8);
}

void JsonWriter::Number(std::int64_t value) {
    BeforeValue();
    m_out << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    m_out << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    m_out << "null";
}

void JsonWriter::BeforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasValue.empty()) {
        if (m_hasValue.back()) {
            m_out << ',';
        }
        m_hasValue.back() = true;
    }
}

void JsonWriter::WriteQuoted(std::string_view utf8) {
    static constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    m_out << '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            m_out << "\\\"";
            break;
        case '\\':
            m_out << "\\\\";
            break;
        case '\n':
            m_out << "\\n";
            break;
        case '\r':
            m_out << "\\r";
            break;
        case '\t':
            m_out << "\\t";
            break;
        default:
            if (byte < 0x20) {
                m_out << "\\u00" << kHex[byte >> 4] << kHex[byte & 0xF];
            } else {
                m_out << c;
            }
        }
    }
    m_out << '"';
}

} // namespace lumarin::cli
