// SPDX-License-Identifier: MIT
#pragma once
// A real ListView in a real platform window, loaded from a stored form with
// plain RGB colours (so no test depends on the desktop's palette), an event
// recorder, and helpers that send the window the messages a user causes.

#include "listview/ListView.h"
#include "platform/Gdi.h"
#include "platform/PropertyBag.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "winplumb/Scrollbars.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace lumarin::listview {

class ListViewTestAccess {
public:
    static platform::HDC BackBuffer(const ListView& lv) { return lv.m_hMemDC; }
    static int HeaderBottom(const ListView& lv) { return lv.m_layout.Header().bottom; }
    static int TextHeight(const ListView& lv) { return lv.m_lngTextHeight; }
    static int TotalWidth(const ListView& lv) { return lv.m_layout.TotalWidth(); }
    static int VisibleRows(const ListView& lv) { return lv.m_layout.VisibleRowCount(); }
    static int ScrollValue(const ListView& lv, int bar) { return lv.m_clsSB->Value(bar); }
    static int ScrollMax(const ListView& lv, int bar) { return lv.m_clsSB->Max(bar); }
    static bool ScrollEnabled(const ListView& lv, int bar) { return lv.m_clsSB->Enabled(bar); }
    static bool ScrollVisible(const ListView& lv, int bar) { return lv.m_clsSB->Visible(bar); }
    static void ScrollTo(ListView& lv, int bar, int value) { lv.m_clsSB->Value(bar, value); }
    // A font height no whole point size reaches at 96 dots per inch.
    static void ForceTextHeight(ListView& lv, int pixels) {
        lv.m_lngTextHeight = pixels;
        lv.Refresh();
    }
};

// Records every event by name with its row or column.
class EventLog : public IListViewEvents {
public:
    std::vector<std::string> calls;
    int redraws = 0;
    std::int16_t cancelKey = -1; // KeyDown sets KeyCode to 0 for this key

    void ItemsMoved() override { calls.push_back("ItemsMoved"); }
    void RedrawingDone() override { ++redraws; }
    void DblClick(std::int32_t i) override { calls.push_back("DblClick " + std::to_string(i)); }
    void Click(std::int32_t i) override { calls.push_back("Click " + std::to_string(i)); }
    void ColumnClick(std::int32_t c) override {
        calls.push_back("ColumnClick " + std::to_string(c));
    }
    void MouseDown(std::int32_t i, std::int16_t b, std::int16_t s, float, float) override {
        calls.push_back("MouseDown " + std::to_string(i) + " " + std::to_string(b) + " " +
                        std::to_string(s));
    }
    void MouseUp(std::int32_t i, std::int16_t, std::int16_t, float, float) override {
        calls.push_back("MouseUp " + std::to_string(i));
    }
    void KeyDown(std::int16_t& code, std::int16_t&) override {
        if (code == cancelKey) code = 0;
    }
    void ItemCheck(std::int32_t i) override { calls.push_back("ItemCheck " + std::to_string(i)); }
    void OLEDragDrop(platform::DataObject& data, std::int32_t& effect, std::int16_t&, std::int16_t&,
                     float&, float&) override {
        calls.push_back("OLEDragDrop " + std::to_string(data.Files().size()));
        effect = platform::vbDropEffectNone;
    }

    bool has(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
};

// Records what the control asks of whoever shows it: pointer shapes and timers.
class ShapeAndTimerHost final : public platform::IWindowHost {
public:
    void invalidated() override {}
    void surfaceChanged() override {}
    void scrollBarsChanged() override {}
    void frameChanged() override {}
    void focusRequested() override {}
    void captureChanged(bool) override {}
    void cursorChanged(platform::HCURSOR cursor) override { cursors.push_back(cursor); }
    void topMostChanged(bool) override {}
    void timerStarted(platform::UINT_PTR id, platform::UINT elapseMs) override {
        timers.emplace_back(id, elapseMs);
    }
    void timerStopped(platform::UINT_PTR) override {}
    platform::POINT screenOrigin() const override { return platform::POINT{}; }

    std::vector<platform::HCURSOR> cursors;
    std::vector<std::pair<platform::UINT_PTR, platform::UINT>> timers;
};

inline constexpr platform::COLORREF kBack = platform::RGB(255, 255, 255);
inline constexpr platform::COLORREF kFore = platform::RGB(0, 0, 0);
inline constexpr platform::COLORREF kSelBack = platform::RGB(0, 0, 160);
inline constexpr platform::COLORREF kSelFore = platform::RGB(255, 255, 0);
inline constexpr platform::COLORREF kFocus = platform::RGB(255, 0, 0);
inline constexpr platform::COLORREF kCheck = platform::RGB(0, 128, 0);
inline constexpr platform::COLORREF kCheckSel = platform::RGB(0, 255, 255);

class ListViewFixture : public ::testing::Test {
protected:
    // A top-level window of this size; the client is smaller by the border
    // and the vertical bar.
    static constexpr int kWindowWidth = 320;
    static constexpr int kWindowHeight = 240;

