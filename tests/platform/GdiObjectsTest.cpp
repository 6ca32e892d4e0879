// SPDX-License-Identifier: MIT
#include "MemoryCanvas.h"
#include "platform/Gdi.h"

#include <climits>
#include <gtest/gtest.h>

namespace lumarin::platform {
namespace {

TEST(GdiObjects, MemoryDCStartsWithAOneByOneBitmapAndTheStockObjects) {
    HDC dc = CreateCompatibleDC(0);
    ASSERT_NE(dc, 0u);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    const PixelBuffer* pixels = GetDCPixels(dc);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels->width, 1);
    EXPECT_EQ(pixels->height, 1);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP)), OBJ_BITMAP);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiObjects, CompatibleDCNeedsALiveDCOrNone) {
    HDC dc = CreateCompatibleDC(0);
    HDC child = CreateCompatibleDC(dc);
    EXPECT_NE(child, 0u);
    DeleteDC(child);
    DeleteDC(dc);
    EXPECT_EQ(CreateCompatibleDC(dc), 0u);
}

TEST(GdiObjects, CompatibleBitmapRefusesUnusableSizes) {
    HDC dc = CreateCompatibleDC(0);
    struct Case {
        int width, height;
        bool created;
    } cases[] = {
        {1, 1, true},      {300, 20, true},           {0, 10, false},
        {10, 0, false},    {-5, 10, false},           {10, -5, false},
        {40000, 1, false}, {INT_MAX, INT_MAX, false}, {30000, 30000, false},
    };
    for (const Case& c : cases) {
        HBITMAP bitmap = CreateCompatibleBitmap(dc, c.width, c.height);
        EXPECT_EQ(bitmap != 0, c.created) << c.width << "x" << c.height;
        if (bitmap) {
            const PixelBuffer* pixels = GetBitmapPixels(bitmap);
            ASSERT_NE(pixels, nullptr);
            EXPECT_EQ(pixels->width, c.width);
            EXPECT_EQ(pixels->height, c.height);
            EXPECT_TRUE(DeleteObject(bitmap));
        }
    }
    DeleteDC(dc);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 10, 10), 0u) << "a deleted DC";
}

TEST(GdiObjects, SelectObjectReturnsThePreviousObjectOfTheSameKind) {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP initialBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    LOGFONT lf;
    lf.lfHeight = -12;
    HFONT font = CreateFontIndirect(&lf);

    EXPECT_EQ(SelectObject(dc, bitmap), initialBitmap);
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetDCPixels(dc), GetBitmapPixels(bitmap));
    EXPECT_EQ(SelectObject(dc, pen), pen) << "selecting the current object again";

    EXPECT_EQ(SelectObject(dc, initialBitmap), bitmap);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), brush);
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), font);
    for (HGDIOBJ obj : {bitmap, brush, pen, font})
        EXPECT_TRUE(DeleteObject(obj));
    DeleteDC(dc);
}

TEST(GdiObjects, SelectObjectRefusesWhatCannotBeSelected) {
    HDC dc = CreateCompatibleDC(0);
    HDC other = CreateCompatibleDC(0);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    SelectObject(dc, bitmap);

    EXPECT_EQ(SelectObject(other, bitmap), 0u) << "a bitmap lives in one DC at a time";
    EXPECT_NE(SelectObject(other, brush), 0u) << "a brush may be in several";
    EXPECT_EQ(SelectObject(dc, other), 0u) << "a DC is no selectable object";
    EXPECT_EQ(SelectObject(dc, 0), 0u);
    EXPECT_EQ(SelectObject(dc, 987654u), 0u);
    EXPECT_EQ(SelectObject(987654u, brush), 0u);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_DC), 0u);
    EXPECT_EQ(GetCurrentObject(987654u, OBJ_PEN), 0u);

    // Once the first DC lets go of the bitmap, the second may take it.
    DeleteDC(dc);
    EXPECT_NE(SelectObject(other, bitmap), 0u);
    SelectObject(other, GetStockObject(WHITE_BRUSH));
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiObjects, DeleteObjectRefusesObjectsSelectedIntoADC) {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    LOGFONT lf;
    HFONT font = CreateFontIndirect(&lf);
    const HGDIOBJ objects[] = {bitmap, brush, pen, font};
    for (HGDIOBJ obj : objects)
        SelectObject(dc, obj);
    for (HGDIOBJ obj : objects) {
        EXPECT_FALSE(DeleteObject(obj)) << obj;
        EXPECT_NE(GetObjectType(obj), 0u) << "the refused object stays usable";
    }
    // Deleting the DC releases its selection.
    DeleteDC(dc);
    for (HGDIOBJ obj : objects) {
        EXPECT_TRUE(DeleteObject(obj)) << obj;
        EXPECT_EQ(GetObjectType(obj), 0u);
        EXPECT_FALSE(DeleteObject(obj)) << "deleted twice";
    }
}

