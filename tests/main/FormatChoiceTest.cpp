// SPDX-License-Identifier: MIT
// The window's choices of format and encodings: a book instead of chapter files, a source read
// in the encoding the user names, chapter files written in the one asked for.
#include "MainWindowFixture.h"
#include "main/ProductInfo.h"
#include "support/EpubContents.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;
using namespace platform;
using test::ReadBytes;

std::vector<std::string> ThreeChapters(const std::string& frontMatter) {
    std::vector<std::string> lines{frontMatter};
    for (const char* heading : {"第一章 开始", "第二章 继续", "第三章 结束"}) {
        lines.push_back(heading);
        lines.resize(lines.size() + 10, "　　正文");
    }
    return lines;
}

class FormatChoice : public test::MainWindowFixture {
protected:
    std::vector<testing::RecordingMessageBox::Call> output() {
        services.messageBox().Clear();
        QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
        return services.messageBox().Calls();
    }

    static void choose(QComboBox* box, const char* text) {
        const int index = box->findText(QString::fromUtf8(text));
        ASSERT_GE(index, 0) << text;
        box->setCurrentIndex(index);
    }
};

TEST_F(FormatChoice, StartsWithTextFilesAndTheSourceEncodings) {
    EXPECT_EQ(window->cboFormat()->currentText(), "文本文件");
    EXPECT_EQ(window->cboEncoding()->currentText(), "自动识别");
    EXPECT_EQ(window->cboOutEncoding()->currentText(), "同源文件");
    EXPECT_EQ(window->cboEncoding()->count(), 6);
    EXPECT_EQ(window->cboOutEncoding()->count(), 4);
    choose(window->cboFormat(), "EPUB");
    EXPECT_FALSE(window->cboOutEncoding()->isEnabled()); // a book is UTF-8
}

TEST_F(FormatChoice, EpubGoesIntoTheChosenFolderNamedAfterTheSource) {
    const fs::path source = dir / "灯下.txt";
    test::WriteGbkLines(source, ThreeChapters("《灯下旧事》"));
    fs::create_directory(dir / "books");
    analyse(source);
    choose(window->cboFormat(), "EPUB");

    const struct {
        QString folder;
        fs::path book;
    } cases[] = {
        {QStringLiteral("(default)"), dir / "灯下.epub"},
        {QString::fromStdString((dir / "books").string()), dir / "books" / "灯下.epub"},
    };
    for (const auto& c : cases) {
        window->cboFolderOut()->setEditText(c.folder);
        const auto boxes = output();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, u"处理完毕！共3章，已写入 " + c.book.u16string());
        EXPECT_EQ(boxes[0].title, u"完毕");
        EXPECT_EQ(window->lblState()->text().toStdU16String(), boxes[0].text);
        EXPECT_EQ(ReadBytes(c.book).substr(30, 28), "mimetypeapplication/epub+zip");
    }
    EXPECT_FALSE(fs::exists(dir / "灯下")) << "no chapter folder for a book";
    EXPECT_FALSE(window->outputRunning());
}

// The package document's text between <tag> and </tag>, or "" when it has none.
std::string Metadata(const fs::path& book, const std::string& tag) {
    const std::string package = lumarin::test::EntryText(lumarin::test::ReadEpub(book), "OEBPS/content.opf");
    const std::size_t open = package.find("<" + tag + ">");
    if (open == std::string::npos) return {};
    const std::size_t from = open + tag.size() + 2;
    return package.substr(from, package.find("</" + tag + ">", from) - from);
}

