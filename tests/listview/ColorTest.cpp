// SPDX-License-Identifier: MIT
// Colour objects: translation of OLE colours and ownership of brush and pen.

#include "listview/Color.h"

#include "platform/Gdi.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

namespace lumarin::listview {
namespace {

using namespace platform;

TEST(Color, SystemColourGivesItsCurrentValueAndTheRequestedObjects) {
    Color color;
    EXPECT_TRUE(color.SetColor(static_cast<std::int32_t>(0x80000005), true, false));
    EXPECT_EQ(color.OLEColor(), static_cast<std::int32_t>(0x80000005));
    EXPECT_EQ(color.RGBColor(), static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW)));
    EXPECT_TRUE(color.GotGDIBrush());
    EXPECT_EQ(GetObjectType(color.GDIBrush()), OBJ_BRUSH);
    EXPECT_FALSE(color.GotGDIPen());
}

TEST(Color, PlainRgbPassesUnchanged) {
    Color color;
    EXPECT_TRUE(color.SetColor(0x00123456, false, true));
    EXPECT_EQ(color.RGBColor(), 0x00123456);
    EXPECT_TRUE(color.GotGDIPen());
    EXPECT_EQ(GetObjectType(color.GDIPen()), OBJ_PEN);
}

TEST(Color, NewColourReleasesTheOldObjects) {
    Color color;
    color.SetColor(0x000000FF, true, true);
    const HBRUSH oldBrush = color.GDIBrush();
    const HPEN oldPen = color.GDIPen();
    color.SetColor(0x0000FF00, false, false);
    EXPECT_FALSE(color.GotGDIBrush());
    EXPECT_FALSE(color.GotGDIPen());
    EXPECT_EQ(GetObjectType(oldBrush), 0u);
    EXPECT_EQ(GetObjectType(oldPen), 0u);
}

TEST(Color, UntranslatableColourHoldsNothing) {
    Color color;
    color.SetColor(0x000000FF, true, true);
    const auto rejected = static_cast<std::int32_t>(0x800000FF);
    EXPECT_FALSE(color.SetColor(rejected, true, true));
    EXPECT_EQ(color.OLEColor(), rejected);
    EXPECT_EQ(color.RGBColor(), -1);
    EXPECT_FALSE(color.GotGDIBrush());
    EXPECT_FALSE(color.GotGDIPen());
}

TEST(Color, UpdateRebuildsOnlyTheKindsHeld) {
    Color color;
    color.SetColor(0x00FF0000, false, true);
    const HPEN oldPen = color.GDIPen();
    color.Update();
    EXPECT_TRUE(color.GotGDIPen());
    EXPECT_FALSE(color.GotGDIBrush());
    EXPECT_EQ(GetObjectType(color.GDIPen()), OBJ_PEN);
    EXPECT_EQ(GetObjectType(oldPen), 0u);
    EXPECT_EQ(color.RGBColor(), 0x00FF0000);
}

TEST(Color, DisposeTwiceIsHarmless) {
    Color color;
    color.SetColor(0x00FF0000, true, false);
    const HBRUSH brush = color.GDIBrush();
    color.Dispose();
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(color.OLEColor(), -1);
    EXPECT_EQ(color.RGBColor(), -1);
    color.Dispose();
    EXPECT_FALSE(color.GotGDIBrush());
}

} // namespace
} // namespace lumarin::listview