TEST(GdiObjects, DeleteObjectLeavesStockObjectsAndDCsAlone) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_EQ(GetObjectType(white), OBJ_BRUSH);
    HDC dc = CreateCompatibleDC(0);
    EXPECT_FALSE(DeleteObject(dc));
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    DeleteDC(dc);
    EXPECT_FALSE(DeleteObject(0));
}

TEST(GdiObjects, StockObjectsHaveTheirKinds) {
    struct Case {
        int index;
        DWORD type;
    } cases[] = {{WHITE_BRUSH, OBJ_BRUSH},
                 {LTGRAY_BRUSH, OBJ_BRUSH},
                 {GRAY_BRUSH, OBJ_BRUSH},
                 {DKGRAY_BRUSH, OBJ_BRUSH},
                 {BLACK_BRUSH, OBJ_BRUSH},
                 {NULL_BRUSH, OBJ_BRUSH},
                 {WHITE_PEN, OBJ_PEN},
                 {BLACK_PEN, OBJ_PEN},
                 {NULL_PEN, OBJ_PEN},
                 {SYSTEM_FONT, OBJ_FONT},
                 {DEFAULT_GUI_FONT, OBJ_FONT},
                 {9, 0},
                 {-1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GetObjectType(GetStockObject(c.index)), c.type) << c.index;
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetStockObject(WHITE_BRUSH));
}

TEST(GdiObjects, HandlesAreNeverReused) {
    HBRUSH first = CreateSolidBrush(RGB(1, 1, 1));
    ASSERT_TRUE(DeleteObject(first));
    HBRUSH second = CreateSolidBrush(RGB(1, 1, 1));
    HDC dc = CreateCompatibleDC(0);
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_NE(second, first);
    EXPECT_NE(dc, first);
    EXPECT_NE(pen, first);
    EXPECT_EQ(GetObjectType(first), 0u) << "the dead handle stays dead";
    EXPECT_EQ(SelectObject(dc, first), 0u);
    DeleteDC(dc);
    DeleteObject(second);
    DeleteObject(pen);
}

TEST(GdiObjects, BadColoursAndStylesCreateNothing) {
    EXPECT_EQ(CreateSolidBrush(CLR_INVALID), 0u);
    EXPECT_EQ(CreateSolidBrush(0x01000005u), 0u);
    EXPECT_EQ(CreatePen(PS_SOLID, 1, CLR_INVALID), 0u);
    EXPECT_EQ(CreatePen(42, 1, 0), 0u);
    EXPECT_EQ(CreateFontIndirect(nullptr), 0u);
}

TEST(GdiObjects, ColourSettersReturnThePreviousValue) {
    HDC dc = CreateCompatibleDC(0);
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(10, 20, 30)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, CLR_INVALID), CLR_INVALID);
    EXPECT_EQ(GetTextColor(dc), RGB(10, 20, 30)) << "a bad colour changes nothing";
    EXPECT_EQ(SetBkColor(dc, RGB(1, 1, 1)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    DeleteDC(dc);
    EXPECT_EQ(GetTextColor(dc), CLR_INVALID);
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
}

TEST(GdiObjects, PixelColoursRoundTrip) {
    EXPECT_EQ(ToPixel(RGB(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(FromPixel(0xFF123456u), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(FromPixel(0x00ABCDEFu), RGB(0xAB, 0xCD, 0xEF)) << "alpha is not colour";
}

TEST(GdiObjects, LogicalDpiIsTheScreens) {
    HDC dc = CreateCompatibleDC(0);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96) << "the offscreen platform";
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, 12345), 0);
    DeleteDC(dc);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 0);
}

} // namespace
} // namespace lumarin::platform
