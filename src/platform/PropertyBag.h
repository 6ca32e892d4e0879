// SPDX-License-Identifier: MIT
#pragma once
// The stored settings of a control on a form: named values read with a default
// and written with a default (a value equal to its default is not stored).
// Names are matched regardless of letter case.

#include "platform/StdFont.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace lumarin::platform {

using PropertyValue = std::variant<std::int32_t, bool, std::u16string, std::shared_ptr<StdFont>>;

class PropertyBag {
public:
    PropertyValue ReadProperty(const std::u16string& name, const PropertyValue& defaultValue) const;
    void WriteProperty(const std::u16string& name, const PropertyValue& value,
                       const PropertyValue& defaultValue);

    bool Contains(const std::u16string& name) const;
    std::size_t Count() const { return m_values.size(); }
    void Clear() { m_values.clear(); }

private:
    std::map<std::u16string, PropertyValue> m_values; // keyed by lower-case name
};

// Equal values: same kind and same content (fonts compare by attributes).
bool SamePropertyValue(const PropertyValue& a, const PropertyValue& b);

} // namespace lumarin::platform
