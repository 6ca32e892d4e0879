// SPDX-License-Identifier: MIT
#include "MainWindowFixture.h"
#include "WindowTestSupport.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/Gdi.h"
#include "platform/ScrollBar.h"
#include "platform/Window.h"
#include "platform/WindowHost.h"
#include "platform/qt/WindowHostWidget.h"
#include "platform/testing/ScopedTestServices.h"
#include "support/ChineseNumerals.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

using namespace platform;
using test::TempDir;

QString qs(const std::u16string& text) {
    return QString::fromStdU16String(text);
}
QString Caption(const char* suffix) {
    return QString::fromStdU16String(kProductCaption) + QString::fromUtf8(suffix);
}

// A table of contents of three rows, then the three chapters 12 lines apart.
std::vector<std::string> NovelWithContents() {
    std::vector<std::string> lines = {"书名：青灯",  "目录", "第一章 开始", "第二章 继续",
                                      "第三章 结束", "",     "正文"};
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(heading);
        for (int i = 1; i <= 11; ++i)
            lines.push_back(i % 4 == 0 ? "" : "　　这是正文的一行。");
    }
    return lines;
}

// Forty chapters, more than the list shows at once.
std::vector<std::string> LongNovel() {
    std::vector<std::string> lines = {"书名：青灯"};
    for (int n = 1; n <= 40; ++n) {
        lines.push_back(QString::fromStdU16String(u"第" + lumarin::test::WrittenOut(n) + u"章 标题")
                            .toStdString());
        for (int i = 1; i <= 11; ++i)
            lines.push_back("　　这是正文的一行。");
    }
    return lines;
}

using MainWindow = test::MainWindowFixture;

TEST_F(MainWindow, OpensWithItsStartValues) {
    EXPECT_EQ(window->windowTitle(), Caption(" - [未打开]"));
    EXPECT_EQ(window->cboRule()->currentText(), QStringLiteral("自动"));
    useOwnCondition();
    EXPECT_EQ(
        window->txtFind()->toPlainText(),
        QStringLiteral(
            "第([一二两三四五六七八九十○〇零百千万0-9１２３４５６７８９０]{1,10})([章草])(.*)"));
    EXPECT_EQ(window->txtOut()->text(), QStringLiteral("%n-%c%s"));
    EXPECT_EQ(window->txtNum()->text(), QStringLiteral("1"));
    EXPECT_EQ(window->txtCount()->text(), QStringLiteral("50"));
    EXPECT_EQ(window->cboFolderOut()->currentText(), QStringLiteral("(default)"));
    ASSERT_EQ(window->cboFolderOut()->count(), 2);
    EXPECT_TRUE(window->cboFolderOut()->itemText(1).endsWith(QStringLiteral("文本小说[Txt]/")));
    EXPECT_TRUE(window->chkDelSpc()->isChecked());
    EXPECT_FALSE(window->chkFJconv()->isChecked());
    EXPECT_FALSE(window->chkClean()->isChecked()) << "cleaning is off until asked for";
    EXPECT_FALSE(window->chkUnwrap()->isChecked());
    EXPECT_FALSE(window->cmdCover()->isEnabled()) << "a cover only goes with a book";
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("拖拽文件到列表框…"));
    EXPECT_EQ(window->shpDone()->width(), 1) << "the resting width is 15 twips";
    EXPECT_EQ(window->cmdOrder()->text(), QStringLiteral("排序↑(&R)"));

    ASSERT_EQ(list().ColumnCount(), 4);
    EXPECT_EQ(qs(list().ColumnCaption(listview::PositionOrKey(u"colNum"))), QStringLiteral("章"));
    EXPECT_EQ(list().ColumnWidth(listview::PositionOrKey(u"colText")), 300);
    EXPECT_FALSE(IsScrollBarVisible(list().hWnd(), SB_HORZ))
        << "at the start size the three columns fit the list";
    EXPECT_TRUE(list().Checkboxes());
    EXPECT_FALSE(list().Sortable());
    EXPECT_FALSE(list().Reorder());
    EXPECT_EQ(list().BackColor(), 0xFFFFFF);
    EXPECT_EQ(list().OLEDropMode(), 1);
}

