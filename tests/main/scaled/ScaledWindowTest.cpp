// SPDX-License-Identifier: MIT
// The main window at one screen scale: the chapter list drawn at device
// resolution and shown one to one, input landing where it is drawn, and every
// text of the form fitting its control with each of the Chinese fonts.
#include "../WindowTestSupport.h"
#include "engine/headings/HeadingCondition.h"
#include "listview/ListView.h"
#include "main/frmTessel.h"
#include "platform/Gdi.h"
#include "platform/ScrollBar.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/qt/WindowHostWidget.h"
#include "platform/testing/ScopedTestServices.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

using namespace platform;

double Scale() {
    return GetDeviceScale();
}

class ScaledWindow : public ::testing::Test {
protected:
    void SetUp() override {
        OpenSettings()->clear();
        window = std::make_unique<frmTessel>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void analyseChapters(int count) {
        std::vector<std::string> lines{"书名：青灯"};
        for (int k = 1; k <= count; ++k) {
            lines.push_back("第" + std::to_string(k) + "章 标题" + std::to_string(k));
            lines.insert(lines.end(), 10, "　　正文。");
        }
        const auto file = dir.path() / "novel.txt";
        test::WriteGbkLines(file, lines);
        window->txtFile()->setPlainText(QString::fromStdString(file.string()));
        QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
    }

    listview::ListView& list() { return window->lstMemo(); }
    qt::WindowHostWidget& host() { return *window->lstMemoHost(); }

    // A logical (widget) point of the host for a device point of the list's client area.
    QPoint widgetPoint(POINT client) {
        const RECT insets = GetFrameInsets(list().hWnd());
        return QPoint(static_cast<int>((client.x + insets.left) / Scale()),
                      static_cast<int>((client.y + insets.top) / Scale()));
    }

    // Device y inside row r.
    int rowY(std::int32_t r) {
        for (int y = 0; y < 4000; ++y)
            if (list().RowFromPoint(200, y) == r) return y + list().ItemHeight() / 2;
        ADD_FAILURE() << "row " << r << " is not on screen";
        return 0;
    }

    platform::testing::ScopedTestServices services;
    test::TempDir dir;
    std::unique_ptr<frmTessel> window;
};

TEST_F(ScaledWindow, TheListIsDrawnAtDeviceResolutionAndShownOneToOne) {
    const HDC screen = GetDC(list().hWnd());
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(list().hWnd(), screen);
    EXPECT_EQ(dpi, static_cast<int>(std::nearbyint(96 * Scale())));
    EXPECT_DOUBLE_EQ(host().devicePixelRatioF(), Scale());

    analyseChapters(40);
    RECT hosted;
    GetWindowRect(list().hWnd(), &hosted);
    EXPECT_EQ(hosted.right - hosted.left, std::lround(host().width() * Scale()));
    EXPECT_EQ(hosted.bottom - hosted.top, std::lround(host().height() * Scale()));
    const int textHeight = MulDiv(8, dpi, 72); // Tahoma 8.25 pt
    EXPECT_GE(list().ItemHeight(), textHeight);

    // What the host shows is the surface, pixel for pixel.
    const QImage shown = host().grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.devicePixelRatio(), Scale());
    const PixelBuffer* surface = GetWindowSurface(list().hWnd());
    ASSERT_NE(surface, nullptr);
    const RECT insets = GetFrameInsets(list().hWnd());
    int differing = 0;
    for (int y = 0; y < surface->height; ++y)
        for (int x = 0; x < surface->width; ++x)
            if ((shown.pixel(x + insets.left, y + insets.top) & 0xFFFFFF) !=
                (surface->at(x, y) & 0xFFFFFF))
                ++differing;
    EXPECT_EQ(differing, 0) << "of " << surface->width * surface->height << " pixels";

    // The title of row 0 is drawn by a font of the device's size: its ink is
    // as tall as the text height says.
    const int y0 = rowY(0) - list().ItemHeight() / 2;
    const int firstX = list().ColumnWidth(listview::PositionOrKey(0));
    int top = -1, bottom = -1;
    for (int y = y0; y < y0 + list().ItemHeight(); ++y)
        for (int x = firstX; x < firstX + textHeight * 6; ++x)
            if ((surface->at(x, y) & 0xFF) < 0x80) {
                if (top < 0) top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0) << "no text in row 0";
    EXPECT_GE(bottom - top + 1, textHeight * 7 / 10);
}