TEST_F(FormatChoice, TheBooksTitleAndAuthorAreFoundAndCanBeCorrected) {
    QLineEdit* title = window->txtBookTitle();
    QLineEdit* author = window->txtBookAuthor();
    EXPECT_FALSE(title->isEnabled()) << "chapter files have no title";
    EXPECT_FALSE(author->isEnabled());
    choose(window->cboFormat(), "EPUB");
    EXPECT_TRUE(title->isEnabled());
    EXPECT_TRUE(author->isEnabled());

    const struct {
        const char* file;
        std::vector<std::string> front;
        const char* title;
        const char* author;
    } books[] = {
        {"灯下.txt", {"《灯下旧事》", "作者：林一"}, "灯下旧事", "林一"},
        {"山河_张三.txt", {"前言"}, "山河", "张三"},
        {"无名.txt", {"简介：一本书"}, "无名", ""},
    };
    for (const auto& b : books) {
        SCOPED_TRACE(b.file);
        std::vector<std::string> lines = b.front;
        for (const std::string& line : ThreeChapters("正文之前"))
            lines.push_back(line);
        analyse(writeNovel(lines, b.file));
        EXPECT_EQ(title->text(), QString::fromUtf8(b.title));
        EXPECT_EQ(author->text(), QString::fromUtf8(b.author));
    }

    // Corrections are written, and kept while the book stays the same.
    const fs::path source = writeNovel(ThreeChapters("《灯下旧事》"), "灯下.txt");
    analyse(source);
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Lamp Tales"));
    author->selectAll();
    QTest::keyClicks(author, QStringLiteral("Lin Er"));
    analyse(source);
    EXPECT_EQ(title->text(), QStringLiteral("Lamp Tales"));
    ASSERT_EQ(output().size(), 1u);
    EXPECT_EQ(Metadata(dir / "灯下.epub", "dc:title"), "Lamp Tales");
    EXPECT_EQ(Metadata(dir / "灯下.epub", "dc:creator"), "Lin Er");

    analyse(writeNovel(ThreeChapters("《别的书》"), "别的.txt"));
    EXPECT_EQ(title->text(), QStringLiteral("别的书")) << "another book brings its own";
    EXPECT_EQ(author->text(), QString());
}

TEST_F(FormatChoice, AnExistingBookIsReplacedOnlyOnYes) {
    const fs::path source = dir / "novel.txt";
    test::WriteGbkLines(source, ThreeChapters("前言"));
    lumarin::test::WriteBytes(dir / "novel.epub", "mine");
    analyse(source);
    choose(window->cboFormat(), "EPUB");

    services.messageBox().ScriptAnswer(IDNO);
    auto boxes = output();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              u"输出文件已存在: " + (dir / "novel.epub").u16string() + u"\n是：覆盖　否：不输出");
    EXPECT_EQ(boxes[0].flags & 0x0F, MB_YESNO);
    EXPECT_EQ(ReadBytes(dir / "novel.epub"), "mine");

    services.messageBox().ScriptAnswer(IDYES);
    boxes = output();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].title, u"完毕");
    EXPECT_TRUE(ReadBytes(dir / "novel.epub").starts_with("PK"));
}

TEST_F(FormatChoice, EncodingsAsChosen) {
    // UTF-16 without a byte order mark: read as GB18030 its headings are lost.
    std::string text;
    for (const auto& line : ThreeChapters("书名"))
        text += line + "\r\n";
    const fs::path source = dir / "utf16.txt";
    lumarin::test::WriteBytes(source, lumarin::test::EncodeWithIconv(text, "UTF-16LE"));
    window->txtCount()->setText(QStringLiteral("0"));

    analyse(source);
    EXPECT_EQ(window->lstMemo().ItemCount(), 0);
    choose(window->cboEncoding(), "UTF-16LE");
    analyse(source);
    ASSERT_EQ(window->lstMemo().ItemCount(), 3);

    choose(window->cboOutEncoding(), "GB18030 (GBK)");
    ASSERT_EQ(output().size(), 1u);
    EXPECT_EQ(ReadBytes(dir / "utf16" / "001-1开始.txt").substr(0, 13),
              test::ToGbk("第一章 开始\r\n"));
    EXPECT_EQ(ReadBytes(dir / "utf16" / "000-0(Index).txt"), test::ToGbk("书名\r\n"));
}

} // namespace
} // namespace lumarin::app
