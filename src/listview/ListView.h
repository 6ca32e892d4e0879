// SPDX-License-Identifier: MIT
#pragma once
// The chapter list: an owner-drawn, multi-column list control with check
// boxes, selection, sorting, resizable columns, row dragging and scroll bars.
// It owns a platform window of class "Tessel.ListView"; the window procedure
// finds the object through GWLP_USERDATA.
//
// One class, several source files by concern:
//   ListView.cpp             construction, the window class, message dispatch, border style
//   ListView_Rows.cpp        row members
//   ListView_Columns.cpp     column members, Sort
//   ListView_Properties.cpp  behaviour and appearance properties, ItemHeight, Refresh
//   ListView_Layout.cpp      layout, scroll ranges, back buffer, font
//   (ListLayout)             the geometry painting and hit testing share
//   ListView_Paint.cpp       painting
//   ListView_Mouse.cpp       mouse, hit tests, drag-and-drop forwarding
//   ListView_Keyboard.cpp    keys, focus, MakeSureVisible
//   ListView_Lifecycle.cpp   creation, stored properties, teardown
//   (ListViewAccessible)     what a screen reader is told, and when (NotifyReaders)

#include "listview/Color.h"
#include "listview/ColumnCollection.h"
#include "listview/ICustomDraw.h"
#include "listview/IListViewEvents.h"
#include "listview/ListItemCollection.h"
#include "listview/ListLayout.h"
#include "listview/ListViewAccessible.h"
#include "listview/ListViewError.h"
#include "listview/PositionOrKey.h"
#include "platform/DataObject.h"
#include "platform/PropertyBag.h"
#include "platform/StdFont.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace lumarin::winplumb {
class Scrollbars;
}

namespace lumarin::listview {

inline constexpr char16_t ListViewClassName[] = u"Tessel.ListView";

class ListView : public ICustomDraw {
public:
    // Creates the control's window as a child of hwndParent (0: a top-level window).
    explicit ListView(platform::HWND hwndParent = 0, int x = 0, int y = 0, int width = 200,
                      int height = 150);
    ~ListView() override;
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    platform::HWND hWnd() const { return m_hWnd; }

    // ---- owner connections ----------------------------------------------------
    // The receiver of the 17 events (not owned; nullptr for none).
    void EventSink(IListViewEvents* sink) { m_pEvents = sink; }
    IListViewEvents* EventSink() const { return m_pEvents; }
    // The host's notification that a stored property changed, with its name.
    using PropertyChangedHandler = std::function<void(const std::u16string& propertyName)>;
    void OnPropertyChanged(PropertyChangedHandler handler) {
        m_fnPropertyChanged = std::move(handler);
    }
    // What a screen reader hears of a row beyond its cells' texts.
    void DescribeRowsWith(ListViewAccessible::RowDescriber describer) {
        m_accessible.Describer(std::move(describer));
    }

    // ---- host handlers (ListView_Lifecycle.cpp) ---------------------------------
    void ApplyDefaultProperties();
    void LoadStoredProperties(const platform::PropertyBag& PropBag);
    void SaveStoredProperties(platform::PropertyBag& PropBag) const;

    // ---- rows (ListView_Rows.cpp) -----------------------------------------------
    std::int32_t SelectedItem() const { return m_lngSelectedItem; }
    void SelectedItem(std::int32_t lngVal);
    std::int32_t ItemCount() const { return m_clsItems.ItemCount(); }
    std::int32_t ItemTag(std::int32_t Index) const;
    void ItemTag(std::int32_t Index, std::int32_t lngTag);
    bool ItemSelected(std::int32_t Index) const;
    void ItemSelected(std::int32_t Index, bool blnVal);
    std::u16string ItemText(std::int32_t Index, std::int32_t Column) const;
    void ItemText(std::int32_t Index, std::int32_t Column, const std::u16string& strText);
    bool ItemChecked(std::int32_t Index) const;
    void ItemChecked(std::int32_t Index, bool blnVal);
    std::int32_t AddItem(std::int32_t InsertAt = -1, const std::u16string& strText = {});
    void RemoveItem(std::int32_t Index);
    void MoveItem(std::int32_t IndexFrom, std::int32_t IndexTo);
    void Clear();
    void SelectAll();
    void UnSelectAll();

