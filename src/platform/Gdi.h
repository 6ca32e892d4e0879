// SPDX-License-Identifier: MIT
#pragma once
// Drawing. Device contexts draw into pixel buffers: a memory DC into the bitmap
// selected into it, a window DC into the window's surface (which the host shows).
// Pixel rules (fills, lines, edges, focus rectangles, copies) are this layer's own
// code; text is rendered with Qt onto the same pixels.

#include "platform/PixelBuffer.h"
#include "platform/WinTypes.h"

namespace lumarin::platform {

// Stock objects (GetStockObject): shared, never deleted, selectable anywhere.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Returned by the colour setters for a bad DC or colour; also rejected as a colour.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// 0x00BBGGRR -> 0xFFRRGGBB, and back.
std::uint32_t ToPixel(COLORREF c);
COLORREF FromPixel(std::uint32_t px);

HDC GetDC(HWND hwnd); // draws into the window's client surface
int ReleaseDC(HWND hwnd, HDC hdc);
HDC CreateCompatibleDC(HDC hdc); // holds a 1x1 bitmap until one is selected
BOOL DeleteDC(HDC hdc);

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height); // 0 on failure
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
HFONT CreateFontIndirect(const LOGFONT* lf);
HGDIOBJ GetStockObject(int index);
// Selecting a bitmap, brush, pen or font returns the one it replaces.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type); // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP
BOOL DeleteObject(HGDIOBJ obj);               // fails for an object selected into a DC
DWORD GetObjectType(HGDIOBJ obj);             // 0 for a handle that is no (longer an) object

COLORREF SetTextColor(HDC hdc, COLORREF color); // returns the previous one
COLORREF GetTextColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
COLORREF SetBkColor(HDC hdc, COLORREF color);

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags);
// Single-line text: DT_LEFT/DT_CENTER/DT_RIGHT, DT_VCENTER, DT_SINGLELINE,
// DT_END_ELLIPSIS; clipped to the rectangle. Without DT_NOPREFIX "&x" underlines
// x and "&&" shows "&". Returns the text height.
int DrawText(HDC hdc, const std::u16string& text, RECT* rect, UINT format);
BOOL GetTextExtentPoint32(HDC hdc, const std::u16string& text, SIZE* size);
BOOL DrawFocusRect(HDC hdc, const RECT* rect); // dotted, by inverting
BOOL MoveToEx(HDC hdc, int x, int y, POINT* previous);
BOOL LineTo(HDC hdc, int x, int y); // paints the start point, not the end point
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
int GetDeviceCaps(HDC hdc, int index); // LOGPIXELSX / LOGPIXELSY

// Direct access for the host and for tests: the pixels a DC draws into.
const PixelBuffer* GetDCPixels(HDC hdc);
const PixelBuffer* GetBitmapPixels(HBITMAP bitmap);

} // namespace lumarin::platform
