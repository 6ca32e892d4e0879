// SPDX-License-Identifier: MIT
// The near-miss window: a tool window of the main window, beside the list or
// over it but never over the preview, closed by Esc; a double click on a line
// shows that line in the preview and keeps it marked.
#include "MainWindowFixture.h"
#include "main/frmNearMisses.h"

#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QTextBlock>
#include <QWindow>

namespace lumarin::app {
namespace {

using NearMissWindow = test::MainWindowFixture;

// 第N回 chapters twelve lines apart, and two lines that look like headings but are not.
std::vector<std::string> BookWithNearMisses() {
    std::vector<std::string> lines = {"书名：水边"};
    for (const char* heading : {"第一回 起", "第二回 承", "第三回 转", "第四回 合"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 11, "　　这是正文的一行。");
    }
    lines[20] = "第五囘 错字";
    lines[40] = "第六囘 又错";
    return lines;
}

// The list's place on the screen, and the preview's.
QRect OnScreen(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

TEST_F(NearMissWindow, IsAToolWindowBesideTheListNeverOverThePreviewAndEscClosesIt) {
    analyse(writeNovel(BookWithNearMisses()));
    ASSERT_EQ(window->cmdNearMisses()->text(), QStringLiteral("疑似标题(2)"));
    const QRect screen = window->screen()->availableGeometry();
    const struct {
        const char* name;
        QPoint corner; // of the main window
        bool beside;   // room on its right
    } cases[] = {
        {"room on the right", screen.topLeft() + QPoint(20, 40), true},
        {"at the right edge", QPoint(screen.right() - window->frameGeometry().width(), 60), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window->move(c.corner);
        QApplication::processEvents();
        window->cmdNearMisses()->click();
        frmNearMisses* misses = window->nearMissWindow();
        ASSERT_NE(misses, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(misses));
        EXPECT_EQ(misses->parentWidget(), window.get());
        EXPECT_EQ(misses->windowType(), Qt::Tool);
        ASSERT_NE(misses->windowHandle(), nullptr);
        EXPECT_EQ(misses->windowHandle()->transientParent(), window->windowHandle())
            << "the window system keeps it above its owner";
        EXPECT_EQ(misses->windowFlags().testFlag(Qt::WindowStaysOnTopHint), window->KeepOnTop());

        const QRect shown = misses->frameGeometry();
        const QRect list = OnScreen(window->lstMemoHost());
        EXPECT_FALSE(shown.intersects(OnScreen(window->txtPreview()))) << "the preview stays clear";
        EXPECT_TRUE(screen.contains(shown));
        if (c.beside) {
            EXPECT_GT(shown.left(), window->frameGeometry().right()) << "beside the main window";
            EXPECT_EQ(misses->geometry().top(), list.top()) << "level with the list";
        } else {
            EXPECT_TRUE(list.contains(shown)) << "over the list";
        }
        EXPECT_GE(misses->txtList()->height(), misses->fontMetrics().lineSpacing() * 5);
        EXPECT_EQ(window->txtNearMisses()->toPlainText(),
                  QStringLiteral("第21行\t第五囘 错字\n第41行\t第六囘 又错\n"));

        QTest::keyClick(window->txtNearMisses(), Qt::Key_Escape);
        EXPECT_FALSE(misses->isVisible());
    }
}

TEST_F(NearMissWindow, TheButtonIsDisabledWithoutNearMissesAndTheWindowGoesWithThem) {
    EXPECT_FALSE(window->cmdNearMisses()->isEnabled()) << "no book yet";
    analyse(writeNovel(BookWithNearMisses()));
    ASSERT_TRUE(window->cmdNearMisses()->isEnabled());
    window->cmdNearMisses()->click();
    ASSERT_TRUE(window->nearMissWindow()->isVisible());

    std::vector<std::string> clean = BookWithNearMisses();
    clean[20] = clean[40] = "　　这是正文的一行。";
    analyse(writeNovel(clean, "clean.txt"));
    EXPECT_EQ(window->cmdNearMisses()->text(), QStringLiteral("疑似标题(0)"));
    EXPECT_FALSE(window->cmdNearMisses()->isEnabled());
    EXPECT_FALSE(window->nearMissWindow()->isVisible()) << "an empty window is not left open";
}

TEST_F(NearMissWindow, ADoubleClickShowsTheLineInThePreview) {
    analyse(writeNovel(BookWithNearMisses()));
    window->cmdNearMisses()->click();
    QPlainTextEdit* lines = window->txtNearMisses();
    ASSERT_NE(lines, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->nearMissWindow()));

    const struct {
        int block;
        int line;
        QString text;
    } cases[] = {{1, 41, QStringLiteral("第六囘 又错")}, {0, 21, QStringLiteral("第五囘 错字")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const QTextBlock block = lines->document()->findBlockByNumber(c.block);
        const QRect at = lines->cursorRect(QTextCursor(block));
        QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, at.center() + QPoint(20, 0));
        EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第%1行（疑似标题）").arg(c.line));
        QPlainTextEdit* preview = window->txtPreview();
        const int shownBlock = preview->textCursor().blockNumber();
        EXPECT_EQ(preview->textCursor().block().text(), c.text);
        EXPECT_EQ(window->previewLine(shownBlock), c.line) << "the preview knows its lines";
        EXPECT_EQ(window->previewLine(0), c.line - 3) << "a few lines before it show too";
        EXPECT_EQ(lines->textCursor().selectedText(),
                  QStringLiteral("第%1行\t").arg(c.line) + c.text)
            << "the line shown stays marked";
    }

    // Enter on a line does the same.
    QTextCursor first(lines->document()->firstBlock());
    lines->setTextCursor(first);
    QTest::keyClick(lines, Qt::Key_Return);
    EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第21行（疑似标题）"));
}

TEST_F(NearMissWindow, TheLineShownCanBecomeASplitPoint) {
    analyse(writeNovel(BookWithNearMisses()));
    ASSERT_EQ(list().ItemCount(), 4);
    window->cmdNearMisses()->click();
    QPlainTextEdit* lines = window->txtNearMisses();
    ASSERT_NE(lines, nullptr);
    lines->setTextCursor(QTextCursor(lines->document()->findBlockByNumber(1)));
    QTest::keyClick(lines, Qt::Key_Return);
    ASSERT_EQ(window->lblRow()->text(), QStringLiteral("第41行（疑似标题）"));

    // The preview's cursor stands on the line: Ctrl+Enter splits there.
    window->activateWindow();
    window->txtPreview()->setFocus();
    QTest::keyClick(window->txtPreview(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(list().ItemCount(), 5);
    EXPECT_EQ(QString::fromStdU16String(list().ItemText(4, 1)), QStringLiteral("第六囘 又错"));
    EXPECT_FALSE(list().ItemChecked(4));
}

} // namespace
} // namespace lumarin::app
