// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace lumarin::cli {

// Writes one JSON document to a stream, placing the commas itself. Strings are UTF-8 and are
// written as they are apart from the escapes JSON requires.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out);

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view name);
    void String(std::string_view utf8);
    void Number(std::int64_t value);
    void Bool(bool value);
    void Null();

private:
    void BeforeValue();
    void WriteQuoted(std::string_view utf8);

    std::ostream& m_out;
    // One entry per open object or array: whether it holds a value already.
    std::vector<bool> m_hasValue;
    bool m_afterKey = false;
};

} // namespace lumarin::cli
