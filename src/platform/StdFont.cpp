// SPDX-License-Identifier: MIT
#include "platform/StdFont.h"

#include "platform/WindowTable.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace lumarin::platform {

namespace {

constexpr double kDefaultSize = 8.25;
const std::u16string kDefaultName = u"Sans Serif";

double CheckedSize(double points) {
    if (!std::isfinite(points) || points <= 0) {
        throw std::invalid_argument("font size must be a positive number of points");
    }
    return points;
}

const std::u16string& CheckedName(const std::u16string& name) {
    if (name.empty()) throw std::invalid_argument("font name must not be empty");
    return name;
}

std::u16string ValidName(std::u16string name) {
    CheckedName(name);
    return name;
}

// Stores the value; true when that changed anything (and listeners must hear it).
template <typename T> bool Assign(T& member, const T& value) {
    if (member == value) return false;
    member = value;
    return true;
}

} // namespace

StdFont::StdFont() : StdFont(kDefaultName, kDefaultSize) {}

StdFont::StdFont(std::u16string name, double sizePoints)
    : m_strName(ValidName(std::move(name))), m_dblSize(CheckedSize(sizePoints)) {}

void StdFont::Name(const std::u16string& value) {
    if (Assign(m_strName, CheckedName(value))) notify(u"Name");
}

void StdFont::Size(double points) {
    if (Assign(m_dblSize, CheckedSize(points))) notify(u"Size");
}

void StdFont::Weight(int value) {
    if (value < 0 || value > 1000) throw std::invalid_argument("font weight must be 0 to 1000");
    if (Assign(m_intWeight, value)) notify(u"Weight");
}

void StdFont::Bold(bool value) {
    if (value == Bold()) return;
    m_intWeight = value ? 700 : 400;
    notify(u"Bold");
}

void StdFont::Italic(bool value) {
    if (Assign(m_blnItalic, value)) notify(u"Italic");
}

void StdFont::Underline(bool value) {
    if (Assign(m_blnUnderline, value)) notify(u"Underline");
}

void StdFont::Strikethrough(bool value) {
    if (Assign(m_blnStrikethrough, value)) notify(u"Strikethrough");
}

void StdFont::Charset(int value) {
    if (value < 0 || value > 255) throw std::invalid_argument("character set must be 0 to 255");
    if (Assign(m_intCharset, value)) notify(u"Charset");
}

int StdFont::AddListener(Listener listener) {
    const int token = m_nextToken++;
    m_listeners.emplace_back(token, std::move(listener));
    return token;
}

void StdFont::RemoveListener(int token) {
    std::erase_if(m_listeners, [token](const auto& entry) { return entry.first == token; });
}

std::shared_ptr<StdFont> StdFont::Clone() const {
    auto copy = std::make_shared<StdFont>(m_strName, m_dblSize);
    copy->m_intWeight = m_intWeight;
    copy->m_blnItalic = m_blnItalic;
    copy->m_blnUnderline = m_blnUnderline;
    copy->m_blnStrikethrough = m_blnStrikethrough;
    copy->m_intCharset = m_intCharset;
    return copy;
}

bool StdFont::SameAs(const StdFont& other) const {
    return FoldCase(m_strName) == FoldCase(other.m_strName) && m_dblSize == other.m_dblSize &&
           m_intWeight == other.m_intWeight && m_blnItalic == other.m_blnItalic &&
           m_blnUnderline == other.m_blnUnderline &&
           m_blnStrikethrough == other.m_blnStrikethrough && m_intCharset == other.m_intCharset;
}

void StdFont::notify(const std::u16string& propertyName) {
    // A listener may add or remove listeners while being told.
    const auto listeners = m_listeners;
    for (const auto& [token, listener] : listeners) {
        if (listener) listener(propertyName);
    }
}

} // namespace lumarin::platform
