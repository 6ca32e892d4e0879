// SPDX-License-Identifier: MIT
// What the window keeps between runs (brought onto a smaller screen), where its
// choosers open, the output folder in the status line and Qt's own texts in Chinese.
#include "WindowTestSupport.h"
#include "engine/headings/HeadingCondition.h"
#include "listview/ListView.h"
#include "main/QtTranslations.h"
#include "main/frmTessel.h"
#include "platform/testing/ScopedTestServices.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QRegularExpression>
#include <QScreen>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTranslator>
#include <algorithm>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

using test::TempDir;

QString Q(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

class WindowSettings : public ::testing::Test {
protected:
    void SetUp() override { OpenSettings()->clear(); }

    std::unique_ptr<frmTessel> openWindow() {
        auto window = std::make_unique<frmTessel>();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    platform::testing::ScopedTestServices services;
    TempDir dir;
};

TEST_F(WindowSettings, WhatTheUserSetIsThereAtTheNextStart) {
    std::filesystem::create_directories(dir.path() / "书库");
    {
        auto first = openWindow();
        first->cboRule()->setCurrentIndex(0); // the user's own condition, to write it
        first->txtFind()->setPlainText(QStringLiteral("第(\\d+)(章)(.*)"));
        first->cboRule()->setCurrentIndex(first->cboRule()->count() - 1);
        first->txtOut()->setText(QStringLiteral("%c-%s"));
        first->txtNum()->setText(QStringLiteral("3"));
        first->txtCount()->setText(QStringLiteral("0"));
        first->txtReplace()->setPlainText(QStringLiteral("广告\n推荐票"));
        first->chkDelSpc()->setChecked(false);
        first->chkFJconv()->setChecked(true);
        first->chkClean()->setChecked(true);
        first->chkUnwrap()->setChecked(true);
        first->cboEncoding()->setCurrentIndex(first->cboEncoding()->count() - 1);
        first->cboOutEncoding()->setCurrentIndex(first->cboOutEncoding()->count() - 1);
        first->cboFormat()->setCurrentIndex(first->cboFormat()->findText(QStringLiteral("EPUB")));
        first->cboFolderOut()->setEditText(Q(dir.path() / "输出"));
        services.fileDialogs().ScriptOpenFile((dir.path() / "书库" / "青灯.txt").u16string());
        first->cmdOpenFile_Click();
        first->mnuTopMost()->trigger();
        first->resize(960, 700); // above the least size the window can have
        first->close();
    }
    auto second = openWindow();
    EXPECT_EQ(second->cboRule()->currentIndex(), second->cboRule()->count() - 1)
        << "the chosen built-in rule is kept";
    EXPECT_TRUE(second->txtFind()->isReadOnly()) << "it shows the rule's condition";
    second->cboRule()->setCurrentIndex(0);
    EXPECT_EQ(second->txtFind()->toPlainText(), QStringLiteral("第(\\d+)(章)(.*)"));
    EXPECT_EQ(second->txtOut()->text(), QStringLiteral("%c-%s"));
    EXPECT_EQ(second->txtNum()->text(), QStringLiteral("3"));
    EXPECT_EQ(second->txtCount()->text(), QStringLiteral("0"));
    EXPECT_EQ(second->txtReplace()->toPlainText(), QStringLiteral("广告\n推荐票"));
    EXPECT_FALSE(second->chkDelSpc()->isChecked());
    EXPECT_TRUE(second->chkFJconv()->isChecked());
    EXPECT_TRUE(second->chkClean()->isChecked());
    EXPECT_TRUE(second->chkUnwrap()->isChecked());
    EXPECT_TRUE(second->cmdCover()->isEnabled()) << "the book chosen again brings its cover";
    EXPECT_EQ(second->cboEncoding()->currentIndex(), second->cboEncoding()->count() - 1);
    EXPECT_EQ(second->cboOutEncoding()->currentIndex(), second->cboOutEncoding()->count() - 1);
    EXPECT_EQ(second->cboFormat()->currentText(), QStringLiteral("EPUB"));
    EXPECT_FALSE(second->cboOutEncoding()->isEnabled()) << "a book is always UTF-8";
    EXPECT_EQ(second->cboFolderOut()->currentText(), Q(dir.path() / "输出"));
    EXPECT_EQ(second->cboFolderOut()->findText(QStringLiteral("(default)")), 0)
        << "the built-in choices stay";
    EXPECT_EQ(second->m_strLastFolder_(), (dir.path() / "书库").u16string());
    EXPECT_FALSE(second->KeepOnTop());
    EXPECT_FALSE(second->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(second->mnuTopMost()->isChecked());
    EXPECT_EQ(second->size(), QSize(960, 700));
    EXPECT_TRUE(second->txtFile()->toPlainText().isEmpty()) << "the source is not kept";
}

// A settings file from a larger screen, or a place off this one: the window
// opens on the screen, whole, as large as the screen allows.
TEST_F(WindowSettings, ASavedSizeOrPlaceThatDoesNotFitIsBroughtOntoTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        QRect saved;
    } cases[] = {
        {"larger than the screen", QRect(10, 10, screen.width() * 2, screen.height() * 2)},
        {"off to the right and below", QRect(screen.right() - 100, screen.bottom() - 50, 900, 650)},
        {"on a screen to the left that is gone", QRect(-3000, 200, 900, 650)},
        {"above the top", QRect(100, -400, 900, 650)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            auto first = openWindow();
            first->setGeometry(c.saved);
            first->close();
        }
        auto second = openWindow();
        const QRect shown = second->frameGeometry();
        EXPECT_TRUE(screen.contains(shown))
            << shown.x() << "," << shown.y() << " " << shown.width() << "x" << shown.height();
        EXPECT_GE(second->width(), std::min(c.saved.width(), screen.width() - 40));
    }

    // One that fits stays as it was.
    {
        auto first = openWindow();
        first->setGeometry(QRect(screen.topLeft() + QPoint(200, 150), QSize(900, 650)));
        first->close();
    }
    auto again = openWindow();
    EXPECT_EQ(again->size(), QSize(900, 650));
    EXPECT_LE((again->pos() - (screen.topLeft() + QPoint(200, 150))).manhattanLength(), 8)
        << "where it was, give or take its frame";
}

TEST_F(WindowSettings, TheListsColumnWidthsAreKept) {
    std::vector<int> widths;
    {
        auto first = openWindow();
        widths = first->columnWidths();
        ASSERT_EQ(widths.size(), 4u);
        widths[0] += 22;
        widths[1] -= 60;
        widths[3] += 30;
        first->setColumnWidths(widths);
        widths = first->columnWidths(); // the preview takes what the others leave
        first->close();
    }
    auto second = openWindow();
    EXPECT_EQ(second->columnWidths(), widths);
}

TEST_F(WindowSettings, TopMostIsOnUntilTurnedOffAndTheDefaultConditionComesBack) {
    auto window = openWindow();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->mnuTopMost()->isChecked());

    window->mnuTopMost()->trigger();
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible()) << "changing the flag must not hide the window";
    window->mnuTopMost()->trigger();
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    window->cboRule()->setCurrentIndex(0);
    window->txtFind()->setPlainText(QStringLiteral("第(.*)"));
    window->cboRule()->setCurrentIndex(1);
    window->mnuDefaultCondition()->trigger();
    EXPECT_FALSE(window->txtFind()->isReadOnly()) << "the default condition is the user's own";
    EXPECT_EQ(window->txtFind()->toPlainText().toStdU16String(), engine::kDefaultCondition);
}

