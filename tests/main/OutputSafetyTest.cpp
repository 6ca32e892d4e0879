// SPDX-License-Identifier: MIT
// The window's 输出 through the same engine as the command line: files already
// there, planted links, its own source, a list made from another file, and
// file-system failures, each a box that leaves the window working.
#include "WindowTestSupport.h"
#include "listview/ListView.h"
#include "main/ProductInfo.h"
#include "main/frmTessel.h"
#include "platform/testing/ScopedTestServices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;
using namespace platform;
using test::ListFiles;
using test::ReadBytes;
using test::TempDir;

std::vector<std::string> ThreeChapters() {
    std::vector<std::string> lines{"前言"};
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(heading);
        lines.resize(lines.size() + 10, "正文");
    }
    return lines;
}

class WindowOutput : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmTessel>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->txtCount()->setText(QStringLiteral("0"));
    }

    fs::path analyse(const std::string& name = "novel.txt") {
        const fs::path file = dir / name;
        fs::create_directories(file.parent_path());
        test::WriteGbkLines(file, ThreeChapters());
        window->txtFile()->setPlainText(QString::fromStdString(file.string()));
        QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
        return file;
    }

    // Presses 输出 and returns the boxes it showed.
    std::vector<testing::RecordingMessageBox::Call> output() {
        services.messageBox().Clear();
        QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
        return services.messageBox().Calls();
    }

    // The window still answers: a fresh output elsewhere goes through.
    void expectStillWorking() {
        EXPECT_FALSE(window->outputRunning());
        EXPECT_TRUE(window->cmdSaveOut()->isEnabled());
        window->cboFolderOut()->setEditText(QString::fromStdString((dir / "fresh").string()));
        const auto boxes = output();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"处理完毕！共4个文件！");
    }

    testing::ScopedTestServices services;
    TempDir dir;
    std::unique_ptr<frmTessel> window;
};

TEST_F(WindowOutput, ExistingFilesAskAndTheAnswerDecides) {
    analyse();
    ASSERT_EQ(output().size(), 1u);
    const fs::path chapter = dir / "novel" / "001-1开始.txt";
    const std::string once = ReadBytes(chapter);
    fs::remove(dir / "novel" / "002-2继续.txt");
    fs::create_symlink(dir / "outside.txt", dir / "novel" / "002-2继续.txt");
    lumarin::test::WriteBytes(dir / "outside.txt", "keep me");

    const struct {
        int answer;
        std::string chapter;    // 001 afterwards
        std::u16string outcome; // the box after the question
    } cases[] = {
        {IDCANCEL, once, u""},
        {IDNO, once,
         u"无法写入: " + (dir / "novel" / "002-2继续.txt").u16string() + u": is a symbolic link"},
        {IDYES, once, u"处理完毕！共4个文件！"},
    };
    for (const auto& c : cases) {
        services.messageBox().ScriptAnswer(c.answer);
        const auto boxes = output();
        ASSERT_GE(boxes.size(), 1u) << c.answer;
        EXPECT_EQ(boxes[0].text,
                  u"输出文件夹中已有4个同名文件。\n是：覆盖　否：追加到末尾　取消：不输出");
        EXPECT_EQ(boxes[0].title, kAppTitle);
        EXPECT_EQ(boxes[0].flags & 0x0F, MB_YESNOCANCEL);
        ASSERT_EQ(boxes.size(), c.outcome.empty() ? 1u : 2u) << c.answer;
        if (!c.outcome.empty()) {
            EXPECT_EQ(boxes[1].text, c.outcome);
        }
        EXPECT_EQ(ReadBytes(chapter), c.chapter) << c.answer;
        EXPECT_EQ(ReadBytes(dir / "outside.txt"), "keep me");
    }
    EXPECT_FALSE(fs::is_symlink(dir / "novel" / "002-2继续.txt"));

    // Without a link in the way, 否 appends.
    services.messageBox().ScriptAnswer(IDNO);
    output();
    EXPECT_EQ(ReadBytes(chapter), once + once);
}