    // ---- columns (ListView_Columns.cpp) -------------------------------------------
    std::int32_t ColumnIndex(const PositionOrKey& Index) const;
    void RemoveColumn(const PositionOrKey& Index);
    void AddColumn(const std::u16string& key = {}, const std::u16string& Caption = {},
                   std::int32_t TextAlign = 0, std::int32_t Width = 300, bool Resizable = true,
                   bool Visible = true);
    std::int32_t ColumnCount() const { return m_clsColumns.Count(); }
    std::u16string ColumnKey(const PositionOrKey& Index) const;
    bool ColumnVisible(const PositionOrKey& Index) const;
    void ColumnVisible(const PositionOrKey& Index, bool blnVis);
    std::u16string ColumnCaption(const PositionOrKey& Index) const;
    void ColumnCaption(const PositionOrKey& Index, const std::u16string& strCaption);
    std::int32_t ColumnWidth(const PositionOrKey& Index) const;
    void ColumnWidth(const PositionOrKey& Index, std::int32_t lngWidth);
    bool ColumnResizable(const PositionOrKey& Index) const;
    void ColumnResizable(const PositionOrKey& Index, bool blnRes);
    std::int32_t ColumnTextAlign(const PositionOrKey& Index) const;
    void ColumnTextAlign(const PositionOrKey& Index, std::int32_t udeAlign);
    // Sorts the rows by the column ColumnIndex(Index) names; does not redraw.
    void Sort(const PositionOrKey& Index, std::int32_t SortOrder);

    // ---- behaviour and appearance (ListView_Properties.cpp) ------------------------
    bool ColumnsVisible() const { return m_blnColumnsVisible; }
    void ColumnsVisible(bool blnVal);
    bool Sortable() const { return m_blnSortable; }
    void Sortable(bool blnVal);
    bool ItemsAutoSize() const { return m_blnItemsAutoSize; }
    void ItemsAutoSize(bool blnVal);
    std::int32_t ItemPaddingTop() const { return m_lngItemPaddingTop; }
    void ItemPaddingTop(std::int32_t lngVal);
    std::int32_t ItemPaddingBottom() const { return m_lngItemPaddingBottom; }
    void ItemPaddingBottom(std::int32_t lngVal);
    std::int32_t ItemPaddingLeft() const { return m_lngItemPaddingLeft; }
    void ItemPaddingLeft(std::int32_t lngVal);
    std::int32_t ItemPaddingRight() const { return m_lngItemPaddingRight; }
    void ItemPaddingRight(std::int32_t lngVal);
    bool Checkboxes() const { return m_blnCheckboxes; }
    void Checkboxes(bool blnVal);
    std::int32_t OLEDropMode() const { return m_intOLEDropMode; }
    void OLEDropMode(std::int32_t intVal); // error 6 beyond 16 bits
    bool SolidFocusRect() const { return m_blnSolidFocusRect; }
    void SolidFocusRect(bool blnVal);
    ICustomDraw* DrawCallback() const { return m_clsDrawCallback; }
    void DrawCallback(ICustomDraw* cls); // nullptr: the control itself
    std::int32_t BorderStyle() const { return m_udeBorderStyle; }
    void BorderStyle(std::int32_t udeBS);
    bool Enabled() const { return m_blnEnabled; }
    void Enabled(bool blnValue);
    bool ColumnsAutoSize() const { return m_blnColumnsAutoSize; }
    void ColumnsAutoSize(bool blnValue);
    bool Reorder() const { return m_blnReorder; }
    void Reorder(bool blnValue);
    bool MultiSelect() const { return m_blnMultiSelect; }
    void MultiSelect(bool blnValue);
    std::int32_t CheckboxColor() const { return m_clsCheckboxColor.OLEColor(); }
    void CheckboxColor(std::int32_t lngOleColor);
    std::int32_t CheckboxSelectedColor() const { return m_clsCheckboxSelectedColor.OLEColor(); }
    void CheckboxSelectedColor(std::int32_t lngOleColor);
    std::int32_t BackColor() const { return m_clsBackColor.OLEColor(); }
    void BackColor(std::int32_t lngOleColor);
    std::int32_t ForeColor() const { return m_clsForeColor.OLEColor(); }
    void ForeColor(std::int32_t lngOleColor);
    std::int32_t SelectedForeColor() const { return m_clsSelectedForeColor.OLEColor(); }
    void SelectedForeColor(std::int32_t lngOleColor);
    std::int32_t SelectedBackColor() const { return m_clsSelectedBackColor.OLEColor(); }
    void SelectedBackColor(std::int32_t lngOleColor);
    std::int32_t FocusRectColor() const { return m_clsFocusRectColor.OLEColor(); }
    void FocusRectColor(std::int32_t lngOleColor);
    std::shared_ptr<platform::StdFont> Font() const { return m_clsFont; }
    void Font(std::shared_ptr<platform::StdFont> clsNewFont);
    bool Redraw() const { return m_blnRedraw; }
    void Redraw(bool blnVal);

