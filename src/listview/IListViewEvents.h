// SPDX-License-Identifier: MIT
#pragma once
// The events of ListView, in their declared order. An owner derives from this
// interface, overrides the events it handles and passes itself to
// ListView::EventSink. Events are raised synchronously; parameters taken by
// non-const reference may be changed by the handler and the control sees the
// change.

#include "platform/DataObject.h"

#include <cstdint>

namespace lumarin::listview {

// The Button and Shift arguments of the mouse and key events are bit sets.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;
inline constexpr std::int16_t kShiftMask = 1;
inline constexpr std::int16_t kCtrlMask = 2;
inline constexpr std::int16_t kAltMask = 4;

class IListViewEvents {
public:
    virtual ~IListViewEvents() = default;

    virtual void ItemsMoved() {}
    virtual void RedrawingDone() {}
    virtual void DblClick(std::int32_t /*ItemIndex*/) {}
    virtual void Click(std::int32_t /*ItemIndex*/) {}
    virtual void ColumnClick(std::int32_t /*ColumnIndex*/) {}
    virtual void MouseDown(std::int32_t /*ItemIndex*/, std::int16_t /*MouseButton*/,
                           std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void MouseUp(std::int32_t /*ItemIndex*/, std::int16_t /*MouseButton*/,
                         std::int16_t /*Shift*/, float /*X*/, float /*Y*/) {}
    virtual void KeyDown(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
    virtual void KeyUp(std::int16_t& /*KeyCode*/, std::int16_t& /*Shift*/) {}
    virtual void KeyPress(std::int16_t& /*KeyAscii*/) {}
    virtual void ItemCheck(std::int32_t /*ItemIndex*/) {}
    virtual void OLEDragDrop(platform::DataObject& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*MouseButton*/, std::int16_t& /*Shift*/, float& /*X*/,
                             float& /*Y*/) {}
    virtual void OLEDragOver(platform::DataObject& /*Data*/, std::int32_t& /*Effect*/,
                             std::int16_t& /*Button*/, std::int16_t& /*Shift*/, float& /*X*/,
                             float& /*Y*/, std::int16_t& /*state*/) {}
    virtual void OLECompleteDrag(std::int32_t& /*Effect*/) {}
    virtual void OLEGiveFeedback(std::int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    virtual void OLESetData(platform::DataObject& /*Data*/, std::int16_t& /*DataFormat*/) {}
    virtual void OLEStartDrag(platform::DataObject& /*Data*/, std::int32_t& /*AllowedEffects*/) {}
};

} // namespace lumarin::listview
