// SPDX-License-Identifier: MIT
// The keys a desktop tool answers to: Ctrl+O, F5, Ctrl+S, Ctrl+Q, Alt with a
// button's letter; and the "选项" menu listing every command key.
#include "MainWindowFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <set>

namespace lumarin::app {
namespace {

using Keys = test::MainWindowFixture;

class KeysPressed : public Keys {
protected:
    void SetUp() override {
        Keys::SetUp();
        useOwnCondition(); // two chapters: too few for the automatic choice
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // A key pressed wherever the focus is in the window.
    void press(QKeyCombination keys) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : window.get(), keys.key(), keys.keyboardModifiers());
    }
};

TEST_F(KeysPressed, OpenAnalyseWriteAndClose) {
    const auto book = writeNovel(test::TwoChapters(), "青灯.txt");
    services.fileDialogs().ScriptOpenFile(book.u16string());
    window->txtOut()->setFocus(); // the keys work from a text field too
    press(Qt::CTRL | Qt::Key_O);
    ASSERT_EQ(services.fileDialogs().OpenFileCalls().size(), 1u);
    EXPECT_EQ(list().ItemCount(), 2) << "the book chosen is analysed";

    std::vector<std::string> grown = test::TwoChapters();
    grown.push_back("第三章 结束");
    test::WriteGbkLines(book, grown);
    press(Qt::Key_F5);
    EXPECT_EQ(list().ItemCount(), 3) << "analysed afresh";

    press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(test::ListFiles(dir.path() / "青灯").size(), 4u);

    press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(KeysPressed, AltAndAButtonsLetterPressesIt) {
    window->txtFile()->setPlainText(QString::fromStdString(writeNovel(test::TwoChapters()).string()));
    const struct {
        QAbstractButton* button;
        std::function<bool()> pressed;
    } cases[] = {
        {window->cmdAnalyze(), [&] { return list().ItemCount() == 2; }},
        {window->cmdOrder(), [&] { return list().ItemText(1, 0) == u"."; }},
        {window->cmdSaveOut(), [&] { return test::ListFiles(dir.path() / "novel").size() == 2; }},
    };
    std::set<QChar> letters;
    for (const auto& c : cases) {
        const QString text = c.button->text();
        const qsizetype amp = text.indexOf(u'&');
        ASSERT_GE(amp, 0) << text.toStdString();
        const QChar letter = text.at(amp + 1);
        EXPECT_TRUE(letters.insert(letter).second) << "one letter, one button";
        if (c.button == window->cmdOrder()) list().ItemChecked(1, true);
        press(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(letter.toUpper().unicode())));
        // A mnemonic presses its button as a click does, visibly: the click comes a moment later.
        EXPECT_TRUE(QTest::qWaitFor(c.pressed)) << text.toStdString();
    }
    const QString options = window->cmdOptions()->text();
    ASSERT_GE(options.indexOf(u'&'), 0);
    EXPECT_FALSE(letters.contains(options.at(options.indexOf(u'&') + 1)));
}

TEST_F(Keys, TheOptionsMenuListsEveryCommandKey) {
    std::set<QString> listed;
    for (const QAction* action : window->cmdOptions()->menu()->actions())
        for (const QKeySequence& keys : action->shortcuts())
            listed.insert(keys.toString());
    for (const char* keys : {"Ctrl+O", "F5", "Ctrl+S", "Ctrl+Q", "Ctrl+Z", "Ctrl+Y", "F2", "Del",
                             "Ctrl+Return"})
        EXPECT_TRUE(listed.contains(QString::fromLatin1(keys))) << keys;
}

TEST_F(KeysPressed, AKeyDoesNothingWhereItsButtonIsDisabled) {
    analyse(writeNovel(test::TwoChapters()));
    window->cmdSaveOut()->setEnabled(false);
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "novel"));
}

} // namespace
} // namespace lumarin::app