    // ---- other members ---------------------------------------------------------------
    std::int32_t ItemHeight() const;                                    // Properties
    void Refresh();                                                     // Properties
    std::int32_t ColumnFromPoint(std::int32_t X, std::int32_t Y) const; // Mouse
    std::int32_t RowFromPoint(std::int32_t X, std::int32_t Y, bool HitTest = false) const; // Mouse
    void MakeSureVisible(std::int32_t lngItem, std::int32_t lngColumn = -1); // Keyboard
    // The first row shown (the vertical scroll value), to keep a place across a refill.
    std::int32_t TopIndex() const;        // Keyboard
    void TopIndex(std::int32_t lngItem);  // Keyboard
    // A row's cell of a visible column in client pixels; empty for a hidden column.
    platform::RECT CellRect(std::int32_t Row, std::int32_t Column) const; // Keyboard

    // The control's own colouring: leaves the colours as they are.
    bool CustomDraw(std::int32_t ItemIndex, std::int32_t ColumnIndex, std::int32_t& BackColor,
                    std::int32_t& ForeColor) override;

private:
    // Pixel and interaction tests read the back buffer, the layout and the bars.
    friend class ListViewTestAccess;
    friend class ListViewAccessible;

    // ---- window (ListView.cpp) ------------------------------------------------------
    static platform::LRESULT WindowProc(platform::HWND hwnd, platform::UINT msg,
                                        platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LRESULT HandleMessage(platform::UINT msg, platform::WPARAM wParam,
                                    platform::LPARAM lParam);
    std::int16_t MouseButtons(platform::WPARAM wParam) const; // kLeftButton ...
    std::int16_t ShiftState(platform::WPARAM wParam) const;   // kShiftMask ...
    std::int16_t KeyShiftState() const;                       // the same from the key state
    void ApplyBorderStyle(platform::HWND hwnd, std::int32_t udeBS);
    void ChangeWindowStyle(platform::HWND hwnd, int index, platform::LONG bitsToSet,
                           platform::LONG bitsToClear);

    // ---- helpers of the interface ------------------------------------------------------
    IListViewEvents& Events() const; // the sink, or a no-op receiver
    void NotifyPropertyChanged(const std::u16string& name);
    ListItem& RowOrRaise(std::int32_t Index) const;          // error 9 / 91
    Column& ColumnOrRaise(const PositionOrKey& Index) const; // error 9 / 91
    void SetColorProperty(Color& color, std::int32_t lngOleColor, bool brush, bool pen,
                          const std::u16string& name);
    // Makes clsFont the control's font object and follows its changes (CreateListFont);
    // nullptr gives a new default font. DisconnectFont stops following and releases it.
    void ConnectFont(std::shared_ptr<platform::StdFont> clsFont);
    void DisconnectFont();

    // ---- layout and painting (ListView_Layout.cpp, ListView_Paint.cpp) --------------
    void PaintControl();
    void DrawHeader();
    void DrawItems();
    void DrawCheckbox(const platform::RECT& box, bool Selected, bool Checked); // box: its square
    platform::RECT GetTextRect(const platform::RECT& rcCell) const;
    void CalculateLayout();
    void UpdateHorizontalScroll(std::int32_t clientWidth);
    void UpdateVerticalScroll();
    void CreateBackBuffer();
    void CreateListFont();
    std::int32_t HeaderHeight() const;
    // Painting steps.
    struct CellColours {
        std::int32_t text;       // RGB, -1 when untranslatable
        const Color* background; // its brush fills the cell
    };
    CellColours ChooseCellColours(std::int32_t row, std::int32_t column, bool selected);
    static std::optional<platform::UINT> CellTextFlags(std::int32_t align); // none: no text
    void DrawCellText(const std::u16string& text, const platform::RECT& rcText, std::int32_t align);
    void DrawFocusOutline(std::int32_t top, std::int32_t right, std::int32_t bottom);
    // After a paint: tells the window's host what a reader follows and what changed.
    void NotifyReaders();
    void NotifyCheckChanged(std::int32_t row);

    // ---- message handlers (Layout/Paint, Mouse, Keyboard) ----------------------------
    void UserControl_Paint();
    void UserControl_Resize();
    void UserControl_GotFocus();
    void UserControl_LostFocus();
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void UserControl_Click();
    void UserControl_DblClick();
    void UserControl_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void UserControl_KeyUp(std::int16_t KeyCode, std::int16_t Shift);
    void UserControl_KeyPress(std::int16_t KeyAscii);
    void UserControl_OLEDragDrop(platform::DropInfo& info);
    void UserControl_OLEDragOver(platform::DropInfo& info, std::int16_t state);
    void UserControl_OLECompleteDrag(std::int32_t& Effect);
    void UserControl_OLEGiveFeedback(std::int32_t& Effect, bool& DefaultCursors);
    void UserControl_OLESetData(platform::DataObject& Data, std::int16_t& DataFormat);
    void UserControl_OLEStartDrag(platform::DataObject& Data, std::int32_t& AllowedEffects);
    void tmrMove_Timer();
    bool AutoScrollAtEdge(std::int32_t Y);
    // Steps of the mouse and key handlers.
    void PressHeader(std::int32_t contentX);
    void PressRows(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void SelectByPress(std::int32_t row, std::int32_t shift);
    void UpdatePointer(std::int32_t contentX, std::int32_t Y);
    void ResizeColumnTo(std::int32_t contentX);
    void DragSelectTo(std::int32_t Y);
    void DragRowsTo(std::int32_t Y);
    void MoveSelectedRow(std::int32_t from, std::int32_t to);
    void ReleaseHeader();
    void StartMoveTimer();
    void StopMoveTimer();
    void NavigateByKey(std::int32_t KeyCode, std::int32_t Shift);
    void ToggleByKey(std::int32_t Shift);

    // ---- lifecycle (ListView_Lifecycle.cpp) ----------------------------------------------
    void InitializeControl();
    void TerminateControl();
    void ConnectScrollbarEvents();
    void LoadStoredFont(const platform::PropertyBag& PropBag);

    // ---- state of the interface --------------------------------------------------------------
    platform::HWND m_hWnd = 0;
    IListViewEvents* m_pEvents = nullptr;
    PropertyChangedHandler m_fnPropertyChanged;

    ListItemCollection m_clsItems;
    ColumnCollection m_clsColumns;
    std::shared_ptr<winplumb::Scrollbars> m_clsSB;
    std::shared_ptr<platform::StdFont> m_clsFont;
    int m_lngFontListener = 0; // token of the change notification on m_clsFont
    ICustomDraw* m_clsDrawCallback = nullptr;

    // Created in this order, released in TerminateControl's order.
    Color m_clsBackColor;
    Color m_clsForeColor;
    Color m_clsFocusRectColor;
    Color m_clsSelectedBackColor;
    Color m_clsSelectedForeColor;
    Color m_clsCustomBack;
    Color m_clsCustomFore;
    Color m_clsCheckboxColor;
    Color m_clsCheckboxSelectedColor;

    // InitializeControl gives these their first values (defaults from the
    // stored-property table); LoadStoredProperties the stored ones.
    std::int32_t m_lngSelectedItem = -1;
    bool m_blnRedraw = true;
    bool m_blnItemsAutoSize = false;
    bool m_blnSortable = false;
    std::int32_t m_lngItemPaddingTop = 0;
    std::int32_t m_lngItemPaddingBottom = 0;
    std::int32_t m_lngItemPaddingLeft = 0;
    std::int32_t m_lngItemPaddingRight = 0;
    bool m_blnCheckboxes = false;
    bool m_blnColumnsVisible = false;
    bool m_blnColumnsAutoSize = false;
    bool m_blnReorder = false;
    bool m_blnMultiSelect = false;
    bool m_blnEnabled = false;
    bool m_blnSolidFocusRect = false;
    std::int32_t m_udeBorderStyle = 0;
    std::int16_t m_intOLEDropMode = 0;

    // ---- layout and drawing ------------------------------------------------------------------
    std::int32_t m_lngTextHeight = 0;
    platform::HFONT m_hFont = 0;
    platform::HDC m_hMemDC = 0;
    platform::HBITMAP m_hBackBitmap = 0;
    platform::HBITMAP m_hInitialBitmap = 0; // what m_hMemDC held before our objects
    platform::HFONT m_hInitialFont = 0;
    platform::HPEN m_hInitialPen = 0;
    ListLayout m_layout{*this, m_clsSB}; // computed by CalculateLayout
    bool m_blnHasFocus = false;
    bool m_blnPainting = false; // PaintControl is running

    // ---- what readers were last told ----------------------------------------------------------
    ListViewAccessible m_accessible{*this};
    bool m_blnRowsReplaced = false; // rows came, went or moved since the last paint
    std::int32_t m_lngReaderRow = -1;
    std::int32_t m_lngReaderTop = 0;
    std::int32_t m_lngReaderScrollX = 0;

    // ---- mouse --------------------------------------------------------------------------------
    std::int32_t m_lngMouseMode =
        0; // 0 none, 1 resizing, 2 drag selection, 3 row pressed, 4 header pressed
    std::int32_t m_lngResizeColumn = 0;
    std::int32_t m_lngAnchor = 0;
    bool m_blnUnselectMode = false;
    bool m_blnItemsMoved = false;
    bool m_blnTimerEnabled = false; // tmrMove runs
    static constexpr platform::UINT_PTR tmrMoveId = 1;
    static constexpr platform::UINT tmrMoveInterval = 15;
    platform::HCURSOR m_hPointer = 0; // the pointer shape last set

    // ---- message dispatch ---------------------------------------------------------------------
    bool m_blnLeftPressedInside = false; // a left press began in the window: its release clicks
    bool m_blnSkipNextClick = false;     // the release after a double click raises no Click
};

} // namespace lumarin::listview
