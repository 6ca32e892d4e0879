// SPDX-License-Identifier: MIT
// Birth and end of the control, and its stored settings: what it creates,
// the defaults of a new placement, the 23 stored properties read and written
// in a fixed order, and what it releases at the end.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "winplumb/Scrollbars.h"

#include <functional>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <vector>

namespace lumarin::listview {

using namespace lumarin::platform;

namespace {

constexpr std::int32_t kDefaultBackColor = OleSystemColor(COLOR_WINDOW);
constexpr std::int32_t kDefaultForeColor = OleSystemColor(COLOR_WINDOWTEXT);
constexpr std::int32_t kDefaultSelectedBackColor = OleSystemColor(COLOR_HIGHLIGHT);
constexpr std::int32_t kDefaultSelectedForeColor = OleSystemColor(COLOR_HIGHLIGHTTEXT);
constexpr std::int32_t kDefaultFocusRectColor = OleSystemColor(COLOR_HIGHLIGHT);
constexpr std::int32_t kDefaultCheckboxColor = 0x000000;
constexpr std::int32_t kDefaultCheckboxSelectedColor = 0xFFFFFF;
constexpr std::int32_t kVerticalPage = 10;

// A stored value of another kind than expected (a hand-edited form) reads as
// the default rather than failing the whole load.
std::int32_t AsInt(const PropertyValue& value, std::int32_t fallback) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
    if (const auto* flag = std::get_if<bool>(&value)) return *flag ? -1 : 0;
    return fallback;
}

bool AsBool(const PropertyValue& value, bool fallback) {
    if (const auto* flag = std::get_if<bool>(&value)) return *flag;
    if (const auto* number = std::get_if<std::int32_t>(&value)) return *number != 0;
    return fallback;
}

template <class T> T Convert(const PropertyValue& value, T fallback) {
    if constexpr (std::is_same_v<T, bool>)
        return AsBool(value, fallback);
    else
        return AsInt(value, fallback);
}

// One stored property other than "Font": its name, its default, and how it is
// read from and given to the control (through the property, with its follow-up).
struct StoredProperty {
    const char16_t* name;
    PropertyValue defaultValue;
    std::function<PropertyValue(const ListView&)> read;
    std::function<void(ListView&, const PropertyValue&)> write;
};

template <class T>
StoredProperty Stored(const char16_t* name, T defaultValue, T (ListView::*get)() const,
                      void (ListView::*set)(T)) {
    return {name, PropertyValue(defaultValue),
            [get](const ListView& lv) { return PropertyValue((lv.*get)()); },
            [set, defaultValue](ListView& lv, const PropertyValue& v) {
                (lv.*set)(Convert<T>(v, defaultValue));
            }};
}

// In the order the stored form is read and written; "Font" is stored
// property 11, between BorderStyle and ColumnsVisible.
const std::vector<StoredProperty>& StoredProperties() {
    using LV = ListView;
    static const std::vector<StoredProperty> table = {
        Stored(u"BackColor", kDefaultBackColor, &LV::BackColor, &LV::BackColor),
        Stored(u"ForeColor", kDefaultForeColor, &LV::ForeColor, &LV::ForeColor),
        Stored(u"SelectedBackColor", kDefaultSelectedBackColor, &LV::SelectedBackColor,
               &LV::SelectedBackColor),
        Stored(u"SelectedForeColor", kDefaultSelectedForeColor, &LV::SelectedForeColor,
               &LV::SelectedForeColor),
        Stored(u"FocusRectColor", kDefaultFocusRectColor, &LV::FocusRectColor, &LV::FocusRectColor),
        Stored(u"Reorder", true, &LV::Reorder, &LV::Reorder),
        Stored(u"MultiSelect", true, &LV::MultiSelect, &LV::MultiSelect),
        Stored(u"ColumnsAutoSize", false, &LV::ColumnsAutoSize, &LV::ColumnsAutoSize),
        Stored(u"Enabled", true, &LV::Enabled, &LV::Enabled),
        Stored(u"BorderStyle", std::int32_t{1}, &LV::BorderStyle, &LV::BorderStyle),
        Stored(u"ColumnsVisible", true, &LV::ColumnsVisible, &LV::ColumnsVisible),
        Stored(u"SolidFocusRect", true, &LV::SolidFocusRect, &LV::SolidFocusRect),
        Stored(u"OLEDropMode", std::int32_t{0}, &LV::OLEDropMode, &LV::OLEDropMode),
        Stored(u"Checkboxes", false, &LV::Checkboxes, &LV::Checkboxes),
        Stored(u"CheckboxColor", kDefaultCheckboxColor, &LV::CheckboxColor, &LV::CheckboxColor),
        Stored(u"CheckboxSelectedColor", kDefaultCheckboxSelectedColor, &LV::CheckboxSelectedColor,
               &LV::CheckboxSelectedColor),
        Stored(u"ItemPaddingTop", std::int32_t{4}, &LV::ItemPaddingTop, &LV::ItemPaddingTop),
        Stored(u"ItemPaddingBottom", std::int32_t{4}, &LV::ItemPaddingBottom,
               &LV::ItemPaddingBottom),
        Stored(u"ItemPaddingLeft", std::int32_t{4}, &LV::ItemPaddingLeft, &LV::ItemPaddingLeft),
        Stored(u"ItemPaddingRight", std::int32_t{5}, &LV::ItemPaddingRight, &LV::ItemPaddingRight),
        Stored(u"ItemsAutoSize", true, &LV::ItemsAutoSize, &LV::ItemsAutoSize),
        Stored(u"Sortable", true, &LV::Sortable, &LV::Sortable),
    };
    return table;
}

constexpr std::size_t kFontPosition = 10; // "Font" is read and written before entry 10
constexpr char16_t kFontName[] = u"Font";

const StoredProperty& StoredPropertyNamed(std::u16string_view name) {
    for (const StoredProperty& p : StoredProperties())
        if (name == p.name) return p;
    throw std::logic_error("no stored property of that name");
}

// A property's default, from the table.
template <class T> T DefaultOf(std::u16string_view name) {
    return Convert<T>(StoredPropertyNamed(name).defaultValue, T{});
}

} // namespace