TEST_F(WindowSettings, ChoosersOpenNearTheNovelElseInTheLastFolderElseAtHome) {
    for (const char* sub : {"书库", "上次", "输出"})
        std::filesystem::create_directories(dir.path() / sub);
    const QString home = QDir::homePath();
    auto window = openWindow();

    struct Case {
        QString source;       // txtFile
        QString outputFolder; // cboFolderOut
        QString chosenFile;   // what the open chooser returns ("" = cancelled)
        QString opensIn;      // where the open chooser starts
        QString browsesIn;    // where the folder chooser starts
    };
    const Case cases[] = {
        {"", "(default)", "", home, home},
        {"relative/青灯.txt", "(default)", "", home, home},
        {Q(dir.path() / "书库/青灯.txt"), "(default)", "", Q(dir.path() / "书库"),
         Q(dir.path() / "书库")},
        {Q(dir.path() / "书库/青灯.txt"), Q(dir.path() / "输出/"), "", Q(dir.path() / "书库"),
         Q(dir.path() / "输出")},
        {"", "(default)", Q(dir.path() / "上次/别的.txt"), home, Q(dir.path() / "上次")},
        {Q(dir.path() / "不存在/青灯.txt"), "(default)", "", Q(dir.path() / "上次"),
         Q(dir.path() / "上次")},
    };
    for (const Case& c : cases) {
        window->txtFile()->setPlainText(c.source);
        window->cboFolderOut()->setEditText(c.outputFolder);
        services.fileDialogs().ScriptOpenFile(c.chosenFile.toStdU16String());
        window->cmdOpenFile_Click();
        EXPECT_EQ(
            QString::fromStdU16String(services.fileDialogs().OpenFileCalls().back().startFolder),
            c.opensIn)
            << c.source.toStdString();
        window->txtFile()->setPlainText(c.source);
        window->cboFolderOut()->setEditText(c.outputFolder);
        window->cmdOpenFolder_Click(); // cancelled
        EXPECT_EQ(QString::fromStdU16String(
                      services.fileDialogs().BrowseFolderCalls().back().startFolder),
                  c.browsesIn)
            << c.source.toStdString() << " / " << c.outputFolder.toStdString();
    }
}

