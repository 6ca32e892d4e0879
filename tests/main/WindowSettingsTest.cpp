// SPDX-License-Identifier: MIT
// What the window keeps between runs, where its choosers open, the output
// folder in the status line and Qt's own texts in Chinese.
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
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTranslator>
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

    services.shell().SetSucceeds(false); // say so when the desktop cannot show it
    QTest::mouseClick(window->cmdOpenOut(), Qt::LeftButton);
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text,
              u"无法打开文件夹: " + (dir.path() / "青灯").u16string());
}

TEST(QtTranslations, StandardButtonsSpeakChineseOnAChineseDesktop) {
    QTranslator* chinese = InstallQtTranslations(*qApp, QLocale(QLocale::Chinese, QLocale::China));
    ASSERT_NE(chinese, nullptr) << "Qt's translations are not installed";
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    }
    QCoreApplication::removeTranslator(chinese);
    delete chinese;

    EXPECT_EQ(InstallQtTranslations(*qApp, QLocale(QLocale::Swahili, QLocale::Kenya)), nullptr)
        << "no translation, nothing installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(u'&'), QStringLiteral("Cancel"));
}

} // namespace
} // namespace lumarin::app