// A command-line run writing the same folder holds it: the window says so and writes nothing.
TEST_F(WindowOutput, AFolderAnotherRunHoldsIsSaidInABox) {
    analyse();
    const fs::path out = dir / "novel";
    fs::create_directories(out);
    const int held = ::open(out.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
    const auto boxes = output();
    ::close(held);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"另一个输出正在写入: " + out.u16string());
    EXPECT_TRUE(fs::is_empty(out));
    expectStillWorking();
}

// A UTF-16 source's unpaired surrogates cannot go into GB18030: the done box counts them.
TEST_F(WindowOutput, ReplacedCharactersAreCountedInTheDoneBox) {
    std::u16string text = u"\uFEFF前言\r\n";
    for (const char16_t* heading : {u"第一章 开始", u"第二章 继续", u"第三章 结束"}) {
        text += std::u16string(heading) + u"\r\n";
        for (int i = 0; i < 10; ++i)
            text += u"正文\r\n";
    }
    text.insert(text.find(u"正文"), 1, char16_t{0xD800});
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    const fs::path file = dir / "utf16.txt";
    lumarin::test::WriteBytes(file, bytes);
    window->txtFile()->setPlainText(QString::fromStdString(file.string()));
    QTest::mouseClick(window->cmdAnalyze(), Qt::LeftButton);
    window->cboOutEncoding()->setCurrentIndex(
        window->cboOutEncoding()->findText(QStringLiteral("GB18030"), Qt::MatchContains));
    const auto boxes = output();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"处理完毕！共4个文件！\n源文件中有1个孤立的UTF-16代理项，已替换为U+FFFD。");
}

TEST_F(WindowOutput, NeverWritesToItsOwnSource) {
    const fs::path source = analyse("w/n.txt");
    fs::create_symlink(".", dir / "w" / "n");
    window->txtOut()->setText(QStringLiteral("n"));
    const std::string before = ReadBytes(source);
    services.messageBox().SetDefaultAnswer(IDYES);
    const auto boxes = output();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"无法写入: " + (dir / "w" / "n" / "n.txt").u16string() + u": is the source file");
    EXPECT_EQ(boxes[0].flags & 0xF0, MB_ICONWARNING);
    EXPECT_EQ(ReadBytes(source), before);
}

TEST_F(WindowOutput, AListMadeFromAnotherFileWritesNothing) {
    analyse();
    const fs::path other = dir / "other.txt";
    test::WriteGbkLines(other, ThreeChapters());
    window->txtFile()->setPlainText(QStringLiteral("  ") + QString::fromStdString(other.string()));
    const auto boxes = output();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"源文件已改变，请重新分析!");
    EXPECT_FALSE(fs::exists(dir / "other"));
    EXPECT_FALSE(fs::exists(dir / "novel"));
}

TEST_F(WindowOutput, FileSystemFailuresAreBoxesAndTheWindowGoesOn) {
    analyse();
    fs::create_symlink("loop", dir / "loop");
    lumarin::test::WriteBytes(dir / "file", "a file");
    const struct {
        fs::path folder;
        std::u16string reason;
    } cases[] = {
        {dir / "loop" / "out", u"Too many levels of symbolic links"},
        {dir / "file", u"Not a directory"},
        {"/proc", u""}, // nothing can be made there; the reason is the system's
    };
    for (const auto& c : cases) {
        window->cboFolderOut()->setEditText(QString::fromStdString(c.folder.string()));
        const auto boxes = output();
        ASSERT_EQ(boxes.size(), 1u) << c.folder;
        const std::u16string prefix = u"无法写入: " + (c.folder / "novel").u16string() + u": ";
        EXPECT_EQ(boxes[0].text.substr(0, prefix.size()), prefix);
        if (!c.reason.empty()) {
            EXPECT_EQ(boxes[0].text.substr(prefix.size()), c.reason);
        }
        EXPECT_EQ(boxes[0].title, kAppTitle);
        EXPECT_EQ(boxes[0].flags & 0xF0, MB_ICONWARNING);
        expectStillWorking();
        fs::remove_all(dir / "fresh");
    }
}

} // namespace
} // namespace lumarin::app
