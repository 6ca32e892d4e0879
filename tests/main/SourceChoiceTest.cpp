// SPDX-License-Identifier: MIT
// The source side of the window: a chosen file is analysed at once, failures become warning
// boxes and leave a working window, and a missing file named at start is said.
#include "WindowTestSupport.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/WinTypes.h"
#include "platform/testing/ScopedTestServices.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;

// Two chapters twelve lines apart: neither is a table-of-contents row.
const std::vector<std::string> kTwoChapters = {
    "第一章 开始", "", "", "", "", "", "", "", "", "", "", "", "第二章 继续", "二"};

// A chooser that fails the way a broken file system makes it fail.
class FailingFileDialogs final : public platform::IFileDialogs {
public:
    std::u16string
    OpenFile(platform::HWND, const std::u16string&, const std::u16string&,
             const std::vector<std::pair<std::u16string, std::u16string>>&) override {
        throw fs::filesystem_error("status", fs::path("/media/光盘"),
                                   std::make_error_code(std::errc::too_many_symbolic_link_levels));
    }
    std::u16string BrowseFolder(platform::HWND, const std::u16string&,
                                const std::u16string&) override {
        return {};
    }
    std::u16string
    SaveFile(platform::HWND, const std::u16string&, const std::u16string&,
             const std::vector<std::pair<std::u16string, std::u16string>>&) override {
        return {};
    }
};

class SourceChoice : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmTessel>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Books of one or two chapters: no built-in rule claims them, the user's condition does.
        QComboBox* rule = window->cboRule();
        rule->setCurrentIndex(rule->findText(QStringLiteral("自定义条件")));
        novel = dir.path() / "novel.txt";
        test::WriteGbkLines(novel, kTwoChapters);
    }

    void analyse(const QString& path) {
        window->txtFile()->setPlainText(path);
        QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
    }
    void analyse(const fs::path& file) { analyse(QString::fromStdString(file.string())); }

    std::int32_t rows() { return window->lstMemo().ItemCount(); }
    const auto& boxes() { return services.messageBox().Calls(); }

    // Exactly one warning box with this text, and the window still analyses.
    void expectOneWarningAndAWorkingWindow(const std::u16string& text) {
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].text, text);
        EXPECT_EQ(boxes()[0].title, kAppTitle);
        EXPECT_EQ(boxes()[0].flags & 0xF0, platform::MB_ICONWARNING);
        services.messageBox().Clear();
        const auto other = dir.path() / "other.txt";
        test::WriteGbkLines(other, {"第一章 别的"});
        analyse(other);
        EXPECT_EQ(rows(), 1) << "the window works on";
        EXPECT_TRUE(boxes().empty());
    }

    platform::testing::ScopedTestServices services;
    test::TempDir dir;
    fs::path novel;
    std::unique_ptr<frmTessel> window;
};

TEST_F(SourceChoice, ChoosingASourceAnalysesItAtOnce) {
    services.fileDialogs().ScriptOpenFile(novel.u16string());
    QTest::mouseClick(window->cmdOpenFile(), Qt::LeftButton);
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(novel.string()));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(window->windowTitle(), QString::fromStdU16String(kProductCaption) + " - 2/2");

    // Cancelled: the list stays with its file.
    QTest::mouseClick(window->cmdOpenFile(), Qt::LeftButton);
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(novel.string()));
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(SourceChoice, AnUnreadableSourceIsAWarningAndChangesNothing) {
    const auto loop = dir.path() / "loop.txt";
    fs::create_symlink(loop, loop);
    const auto folder = dir.path() / "folder.txt";
    fs::create_directory(folder);
    const struct {
        const char* name;
        QString source;
        std::u16string message;
    } cases[] = {
        {"symbolic-link loop", QString::fromStdString(loop.string()),
         u"无法读取文件: " + loop.u16string() + u": Too many levels of symbolic links"},
        {"folder", QString::fromStdString(folder.string()),
         u"无法读取文件: " + folder.u16string() + u": Is a directory"},
        // A path no file system can hold: half of a surrogate pair.
        {"unpaired surrogate", QStringLiteral("书") + QChar(0xD800) + QStringLiteral(".txt"),
         u"无法读取文件: 书\uFFFD.txt: Invalid or incomplete multibyte or wide character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        analyse(novel);
        ASSERT_EQ(rows(), 2);
        analyse(c.source);
        EXPECT_EQ(rows(), 2) << "the list stays as it was";
        EXPECT_EQ(window->windowTitle(), QString::fromStdU16String(kProductCaption) + " - 2/2");
        expectOneWarningAndAWorkingWindow(c.message);
    }
}

TEST_F(SourceChoice, ADroppedLinkLoopIsAWarning) {
    const auto loop = dir.path() / "LOOP.TXT";
    fs::create_symlink(loop, loop);
    platform::DataObject dropped({loop.u16string()});
    std::int32_t effect = 1;
    std::int16_t button = 1, shift = 0;
    float x = 0, y = 0;
    window->OLEDragDrop(dropped, effect, button, shift, x, y);
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(loop.string()));
    expectOneWarningAndAWorkingWindow(u"无法读取文件: " + loop.u16string() +
                                      u": Too many levels of symbolic links");
}

TEST_F(SourceChoice, AFailingChooserIsAWarning) {
    platform::CurrentServices().fileDialogs = std::make_shared<FailingFileDialogs>();
    QTest::mouseClick(window->cmdOpenFile(), Qt::LeftButton);
    expectOneWarningAndAWorkingWindow(
        u"无法读取文件: /media/光盘: Too many levels of symbolic links");
}

TEST_F(SourceChoice, AFileNamedAtStartIsOpenedOrSaidToBeMissing) {
    const auto missing = dir.path() / "missing.txt";
    window->OpenFromCommandLine(missing.u16string());
    EXPECT_EQ(window->txtFile()->toPlainText(), QString::fromStdString(missing.string()));
    EXPECT_EQ(rows(), 0);
    expectOneWarningAndAWorkingWindow(u"无此文件!");

    // Any extension is taken from the command line.
    const auto other = dir.path() / "novel.text";
    test::WriteGbkLines(other, kTwoChapters);
    window->OpenFromCommandLine(other.u16string());
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(boxes().empty());

    // 分析 on a path that names no file says so too, and keeps the list.
    analyse(missing);
    EXPECT_EQ(rows(), 2);
    expectOneWarningAndAWorkingWindow(u"无此文件!");
}

} // namespace
} // namespace lumarin::app