TEST_F(ScaledWindow, ClicksDragsAndTheWheelLandWhereTheyAreDrawn) {
    analyseChapters(40);
    ASSERT_EQ(list().ItemCount(), 40);

    // The check box of row 3, 8 pixels from the left at 96 dpi.
    const bool before = list().ItemChecked(3);
    QTest::mouseClick(&host(), Qt::LeftButton, {}, widgetPoint(POINT{ScaleToDevice(8), rowY(3)}));
    EXPECT_NE(list().ItemChecked(3), before);

    // A click on the title of row 5 selects row 5.
    QTest::mouseClick(&host(), Qt::LeftButton, {}, widgetPoint(POINT{ScaleToDevice(150), rowY(5)}));
    EXPECT_EQ(list().SelectedItem(), 5);

    // Dragging the divider after column 1 by 20 widget pixels widens it by 20 of them.
    const std::int32_t widthBefore = list().ColumnWidth(listview::PositionOrKey(1));
    const int divider = list().ColumnWidth(listview::PositionOrKey(0)) + widthBefore - 1;
    const QPoint grab = widgetPoint(POINT{divider, ScaleToDevice(5)});
    QTest::mousePress(&host(), Qt::LeftButton, {}, grab);
    QTest::mouseMove(&host(), grab + QPoint(20, 0));
    QTest::mouseRelease(&host(), Qt::LeftButton, {}, grab + QPoint(20, 0));
    // (The press lands within a device pixel or two of the divider.)
    EXPECT_NEAR(list().ColumnWidth(listview::PositionOrKey(1)) - widthBefore, 20 * Scale(),
                Scale() + 1);

    // One notch of the wheel over the rows scrolls the list.
    const int topBefore = list().RowFromPoint(200, list().ItemHeight() * 3);
    const QPoint over = widgetPoint(POINT{ScaleToDevice(150), rowY(2)});
    QWheelEvent wheel(over, host().mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&host(), &wheel);
    EXPECT_GT(list().RowFromPoint(200, list().ItemHeight() * 3), topBefore);
}

// The list's scroll bar is drawn at the scale as well: its arrow buttons (and the arrows in
// them) are as large as the style makes its own bars', and a click lands on what is drawn.
TEST_F(ScaledWindow, TheScrollBarsArrowsGrowWithTheScale) {
    analyseChapters(40);
    const qt::HostScrollBar& bar = host().scrollBar(SB_VERT);
    ASSERT_FALSE(bar.geometry().isEmpty());
    const int extent = host().style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &host());
    for (const auto arrow : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine})
        EXPECT_NEAR(bar.partRect(arrow).height(), extent * Scale(), 1.0);

    const int before = GetScrollPos(list().hWnd(), SB_VERT);
    const QPoint down = bar.partRect(QStyle::SC_ScrollBarAddLine).center();
    QTest::mouseClick(
        &host(), Qt::LeftButton, {},
        QPoint(static_cast<int>(down.x() / Scale()), static_cast<int>(down.y() / Scale())));
    EXPECT_EQ(GetScrollPos(list().hWnd(), SB_VERT), before + 1);
}

// The room a button that opens a menu needs beside its text for the menu's arrow.
int MenuArrowWidth(const QAbstractButton& button) {
    const auto* push = qobject_cast<const QPushButton*>(&button);
    const auto* tool = qobject_cast<const QToolButton*>(&button);
    const bool menu = (push != nullptr && push->menu() != nullptr) ||
                      (tool != nullptr && tool->menu() != nullptr);
    return menu ? button.style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, &button) : 0;
}