TEST_F(WindowSettings, AfterAnOutputTheStatusLineOpensTheOutputFolder) {
    std::vector<std::string> lines{"前言"};
    for (const char* heading : {"第一章 开始", "第二章 继续"}) {
        lines.push_back(heading);
        lines.insert(lines.end(), 10, "正文");
    }
    const auto source = dir.path() / "青灯.txt";
    test::WriteGbkLines(source, lines);
    auto window = openWindow();
    window->cboRule()->setCurrentIndex(0); // two chapters: too few for the automatic choice
    EXPECT_FALSE(window->cmdOpenOut()->isEnabled()) << "no folder before an output";
    EXPECT_FALSE(window->cmdOpenOut()->isVisible());

    window->txtFile()->setPlainText(Q(source));
    QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::is_directory(dir.path() / "青灯"));
    EXPECT_EQ(window->lblState()->text(),
              QStringLiteral("处理完毕！共3个文件，已写入 ") + Q(dir.path() / "青灯"));
    ASSERT_TRUE(window->cmdOpenOut()->isEnabled());
    EXPECT_EQ(window->cmdOpenOut()->text(), QStringLiteral("打开输出文件夹"));
    EXPECT_EQ(window->cmdOpenOut()->toolTip(), Q(dir.path() / "青灯"));

    services.messageBox().Clear();
    QTest::mouseClick(window->cmdOpenOut(), Qt::LeftButton);
    ASSERT_EQ(services.shell().OpenedFolders().size(), 1u);
    EXPECT_EQ(services.shell().OpenedFolders()[0], (dir.path() / "青灯").u16string());
    EXPECT_TRUE(services.shell().OpenedUrls().empty());
    EXPECT_TRUE(services.messageBox().Calls().empty());

    // Without a file manager: said, with the folder's path to copy.
    services.shell().SetSucceeds(false);
    const std::u16string folder = (dir.path() / "青灯").u16string();
    for (const int answer : {platform::IDNO, platform::IDYES}) {
        services.clipboard().Clear();
        services.messageBox().Clear();
        services.messageBox().ScriptAnswer(answer);
        QTest::mouseClick(window->cmdOpenOut(), Qt::LeftButton);
        ASSERT_EQ(services.messageBox().Calls().size(), 1u);
        EXPECT_EQ(services.messageBox().Calls()[0].text,
                  u"无法打开文件夹: " + folder + u"\n没有可用的文件管理器。要复制文件夹的路径吗？");
        EXPECT_EQ(services.messageBox().Calls()[0].flags & 0x0F, platform::MB_YESNO);
        EXPECT_EQ(services.clipboard().GetText(), answer == platform::IDYES ? folder : u"");
    }
}

// The folder's link is drawn like the links in the status line's text: in the
// link colour, underlined.
TEST_F(WindowSettings, TheOutputFoldersLinkLooksLikeALink) {
    auto window = openWindow();
    QPushButton* link = window->cmdOpenOut();
    link->setText(QStringLiteral("打开输出文件夹"));
    link->resize(link->sizeHint());
    const QImage drawn = link->grab().toImage();
    const QColor linkColour = link->palette().color(QPalette::Link);
    const QColor face = link->palette().color(QPalette::Window);
    int inLinkColour = 0;
    std::vector<int> perRow(drawn.height());
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor pixel = drawn.pixelColor(x, y);
            if (std::abs(pixel.red() - linkColour.red()) + std::abs(pixel.green() - linkColour.green()) +
                    std::abs(pixel.blue() - linkColour.blue()) < 60) {
                ++inLinkColour;
                ++perRow[y];
            }
        }
    EXPECT_GT(inLinkColour, 20) << "its text is in the link colour";
    EXPECT_GT(*std::max_element(perRow.begin(), perRow.end()), drawn.width() / 2)
        << "an underline runs under it";
    EXPECT_NE(linkColour, face);
}

// A text as shown, without its mnemonic ("(&C)", "&") and the key after a tab.
QString Shown(const QString& text) {
    return text.section(u'\t', 0, 0).remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
}

// Qt's own texts are Chinese whatever the desktop's language (these tests run in the C locale).
TEST(QtTranslations, QtsOwnTextsAreChineseInEveryLocale) {
    QTranslator* chinese = InstallQtTranslations(*qApp);
    ASSERT_NE(chinese, nullptr) << "Qt's translations are not installed";
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Yes | QDialogButtonBox::No);
        const struct {
            QDialogButtonBox::StandardButton button;
            const char* text;
        } buttons[] = {{QDialogButtonBox::Ok, "确定"},
                       {QDialogButtonBox::Cancel, "取消"},
                       {QDialogButtonBox::Yes, "是"},
                       {QDialogButtonBox::No, "否"}};
        for (const auto& b : buttons)
            EXPECT_EQ(Shown(box.button(b.button)->text()), QString::fromUtf8(b.text));
        // The preview's menu.
        QPlainTextEdit preview(QStringLiteral("第一章"));
        preview.setReadOnly(true);
        std::unique_ptr<QMenu> menu(preview.createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) texts << Shown(action->text());
        EXPECT_TRUE(texts.contains(QStringLiteral("复制"))) << texts.join(u' ').toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("全选"))) << texts.join(u' ').toStdString();
    }
    QCoreApplication::removeTranslator(chinese);
    delete chinese;
}

} // namespace
} // namespace lumarin::app
