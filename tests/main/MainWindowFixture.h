#pragma once
// The main window shown offscreen, with a folder for its files and recording services.

#include "WindowTestSupport.h"
#include "listview/ListView.h"
#include "main/frmTessel.h"
#include "platform/Window.h"
#include "platform/testing/ScopedTestServices.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace lumarin::app::test {

using namespace platform;

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
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

    platform::testing::ScopedTestServices services;
    lumarin::test::TempDir dir;
    std::unique_ptr<frmTessel> window;
};

} // namespace lumarin::app::test