// Every text of the form fits its control: labels (also wrapped ones), buttons,
// check boxes, the fields' start values and the whole default condition.
void ExpectEveryTextFits(frmTessel& window, const QString& fontName) {
    const QString where = QStringLiteral(" with %1 at %2").arg(fontName).arg(Scale());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty() || label == window.lblState()) continue;
        const QRect room = label->contentsRect();
        const QFontMetrics fm = label->fontMetrics();
        // A rich text is measured as shown, without its markup.
        const QString text = label->textFormat() == Qt::RichText || Qt::mightBeRichText(label->text())
                                 ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                 : label->text();
        const std::string name = text.toStdString() + where.toStdString();
        if (label->wordWrap()) {
            const QRect need =
                fm.boundingRect(QRect(0, 0, room.width(), 10000), Qt::TextWordWrap, text);
            EXPECT_LE(need.height(), room.height()) << name;
        } else {
            EXPECT_LE(fm.horizontalAdvance(text), room.width()) << name;
            EXPECT_LE(fm.height(), room.height()) << name;
        }
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty() || button == window.cmdOpenOut())
            continue;
        const std::string name = button->text().toStdString() + where.toStdString();
        const QFontMetrics fm = button->fontMetrics();
        if (qobject_cast<QCheckBox*>(button) != nullptr) {
            EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        } else {
            EXPECT_LE(fm.horizontalAdvance(button->text()) + 6 + MenuArrowWidth(*button),
                      button->width())
                << name;
        }
        EXPECT_LE(fm.height(), button->height()) << name;
    }
    for (QLineEdit* field : {window.txtOut(), window.txtNum(), window.txtCount()}) {
        const QFontMetrics fm = field->fontMetrics();
        EXPECT_LE(fm.horizontalAdvance(field->text()) + 4, field->contentsRect().width())
            << field->text().toStdString() << where.toStdString();
    }
    const QFontMetrics combo = window.cboFolderOut()->fontMetrics();
    EXPECT_LE(combo.horizontalAdvance(window.cboFolderOut()->currentText()),
              window.cboFolderOut()->lineEdit()->contentsRect().width())
        << where.toStdString();
    EXPECT_EQ(window.txtFind()->toPlainText().toStdU16String(), engine::kDefaultCondition);
    EXPECT_EQ(window.txtFind()->verticalScrollBar()->maximum(), 0)
        << "the default condition is cut" << where.toStdString();
}

// At the size it opens with, in this process's locale (ctest runs these in C
// and in zh_CN, where the form's font falls back to a Chinese one), the inputs
// leave the list three fifths of the width.
TEST_F(ScaledWindow, TheInputsTakeAtMostTwoFifthsOfTheWidthTheWindowOpensWith) {
    const auto* inputs = window->findChild<QScrollArea*>(QStringLiteral("leftScroll"));
    ASSERT_NE(inputs, nullptr);
    const int right = inputs->mapTo(window.get(), QPoint(inputs->width(), 0)).x();
    EXPECT_LE(right * 5, window->width() * 2)
        << right << " of " << window->width() << " with " << window->font().family().toStdString()
        << " (" << window->fontInfo().family().toStdString() << ")";
    EXPECT_GE(window->lstMemoHost()->width() * 2, window->width()) << "the list has the room";
}

TEST_F(ScaledWindow, EveryTextFitsAtTheDefaultSizeWithEachChineseFont) {
    // The user's own condition shows in full, and number fields six digits.
    window->cboRule()->setCurrentIndex(window->cboRule()->findText(QStringLiteral("自定义条件")));
    window->txtNum()->setText(QStringLiteral("999999"));
    window->txtCount()->setText(QStringLiteral("999999"));
    for (const char* family : {"Tahoma", "Noto Sans CJK SC", "WenQuanYi Zen Hei"}) {
        const QString name = QString::fromLatin1(family);
        window->setFont(QFont(name, 9));
        QApplication::processEvents();
        ExpectEveryTextFits(*window, name);
    }
}

TEST_F(ScaledWindow, GrowingTheWindowGivesTheListTheRoomAndTheLastColumnTakesTheRest) {
    const QSize start = window->size();
    const int listBefore = window->lstMemoHost()->width();
    const int inputsBefore = window->txtFind()->width();
    window->resize(start + QSize(400, 200));
    QApplication::processEvents();
    EXPECT_EQ(window->lstMemoHost()->width(), listBefore + 400);
    EXPECT_EQ(window->txtFind()->width(), inputsBefore) << "the inputs keep their width";

    RECT client;
    GetClientRect(list().hWnd(), &client);
    std::int32_t columns = 0;
    for (std::int32_t c = 0; c < list().ColumnCount(); ++c)
        columns += list().ColumnWidth(listview::PositionOrKey(c));
    EXPECT_EQ(columns, client.right) << "the last column ends at the list's right edge";
}

// The least size, in device pixels, leaves room on a 1920×1080 screen for a
// window frame, its title bar and a panel, at every scale up to 2.
TEST_F(ScaledWindow, TheLeastSizeFitsAFullHdScreen) {
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    EXPECT_LE(least.width() * Scale(), 1920 - 40) << least.width() << " at " << Scale();
    EXPECT_LE(least.height() * Scale(), 1080 - 110) << least.height() << " at " << Scale();

    window->resize(least);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), least);
    EXPECT_GE(window->lstMemoHost()->height(), window->lstMemoHost()->minimumHeight());
    EXPECT_GT(window->txtPreview()->height(),
              window->txtPreview()->fontMetrics().lineSpacing() * 3);
}

} // namespace
} // namespace lumarin::app