// Scrolling the column of settings with the wheel leaves every choice the pointer passes over
// as it was; a choice the reader has clicked into takes the wheel.
TEST_F(MainWindow, WheelChangesOnlyTheChoiceThatHasTheFocus) {
    QComboBox* encoding = window->cboEncoding();
    const auto wheel = [&] {
        const QPointF at(encoding->width() / 2.0, encoding->height() / 2.0);
        QWheelEvent event(at, encoding->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(encoding, &event);
    };
    const int start = encoding->currentIndex();
    for (QComboBox* choice : {window->cboRule(), window->cboFormat(), encoding}) {
        EXPECT_EQ(choice->focusPolicy(), Qt::StrongFocus) << choice->objectName().toStdString();
    }
    window->txtOut()->setFocus();
    wheel();
    EXPECT_EQ(encoding->currentIndex(), start) << "the pointer only passed over it";

    encoding->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(encoding->hasFocus());
    wheel();
    EXPECT_NE(encoding->currentIndex(), start);
}

TEST_F(MainWindow, AnalysisFillsTheListAndTheCaption) {
    analyse(writeNovel(NovelWithContents()));

    ASSERT_EQ(list().ItemCount(), 6);
    EXPECT_EQ(column(0), (std::vector<QString>{".", ".", ".", "1", "2", "3"}));
    EXPECT_EQ(column(1)[3], QStringLiteral("第一章 开始"));
    EXPECT_EQ(column(2),
              (std::vector<QString>{"1-开始", "2-继续", "3-结束", "1-开始", "2-继续", "3-结束"}));
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(list().ItemChecked(r), r < 3) << "row " << r;
    EXPECT_EQ(window->windowTitle(), Caption(" - 3/6"));
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("准备就绪"));
    EXPECT_TRUE(services.messageBox().Calls().empty());
}

TEST_F(MainWindow, ChecksByMouseAndSpaceUpdateTheCaptionAndRenumberingFollowsTheButton) {
    analyse(writeNovel(NovelWithContents()));

    click(rowPoint(2, 8)); // the check box of the third contents row
    EXPECT_FALSE(list().ItemChecked(2));
    EXPECT_EQ(window->windowTitle(), Caption(" - 4/6"));
    EXPECT_EQ(column(0)[2], QStringLiteral(".")) << "numbers change only on 排序↑";

    QTest::mouseClick(window->cmdOrder(), Qt::LeftButton);
    EXPECT_EQ(column(0), (std::vector<QString>{".", ".", "1", "2", "3", "4"}));

    click(rowPoint(4, 100)); // select the row, then the space bar toggles its mark
    ASSERT_EQ(list().SelectedItem(), 4);
    SendMessage(list().hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessage(list().hWnd(), WM_CHAR, ' ', 0);
    SendMessage(list().hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(list().ItemChecked(4));
    EXPECT_EQ(window->windowTitle(), Caption(" - 3/6"));
}

TEST_F(MainWindow, OutputWritesTheChapterFilesAndSaysHowMany) {
    useOwnCondition(); // the built-in rules take 前言 for a heading too
    const auto source = writeNovel({"前言", "第一章 开始", "一", "", "", "", "", "", "", "", "",
                                    "",     "第二章 继续", "二", "", "", "", "", "", "", "", "",
                                    "",     "第三章 结束", "三"});
    analyse(source);
    ASSERT_EQ(list().ItemCount(), 3);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);

    const auto out = dir.path() / "novel";
    EXPECT_EQ(test::ListFiles(out),
              (std::vector<std::string>{"000-0(Index).txt", "1-3(第1章+)/001-1开始.txt",
                                        "1-3(第1章+)/002-2继续.txt", "1-3(第1章+)/003-3结束.txt"}));
    EXPECT_EQ(test::ReadBytes(out / "1-3(第1章+)/002-2继续.txt"),
              test::ToGbk("第二章 继续\r\n二\r\n"));
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("处理完毕！共4个文件，已写入 ") +
                                              QString::fromStdString(out.string()));
    EXPECT_EQ(window->shpDone()->width(), 1);
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    const auto& box = services.messageBox().Calls()[0];
    EXPECT_EQ(box.text, u"处理完毕！共4个文件！");
    EXPECT_EQ(box.title, u"完毕");
    EXPECT_EQ(box.flags & 0xF0, MB_ICONINFORMATION);
}