void ListView::InitializeControl() {
    m_clsSB = std::make_shared<winplumb::Scrollbars>();
    ConnectScrollbarEvents();
    ConnectFont(nullptr);
    m_clsDrawCallback = this;
    // The nine Color members exist with the object and hold no colour yet.
    m_lngSelectedItem = -1;
    m_blnRedraw = true;
    // Before any placement is loaded the row paddings and the two sorting and
    // sizing switches already have their defaults; everything else waits.
    m_lngItemPaddingBottom = DefaultOf<std::int32_t>(u"ItemPaddingBottom");
    m_lngItemPaddingLeft = DefaultOf<std::int32_t>(u"ItemPaddingLeft");
    m_lngItemPaddingRight = DefaultOf<std::int32_t>(u"ItemPaddingRight");
    m_lngItemPaddingTop = DefaultOf<std::int32_t>(u"ItemPaddingTop");
    m_blnItemsAutoSize = DefaultOf<bool>(u"ItemsAutoSize");
    m_blnSortable = DefaultOf<bool>(u"Sortable");
}

void ListView::ConnectScrollbarEvents() {
    // Any movement of either bar, by the user or by code, shows the new view.
    m_clsSB->ScrollClick = [this](int&, int&) { PaintControl(); };
    m_clsSB->Scroll = [this](int&) { PaintControl(); };
    m_clsSB->Change = [this](int&) { PaintControl(); };
}

