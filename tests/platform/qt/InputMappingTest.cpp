// SPDX-License-Identifier: MIT
// The translation tables of the host and of its services.

#include "platform/qt/InputMapping.h"

#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtMessageBox.h"

#include <gtest/gtest.h>

namespace lumarin::platform::qt {
namespace {

TEST(InputMappingTest, QtKeysMapToVirtualKeys) {
    const std::pair<int, UINT> cases[] = {
        {Qt::Key_PageUp, 33},  {Qt::Key_PageDown, 34},  {Qt::Key_End, 35},
        {Qt::Key_Home, 36},    {Qt::Key_Left, 37},      {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},   {Qt::Key_Down, 40},      {Qt::Key_Space, 32},
        {Qt::Key_Shift, 0x10}, {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},
        {Qt::Key_A, 'A'},      {Qt::Key_Z, 'Z'},        {Qt::Key_0, '0'},
        {Qt::Key_9, '9'},      {Qt::Key_F1, 0x70},      {Qt::Key_F12, 0x7B},
        {Qt::Key_Return, 13},  {Qt::Key_Enter, 13},     {Qt::Key_Escape, 27},
        {Qt::Key_Tab, 9},      {Qt::Key_Delete, 46},    {Qt::Key_Backspace, 8},
        {Qt::Key_Meta, 0},     {Qt::Key_unknown, 0},
    };
    for (const auto& [key, vk] : cases)
        EXPECT_EQ(VirtualKeyFromQtKey(key), vk) << std::hex << key;
}

TEST(InputMappingTest, PointsPackAsSignedHalves) {
    const std::pair<int, int> cases[] = {{0, 0}, {17, 300}, {-1, -2}, {-32768, 32767}};
    for (const auto& [x, y] : cases) {
        const LPARAM lp = PointLParam(x, y);
        EXPECT_EQ(GET_X_LPARAM(lp), x);
        EXPECT_EQ(GET_Y_LPARAM(lp), y);
    }
}

TEST(InputMappingTest, ButtonsAndModifiersBecomeKeyStateAndDropCodes) {
    EXPECT_EQ(MouseKeyState(Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier),
              MK_LBUTTON | MK_MBUTTON | MK_SHIFT);
    EXPECT_EQ(MouseKeyState(Qt::RightButton, Qt::ControlModifier | Qt::AltModifier),
              MK_RBUTTON | MK_CONTROL);
    EXPECT_EQ(DropButton(Qt::RightButton | Qt::MiddleButton), 6);
    EXPECT_EQ(DropShift(Qt::ShiftModifier | Qt::AltModifier), 5);
}

TEST(InputMappingTest, CursorIdsMapToShapes) {
    const std::pair<HCURSOR, Qt::CursorShape> cases[] = {
        {IDC_SIZEWE, Qt::SplitHCursor},
        {IDC_NO, Qt::ForbiddenCursor},
        {IDC_HAND, Qt::PointingHandCursor},
        {IDC_WAIT, Qt::WaitCursor},
        {0, Qt::BlankCursor},
        {12345, Qt::ArrowCursor},
    };
    for (const auto& [id, shape] : cases)
        EXPECT_EQ(CursorShapeFor(id), shape) << id;
}

TEST(QtFileDialogsTest, FilterPairsBecomeQtFilterLines) {
    struct Case {
        QtFileDialogs::Filter filter;
        QString expected;
    };
    const Case cases[] = {
        {{{u"文本文件(*.txt)", u"*.txt"}}, QStringLiteral("文本文件 (*.txt)")},
        {{{u"Texts", u"*.txt;*.log"}, {u"All files (*.*)", u"*.*"}},
         QStringLiteral("Texts (*.txt *.log);;All files (*)")},
        {{}, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtFileDialogs::QtFilter(c.filter), c.expected);
}

TEST(QtMessageBoxTest, FlagsChooseIconAndButtons) {
    EXPECT_EQ(QtMessageBox::IconFor(MB_ICONERROR), QMessageBox::Critical);
    EXPECT_EQ(QtMessageBox::IconFor(MB_YESNO | MB_ICONQUESTION), QMessageBox::Question);
    EXPECT_EQ(QtMessageBox::IconFor(MB_ICONWARNING), QMessageBox::Warning);
    EXPECT_EQ(QtMessageBox::IconFor(MB_ICONINFORMATION), QMessageBox::Information);
    EXPECT_EQ(QtMessageBox::IconFor(MB_OK), QMessageBox::NoIcon);
    EXPECT_EQ(QtMessageBox::ButtonsFor(MB_YESNO | MB_ICONQUESTION),
              QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(QtMessageBox::ButtonsFor(MB_OKCANCEL), QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(QtMessageBox::ButtonsFor(MB_ICONERROR), QMessageBox::Ok);
    EXPECT_EQ(QtMessageBox::ResultFor(QMessageBox::Yes), IDYES);
    EXPECT_EQ(QtMessageBox::ResultFor(QMessageBox::Cancel), IDCANCEL);
}

} // namespace
} // namespace lumarin::platform::qt