// The check box converts through the engine's converter, the line whole (NUL included).
TEST_F(MainWindow, OutputConvertsToSimplifiedWhenAsked) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    using namespace std::string_literals;
    std::vector<std::string> lines{"第一章 開始", "這裡\0有燈，計畫"s};
    lines.insert(lines.end(), 10, "");
    lines.insert(lines.end(), {"第二章 繼續", "二"});
    analyse(writeNovel(lines));
    ASSERT_EQ(list().ItemCount(), 2);
    window->chkFJconv()->setChecked(true);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);

    EXPECT_EQ(test::ReadBytes(dir.path() / "novel" / "1-2(第1章+)" / "001-1開始.txt"),
              test::ToGbk("第一章 开始\r\n这里\0有灯，计划\r\n"s));
}

TEST_F(MainWindow, RefusesToSplitWhenEveryRowIsChecked) {
    analyse(writeNovel(NovelWithContents()));
    for (std::int32_t r = 0; r < list().ItemCount(); ++r)
        list().ItemChecked(r, true);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);

    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text, u"排除全部条件，无法分割!");
    EXPECT_EQ(services.messageBox().Calls()[0].title, kAppTitle);
    EXPECT_EQ(services.messageBox().Calls()[0].flags & 0xF0, MB_ICONWARNING);
    std::error_code ec;
    const bool anyFile = std::filesystem::exists(dir.path() / "novel") &&
                         !test::ListFiles(dir.path() / "novel").empty();
    EXPECT_FALSE(anyFile);
}

TEST_F(MainWindow, AnInvalidConditionIsReportedAndChangesNothing) {
    useOwnCondition();
    analyse(writeNovel(NovelWithContents()));
    window->txtFind()->setPlainText(QStringLiteral("第([一二三"));
    QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);

    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text.rfind(u"标题条件无效: ", 0), 0u);
    EXPECT_EQ(list().ItemCount(), 6);
    EXPECT_EQ(window->windowTitle(), Caption(" - 3/6"));
}

TEST_F(MainWindow, OutputRefusesATableThatBelongsToAnotherFile) {
    useOwnCondition();
    analyse(writeNovel(NovelWithContents()));
    const auto other = writeNovel({"第一章 别的"}, "other.txt");
    window->txtFind()->setPlainText(QStringLiteral("第(")); // the attempt on other.txt fails
    analyse(other);
    services.messageBox().Clear();

    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text, u"源文件已改变，请重新分析!");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "other"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "novel"));
}

TEST_F(MainWindow, DropsTakeTheFirstTxtFileInAnyLetterCase) {
    useOwnCondition(); // two chapters: too few for the automatic choice
    const auto novel = writeNovel(NovelWithContents(), "BOOK.TXT");
    const auto other = writeNovel({"第一章 别的"}, "other.TxT");
    const auto cover = writeNovel({"not text"}, "cover.jpg");

    platform::DataObject picture({cover.u16string()});
    window->txtFile_OLEDragDrop(picture);
    EXPECT_TRUE(window->txtFile()->toPlainText().isEmpty()) << "only text files are taken";

    platform::DataObject two({novel.u16string(), other.u16string()});
    window->txtFile_OLEDragDrop(two);
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(novel.string()));
    EXPECT_EQ(list().ItemCount(), 0) << "a drop on the text box does not analyse";

    // A drop on the list analyses, also when it did not take the name.
    std::int32_t effect = 1;
    std::int16_t button = 1, shift = 0;
    float x = 0, y = 0;
    window->OLEDragDrop(picture, effect, button, shift, x, y);
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(novel.string()));
    EXPECT_EQ(list().ItemCount(), 6);

    platform::DataObject second({other.u16string()});
    window->OLEDragDrop(second, effect, button, shift, x, y);
    EXPECT_EQ(list().ItemCount(), 1);
    EXPECT_TRUE(services.messageBox().Calls().empty());
}