void ListView::ApplyDefaultProperties() {
    // Through the properties, with their follow-ups, in this order; the drop
    // mode and ItemsAutoSize keep what they have, Sortable is set quietly.
    for (const char16_t* name :
         {u"BackColor", u"ForeColor", u"SelectedBackColor", u"SelectedForeColor", u"FocusRectColor",
          u"CheckboxColor", u"CheckboxSelectedColor", u"Reorder", u"MultiSelect",
          u"ColumnsAutoSize", u"ColumnsVisible", u"Enabled", u"BorderStyle", u"SolidFocusRect",
          u"Checkboxes", u"ItemPaddingBottom", u"ItemPaddingLeft", u"ItemPaddingRight",
          u"ItemPaddingTop"}) {
        const StoredProperty& p = StoredPropertyNamed(name);
        p.write(*this, p.defaultValue);
    }
    m_blnSortable = DefaultOf<bool>(u"Sortable");
}

void ListView::LoadStoredProperties(const PropertyBag& PropBag) {
    // This program always runs its forms; there is no designer in which the
    // bars would stay unattached.
    m_clsSB->Create(m_hWnd);
    m_clsSB->Orientation(winplumb::efoBoth);
    m_clsSB->Visible(SB_VERT, true);
    m_clsSB->Visible(SB_HORZ, true);
    m_clsSB->Enabled(SB_HORZ, true);
    m_clsSB->Enabled(SB_VERT, false);
    m_clsSB->LargeChange(SB_VERT, kVerticalPage); // never changed afterwards

    Redraw(false);
    CreateBackBuffer();

    const auto& table = StoredProperties();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i == kFontPosition) LoadStoredFont(PropBag);
        const StoredProperty& p = table[i];
        p.write(*this, PropBag.ReadProperty(p.name, p.defaultValue));
    }

    CreateListFont();
    Redraw(true);
}

void ListView::LoadStoredFont(const PropertyBag& PropBag) {
    const PropertyValue stored =
        PropBag.ReadProperty(kFontName, PropertyValue(std::shared_ptr<StdFont>{}));
    const auto* font = std::get_if<std::shared_ptr<StdFont>>(&stored);
    // The control gets a font of its own: the form keeps its stored copy.
    ConnectFont(font != nullptr && *font ? (*font)->Clone() : std::make_shared<StdFont>());
}

void ListView::SaveStoredProperties(PropertyBag& PropBag) const {
    const auto& table = StoredProperties();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i == kFontPosition)
            PropBag.WriteProperty(kFontName, PropertyValue(m_clsFont),
                                  PropertyValue(std::make_shared<StdFont>()));
        const StoredProperty& p = table[i];
        PropBag.WriteProperty(p.name, p.read(*this), p.defaultValue);
    }
}

void ListView::TerminateControl() {
    StopMoveTimer();
    if (m_hMemDC != 0) {
        if (m_hBackBitmap != 0) {
            SelectObject(m_hMemDC, m_hInitialBitmap);
            DeleteObject(m_hBackBitmap);
            m_hBackBitmap = 0;
        }
        if (m_hFont != 0) {
            SelectObject(m_hMemDC, m_hInitialFont);
            DeleteObject(m_hFont);
            m_hFont = 0;
        }
        // The FocusRectColor pen must not stay selected when its Color ends.
        SelectObject(m_hMemDC, m_hInitialPen);
        DeleteDC(m_hMemDC);
        m_hMemDC = 0;
    } else if (m_hFont != 0) {
        DeleteObject(m_hFont); // a font built without a back buffer
        m_hFont = 0;
    }

    m_clsSelectedForeColor.Dispose();
    m_clsSelectedBackColor.Dispose();
    m_clsFocusRectColor.Dispose();
    m_clsForeColor.Dispose();
    m_clsBackColor.Dispose();
    m_clsCustomBack.Dispose();
    m_clsCustomFore.Dispose();
    m_clsCheckboxColor.Dispose();
    m_clsCheckboxSelectedColor.Dispose();

    DisconnectFont();

    if (m_clsSB) m_clsSB->Terminate();
    m_clsSB.reset();
}

} // namespace lumarin::listview