    void SetUp() override {
        lv = std::make_unique<ListView>(0, 0, 0, kWindowWidth, kWindowHeight);
        platform::PropertyBag bag;
        const auto rgb = [](platform::COLORREF c) { return static_cast<std::int32_t>(c); };
        const platform::PropertyValue unset = std::int32_t{-2};
        bag.WriteProperty(u"BackColor", rgb(kBack), unset);
        bag.WriteProperty(u"ForeColor", rgb(kFore), unset);
        bag.WriteProperty(u"SelectedBackColor", rgb(kSelBack), unset);
        bag.WriteProperty(u"SelectedForeColor", rgb(kSelFore), unset);
        bag.WriteProperty(u"FocusRectColor", rgb(kFocus), unset);
        bag.WriteProperty(u"CheckboxColor", rgb(kCheck), unset);
        bag.WriteProperty(u"CheckboxSelectedColor", rgb(kCheckSel), unset);
        lv->LoadStoredProperties(bag);
        lv->EventSink(&events);
    }

    void TearDown() override {
        lv->EventSink(nullptr);
        lv.reset();
    }

    platform::HWND hwnd() const { return lv->hWnd(); }

    platform::RECT Client() const {
        platform::RECT rc;
        platform::GetClientRect(hwnd(), &rc);
        return rc;
    }

    // Columns of the given widths, keys "c0", "c1" ..., and `rows` rows whose
    // column-0 text is "row N".
    void Fill(std::vector<int> widths, int rows) {
        lv->Redraw(false);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const std::u16string key = u"c" + std::u16string(1, static_cast<char16_t>(u'0' + c));
            lv->AddColumn(key, key, 0, widths[c]);
        }
        for (int r = 0; r < rows; ++r) {
            std::u16string text = u"row ";
            for (char ch : std::to_string(r))
                text += static_cast<char16_t>(ch);
            lv->AddItem(-1, text);
        }
        lv->Redraw(true);
    }

    platform::COLORREF Pixel(int x, int y) const {
        const platform::PixelBuffer* pixels =
            platform::GetDCPixels(ListViewTestAccess::BackBuffer(*lv));
        EXPECT_NE(pixels, nullptr);
        if (pixels == nullptr || !pixels->contains(x, y)) return 0xFFFFFFFFu;
        return platform::FromPixel(pixels->at(x, y));
    }

    bool AnyPixelOtherThan(platform::RECT r, platform::COLORREF colour) const {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (Pixel(x, y) != colour) return true;
        return false;
    }

    int RowTop(int row) const {
        return ListViewTestAccess::HeaderBottom(*lv) + row * lv->ItemHeight();
    }

    // ---- messages a user causes ----
    void Send(platform::UINT msg, platform::WPARAM wParam, int x, int y) {
        platform::SendMessage(
            hwnd(), msg, wParam,
            platform::MAKELPARAM(static_cast<platform::WORD>(x), static_cast<platform::WORD>(y)));
    }
    void Press(int x, int y, platform::WPARAM keys = 0) {
        Send(platform::WM_LBUTTONDOWN, platform::MK_LBUTTON | keys, x, y);
    }
    void Drag(int x, int y) { Send(platform::WM_MOUSEMOVE, platform::MK_LBUTTON, x, y); }
    void Hover(int x, int y) { Send(platform::WM_MOUSEMOVE, 0, x, y); }
    void Release(int x, int y) { Send(platform::WM_LBUTTONUP, 0, x, y); }
    void Click(int x, int y, platform::WPARAM keys = 0) {
        Press(x, y, keys);
        Release(x, y);
    }
    void Key(platform::UINT vk) {
        platform::SendMessage(hwnd(), platform::WM_KEYDOWN, vk, 0);
        platform::SendMessage(hwnd(), platform::WM_KEYUP, vk, 0);
    }
    // The modifier is held (the key state says so) while the key goes down and up.
    void KeyWith(platform::UINT modifier, platform::UINT vk) {
        platform::SetKeyState(static_cast<int>(modifier), true);
        platform::SendMessage(hwnd(), platform::WM_KEYDOWN, modifier, 0);
        Key(vk);
        platform::SetKeyState(static_cast<int>(modifier), false);
        platform::SendMessage(hwnd(), platform::WM_KEYUP, modifier, 0);
    }
    void Wheel(int notches) {
        platform::SendMessage(hwnd(), platform::WM_MOUSEWHEEL,
                              platform::MAKEWPARAM(0, static_cast<platform::WORD>(-120 * notches)),
                              0);
    }
    // The pointer, in client coordinates, as the window system reports it.
    void PointerAt(int x, int y) {
        platform::POINT pt{x, y};
        platform::ClientToScreen(hwnd(), &pt);
        platform::SetCurrentCursorPos(pt);
    }

    int VScroll() const { return ListViewTestAccess::ScrollValue(*lv, 1); }
    int HScroll() const { return ListViewTestAccess::ScrollValue(*lv, 0); }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        for (int r = 0; r < lv->ItemCount(); ++r)
            if (lv->ItemSelected(r)) rows.push_back(r);
        return rows;
    }

    EventLog events;
    std::unique_ptr<ListView> lv;
};

} // namespace lumarin::listview