TEST_F(MainWindow, ASelectedCheckedRowIsDrawnInTheSelectionColours) {
    analyse(writeNovel(NovelWithContents()));
    const POINT checkedRow = rowPoint(1, 200);
    const POINT plainRow = rowPoint(4, 200);
    list().ItemSelected(0, true);
    list().Refresh();

    const PixelBuffer* surface = GetWindowSurface(list().hWnd());
    ASSERT_NE(surface, nullptr);
    const POINT selectedRow = rowPoint(0, 200);
    EXPECT_EQ(surface->at(selectedRow.x, selectedRow.y) & 0xFFFFFF,
              ToPixel(RGB(127, 157, 185)) & 0xFFFFFF);
    EXPECT_EQ(surface->at(checkedRow.x, checkedRow.y) & 0xFFFFFF,
              ToPixel(RGB(255, 224, 192)) & 0xFFFFFF);
    EXPECT_EQ(surface->at(plainRow.x, plainRow.y) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(MainWindow, OneWheelNotchOverTheListShowsRowThreeAtTheTop) {
    analyse(writeNovel(LongNovel()));
    ASSERT_GT(list().ItemCount(), 30);
    list().ItemSelected(3, true);
    list().Refresh();

    const auto [top, bottom] = selectedBand();
    ASSERT_GE(top, 0);
    const int rowHeight = bottom - top;
    const int firstRowTop = top - 3 * rowHeight;

    QWidget* host = window->lstMemoHost();
    ASSERT_NE(host, nullptr);
    const QPoint local(200, bottom);
    QWheelEvent notch(QPointF(local), QPointF(host->mapToGlobal(local)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(host, &notch);

    EXPECT_EQ(selectedBand(), std::make_pair(firstRowTop, firstRowTop + rowHeight));
}

TEST_F(MainWindow, HomeAndEndMakeTheFirstOrLastRowCurrentSelectedAndShown) {
    analyse(writeNovel(LongNovel()));
    const std::int32_t last = list().ItemCount() - 1;
    ASSERT_GT(last, 30);
    ASSERT_NE(window->lstMemoHost(), nullptr);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window->lstMemoHost(), key, modifiers);
    };
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::int32_t row;
    } cases[] = {
        {Qt::Key_End, Qt::NoModifier, last},
        {Qt::Key_Home, Qt::NoModifier, 0},
        {Qt::Key_End, Qt::ControlModifier, last},
        {Qt::Key_Home, Qt::ControlModifier, 0},
    };
    list().ItemSelected(5, true);
    list().ItemSelected(6, true);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << c.row << " ctrl " << (c.modifiers != 0));
        press(c.key, c.modifiers);
        EXPECT_EQ(list().SelectedItem(), c.row);
        std::vector<std::int32_t> selected;
        for (std::int32_t r = 0; r <= last; ++r)
            if (list().ItemSelected(r)) selected.push_back(r);
        EXPECT_EQ(selected, std::vector<std::int32_t>{c.row});
        EXPECT_GE(selectedBand().first, 0) << "the row is scrolled into view";
    }
    // The list's own keys still work: Down moves on from the first row.
    press(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(list().SelectedItem(), 1);
}

TEST_F(MainWindow, ChoosersFillTheFields) {
    services.fileDialogs().ScriptOpenFile(u"/home/reader/小说.txt");
    window->cmdOpenFile_Click();
    EXPECT_EQ(window->txtFile()->toPlainText(), QStringLiteral("/home/reader/小说.txt"));
    ASSERT_FALSE(services.fileDialogs().OpenFileCalls().empty());
    const auto& call = services.fileDialogs().OpenFileCalls().back();
    EXPECT_EQ(call.title, u"打开文件");
    ASSERT_EQ(call.filter.size(), 2u);
    EXPECT_EQ(call.filter[0].first, u"文本文件(*.txt)");
    EXPECT_EQ(call.filter[1].first, u"所有文件");

    services.fileDialogs().ScriptBrowseFolder(u"/home/reader/out");
    window->cmdOpenFolder_Click();
    EXPECT_EQ(window->cboFolderOut()->currentText(), QStringLiteral("/home/reader/out"));
    EXPECT_EQ(services.fileDialogs().BrowseFolderCalls().back().title, u"浏览文件夹");

    window->cmdOpenFolder_Click(); // cancelled: nothing changes
    EXPECT_EQ(window->cboFolderOut()->currentText(), QStringLiteral("/home/reader/out"));
}

} // namespace
} // namespace lumarin::app
