// SPDX-License-Identifier: MIT
#pragma once
// The font object a control's Font property holds: name, size in points (8.25),
// weight, style flags and character set. A change of any attribute notifies the
// listeners with the attribute's name ("Name", "Size", "Bold", ...).

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace lumarin::platform {

class StdFont {
public:
    using Listener = std::function<void(const std::u16string& propertyName)>;

    StdFont(); // the platform's default font
    StdFont(std::u16string name, double sizePoints);

    const std::u16string& Name() const { return m_strName; }
    void Name(const std::u16string& value);
    double Size() const { return m_dblSize; }
    void Size(double points);
    int Weight() const { return m_intWeight; }
    void Weight(int value);
    bool Bold() const { return m_intWeight >= 700; }
    void Bold(bool value);
    bool Italic() const { return m_blnItalic; }
    void Italic(bool value);
    bool Underline() const { return m_blnUnderline; }
    void Underline(bool value);
    bool Strikethrough() const { return m_blnStrikethrough; }
    void Strikethrough(bool value);
    int Charset() const { return m_intCharset; }
    void Charset(int value);

    // Returns a token for RemoveListener.
    int AddListener(Listener listener);
    void RemoveListener(int token);

    std::shared_ptr<StdFont> Clone() const;
    bool SameAs(const StdFont& other) const; // all attributes equal

private:
    void notify(const std::u16string& propertyName);

    std::u16string m_strName;
    double m_dblSize;
    int m_intWeight = 400;
    bool m_blnItalic = false;
    bool m_blnUnderline = false;
    bool m_blnStrikethrough = false;
    int m_intCharset = 0;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextToken = 1;
};

} // namespace lumarin::platform
