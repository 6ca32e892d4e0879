// SPDX-License-Identifier: MIT
#include "platform/PropertyBag.h"

#include "platform/WindowTable.h"

#include <stdexcept>

namespace lumarin::platform {

namespace {

// Fonts are objects with listeners: the store keeps its own copy so that later
// changes of the caller's font do not leak into the stored form, and the reverse.
PropertyValue Detached(const PropertyValue& value) {
    if (const auto* font = std::get_if<std::shared_ptr<StdFont>>(&value); font && *font) {
        return (*font)->Clone();
    }
    return value;
}

} // namespace

PropertyValue PropertyBag::ReadProperty(const std::u16string& name,
                                        const PropertyValue& defaultValue) const {
    const auto it = m_values.find(FoldCase(name));
    return it != m_values.end() ? Detached(it->second) : defaultValue;
}

void PropertyBag::WriteProperty(const std::u16string& name, const PropertyValue& value,
                                const PropertyValue& defaultValue) {
    if (name.empty()) throw std::invalid_argument("a stored property needs a name");
    const std::u16string key = FoldCase(name);
    if (SamePropertyValue(value, defaultValue)) {
        m_values.erase(key);
        return;
    }
    m_values.insert_or_assign(key, Detached(value));
}

bool PropertyBag::Contains(const std::u16string& name) const {
    return m_values.contains(FoldCase(name));
}

bool SamePropertyValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() != b.index()) return false;
    if (const auto* fa = std::get_if<std::shared_ptr<StdFont>>(&a)) {
        const auto& fb = std::get<std::shared_ptr<StdFont>>(b);
        if (!*fa || !fb) return !*fa && !fb;
        return (*fa)->SameAs(*fb);
    }
    return a == b;
}

} // namespace lumarin::platform
