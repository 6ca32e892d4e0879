// SPDX-License-Identifier: MIT
#pragma once
// The main window shown offscreen, with a folder for its files and recording services.

#include "WindowTestSupport.h"
#include "listview/ListView.h"
#include "main/ReviewStore.h"
#include "main/frmTessel.h"
#include "platform/Gdi.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/qt/WindowHostWidget.h"
#include "platform/testing/ScopedTestServices.h"

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace lumarin::app::test {

using namespace platform;

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        OpenSettings()->clear(); // every test starts from the start values
        QDir(ReviewStore::folder()).removeRecursively();
        window = std::make_unique<frmTessel>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::filesystem::path writeNovel(const std::vector<std::string>& lines,
                                     const char* name = "novel.txt") {
        const auto file = dir.path() / name;
        test::WriteGbkLines(file, lines);
        return file;
    }

    // Heading by the user's own condition in the condition box, not a built-in rule.
    void useOwnCondition() {
        QComboBox* rule = window->cboRule();
        rule->setCurrentIndex(rule->findText(QStringLiteral("自定义条件")));
    }

    void analyse(const std::filesystem::path& file) {
        window->txtFile()->setPlainText(QString::fromStdString(file.string()));
        QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
    }

    listview::ListView& list() { return window->lstMemo(); }

    // A point inside row r, x pixels from the left edge of the list.
    POINT rowPoint(std::int32_t r, int x) {
        for (int y = 0; y < 2000; ++y)
            if (list().RowFromPoint(x, y) == r) return {x, y + list().ItemHeight() / 2};
        ADD_FAILURE() << "row " << r << " is not on screen";
        return {};
    }

    void click(POINT p) {
        SendMessage(list().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON,
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
        SendMessage(list().hWnd(), WM_LBUTTONUP, 0,
                    MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }

    std::vector<QString> column(int c) {
        std::vector<QString> texts;
        for (std::int32_t r = 0; r < list().ItemCount(); ++r)
            texts.push_back(QString::fromStdU16String(list().ItemText(r, c)));
        return texts;
    }

    // The rows shown in the selection colour down the middle of the list, as
    // [top, bottom) on the window's surface; (-1, -1) when none is.
    std::pair<int, int> selectedBand() {
        const PixelBuffer* surface = GetWindowSurface(list().hWnd());
        EXPECT_NE(surface, nullptr);
        const std::uint32_t selected = ToPixel(RGB(127, 157, 185)) & 0xFFFFFF;
        int top = -1, bottom = -1;
        for (int y = 0; surface != nullptr && y < surface->height; ++y) {
            if ((surface->at(200, y) & 0xFFFFFF) != selected) continue;
            if (top < 0) top = y;
            bottom = y + 1;
        }
        return {top, bottom};
    }

    platform::testing::ScopedTestServices services;
    lumarin::test::TempDir dir;
    std::unique_ptr<frmTessel> window;
};

} // namespace lumarin::app::test
