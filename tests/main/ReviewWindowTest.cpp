// SPDX-License-Identifier: MIT
// The reader's review in the window: the bulk tick asks first, every review
// action undoes and redoes, splits added from the preview and titles
// corrected in place reach the chapter files and the book, and a review comes
// back when the same book is opened again.
#include "MainWindowFixture.h"
#include "engine/source/SourceChecksum.h"
#include "main/ReviewStore.h"
#include "platform/qt/WindowHostWidget.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTextBlock>
#include <cstdio>
#include <functional>

namespace lumarin::app {
namespace {

using namespace platform;
namespace fs = std::filesystem;

// Chapters twelve lines apart, numbered as given; chapter 2 holds a heading
// no rule finds ("番外 插曲", its sixth line).
std::vector<std::string> Novel(const std::vector<int>& numbers) {
    std::vector<std::string> lines = {"书名：灯下"};
    for (const int n : numbers) {
        lines.push_back("第" + std::to_string(n) + "章 标题" + std::to_string(n));
        for (int i = 1; i <= 11; ++i)
            lines.push_back(n == 2 && i == 5 ? "番外 插曲" : "　　正文" + std::to_string(i));
    }
    return lines;
}

std::vector<int> Numbers(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.push_back(n);
    return numbers;
}

// What a reader sees of the list: marks, first column, heading and title columns.
struct ListShown {
    std::vector<bool> checked;
    std::vector<QString> labels, headings, titles;
    friend bool operator==(const ListShown&, const ListShown&) = default;
    friend void PrintTo(const ListShown& s, std::ostream* out) {
        for (std::size_t r = 0; r < s.checked.size(); ++r)
            *out << "\n  " << (s.checked[r] ? "[x] " : "[ ] ") << s.labels[r].toStdString() << " | "
                 << s.headings[r].toStdString() << " | " << s.titles[r].toStdString();
    }
};

// A file of a zipped book, as unzip gives it.
std::string FileInZip(const fs::path& zip, const std::string& name) {
    const std::string command = "unzip -p '" + zip.string() + "' '" + name + "'";
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, got);
        ::pclose(pipe);
    }
    return text;
}

class ReviewWindow : public test::MainWindowFixture {
protected:
    // The review works on what the user's own condition finds.
    void SetUp() override {
        test::MainWindowFixture::SetUp();
        useOwnCondition();
    }

    ListShown shown() {
        ListShown s;
        for (std::int32_t r = 0; r < list().ItemCount(); ++r)
            s.checked.push_back(list().ItemChecked(r));
        s.labels = column(0);
        s.headings = column(1);
        s.titles = column(2);
        return s;
    }

    void select(std::int32_t row) {
        list().MakeSureVisible(row);
        click(rowPoint(row, 200));
    }

    // Puts the preview's cursor on its n-th line (0: the heading).
    void previewLine(int n) {
        QTextCursor cursor(window->txtPreview()->document()->findBlockByNumber(n));
        window->txtPreview()->setTextCursor(cursor);
    }

    // Adds a split the way a reader does: the row, the line in its preview, Ctrl+Enter.
    void splitFromPreview(std::int32_t row, int line) {
        select(row);
        previewLine(line);
        window->txtPreview()->setFocus();
        QTest::keyClick(window->txtPreview(), Qt::Key_Return, Qt::ControlModifier);
    }

    void retitle(std::int32_t row, const QString& title) {
        select(row);
        window->lstMemoHost()->setFocus();
        QTest::keyClick(window->lstMemoHost(), Qt::Key_F2);
        QLineEdit* editor = window->txtTitleEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(title);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    void undo() { QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier); }
    void redo() { QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier); }
};

TEST_F(ReviewWindow, TickingDoubtedRowsAsksFirstSaysWhyAndKeepsTheListWhereItWas) {
    // 第20章 twice (the second one doubted) and no 第31章 (a gap before 第32章).
    std::vector<int> numbers = Numbers(1, 40);
    numbers.insert(numbers.begin() + 20, 20);
    numbers.erase(std::find(numbers.begin(), numbers.end(), 31));
    analyse(writeNovel(Novel(numbers)));
    ASSERT_EQ(list().ItemCount(), 40);
    ASSERT_EQ(window->cmdCheckFlagged()->text(), QStringLiteral("勾选可疑(2)"));

    select(20);
    EXPECT_EQ(window->lblRow()->text(),
              QStringLiteral("第242行，共66字　可疑：重复：与第230行同为第20章"));
    select(31);
    EXPECT_TRUE(window->lblRow()->text().endsWith(QStringLiteral("可疑：缺章：第31章")));

    list().TopIndex(12);
    const ListShown before = shown();
    services.messageBox().ScriptAnswer(IDNO);
    window->cmdCheckFlagged()->click();
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    const std::u16string question = services.messageBox().Calls()[0].text;
    EXPECT_TRUE(
        question.starts_with(u"勾选2个可疑的行（不作分割点）？\n　第20章 标题20\n　第32章 标题32"))
        << QString::fromStdU16String(question).toStdString();
    EXPECT_EQ(shown(), before) << "no means nothing changes";

    services.messageBox().ScriptAnswer(IDYES);
    window->cmdCheckFlagged()->click();
    EXPECT_TRUE(list().ItemChecked(20));
    EXPECT_TRUE(list().ItemChecked(31));
    EXPECT_EQ(list().TopIndex(), 12) << "the list stays where it was";
    const ListShown after = shown();
    EXPECT_EQ(after.labels[21], QStringLiteral("21")) << "renumbered with the tick";

    undo();
    EXPECT_EQ(shown(), before) << "the tick and its renumbering are one step";
    EXPECT_EQ(list().TopIndex(), 12);
    redo();
    EXPECT_EQ(shown(), after);
    undo();
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown(), after) << "Ctrl+Shift+Z redoes too";
}

TEST_F(ReviewWindow, EveryReviewActionUndoesAndRedoesFromTheMenu) {
    analyse(writeNovel(Novel({1, 2, 3, 5, 6})));
    ASSERT_EQ(list().ItemCount(), 5);
    struct Case {
        const char* action;
        std::function<void()> act;
    };
    const std::vector<Case> cases = {
        {"tick", [&] { click(rowPoint(1, 8)); }},
        {"排序", [&] { QTest::mouseClick(window->cmdOrder(), Qt::LeftButton); }},
        {"untick", [&] { click(rowPoint(1, 8)); }},
        {"bulk tick",
         [&] {
             services.messageBox().ScriptAnswer(IDYES);
             window->cmdCheckFlagged()->click();
         }},
        {"added split", [&] { splitFromPreview(1, 5); }},
        {"renamed title", [&] { retitle(0, QStringLiteral("开端")); }},
        {"renamed added row", [&] { retitle(2, QStringLiteral("插曲")); }},
        {"removed added row",
         [&] {
             select(2);
             window->lstMemoHost()->setFocus();
             QTest::keyClick(window->lstMemoHost(), Qt::Key_Delete);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        const ListShown before = shown();
        c.act();
        const ListShown after = shown();
        EXPECT_NE(after, before);
        ASSERT_TRUE(window->mnuUndo()->isEnabled());
        window->mnuUndo()->trigger();
        EXPECT_EQ(shown(), before);
        ASSERT_TRUE(window->mnuRedo()->isEnabled());
        window->mnuRedo()->trigger();
        EXPECT_EQ(shown(), after);
        EXPECT_FALSE(window->mnuRedo()->isEnabled());
    }
    // The last step put the added row back out; what the steps left is in the list.
    EXPECT_EQ(column(2)[0], QStringLiteral("1-开端"));
    EXPECT_EQ(list().ItemCount(), 5);
}

TEST_F(ReviewWindow, AddedSplitAndCorrectedTitleReachTheFilesAndTheBook) {
    const fs::path source = writeNovel(Novel({1, 2, 3}));
    analyse(source);
    splitFromPreview(1, 5);
    ASSERT_EQ(list().ItemCount(), 4);
    EXPECT_FALSE(list().ItemChecked(2)) << "an added row is a split point";
    EXPECT_EQ(column(1)[2], QStringLiteral("番外 插曲"));
    EXPECT_EQ(column(2)[2], QStringLiteral("0-番外 插曲"));
    EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第19行，手动分章"));

    // A second split at the same line only shows the row that is there.
    splitFromPreview(2, 0);
    EXPECT_EQ(list().ItemCount(), 4);

    // A double click on the title opens the editor there; Escape leaves the title.
    select(0);
    list().MakeSureVisible(0);
    const POINT title = rowPoint(0, window->lstMemo().CellRect(0, 2).left + 20);
    SendMessage(list().hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(title.x, title.y));
    SendMessage(list().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(title.x, title.y));
    SendMessage(list().hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(title.x, title.y));
    SendMessage(list().hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(title.x, title.y));
    ASSERT_NE(window->txtTitleEditor(), nullptr);
    EXPECT_EQ(window->txtTitleEditor()->text(), QStringLiteral("标题1"));
    QTest::keyClick(window->txtTitleEditor(), Qt::Key_Escape);
    EXPECT_EQ(window->txtTitleEditor(), nullptr);
    EXPECT_EQ(column(2)[0], QStringLiteral("1-标题1"));

    retitle(0, QStringLiteral("风起/云涌"));
    EXPECT_EQ(column(2)[0], QStringLiteral("1-风起/云涌"));
    EXPECT_EQ(column(1)[0], QStringLiteral("第1章 标题1")) << "the heading line stays";

    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const fs::path out = dir.path() / "novel";
    EXPECT_EQ(test::ListFiles(out),
              (std::vector<std::string>{
                  "000-0(Index).txt", "1-4(第1章+)/001-1风起云涌.txt", "1-4(第1章+)/002-2标题2.txt",
                  "1-4(第1章+)/003-0番外 插曲.txt", "1-4(第1章+)/004-3标题3.txt"}));
    EXPECT_TRUE(test::ReadBytes(out / "1-4(第1章+)/001-1风起云涌.txt")
                    .starts_with(test::ToGbk("第1章 标题1\r\n")));
    EXPECT_TRUE(test::ReadBytes(out / "1-4(第1章+)/003-0番外 插曲.txt")
                    .starts_with(test::ToGbk("番外 插曲\r\n")));

    window->cboFormat()->setCurrentIndex(window->cboFormat()->findText(QStringLiteral("EPUB")));
    services.messageBox().SetDefaultAnswer(IDYES);
    QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
    const std::string nav = FileInZip(dir.path() / "novel.epub", "OEBPS/nav.xhtml");
    EXPECT_NE(nav.find(">风起/云涌</a>"), std::string::npos) << nav;
    EXPECT_NE(nav.find(">番外 插曲</a>"), std::string::npos);
    EXPECT_NE(nav.find(">第2章 标题2</a>"), std::string::npos);
    EXPECT_EQ(nav.find("第1章 标题1"), std::string::npos);
}

// From a blank line of the preview the split falls on the next line with text.
TEST_F(ReviewWindow, ASplitFromABlankLineFallsOnTheNextLineWithText) {
    std::vector<std::string> lines = Novel({1, 2});
    lines[3] = ""; // the preview's line 2 of 第1章
    lines[4] = "";
    analyse(writeNovel(lines));
    ASSERT_EQ(list().ItemCount(), 2);
    splitFromPreview(0, 2);
    ASSERT_EQ(list().ItemCount(), 3);
    EXPECT_EQ(column(1)[1], QStringLiteral("　　正文4"));
    EXPECT_EQ(window->lblRow()->text(), QStringLiteral("第6行，手动分章"));
}

TEST_F(ReviewWindow, ReviewComesBackForTheSameBookAndNotAfterItChanged) {
    const fs::path source = writeNovel(Novel({1, 2, 3}));
    analyse(source);
    click(rowPoint(2, 8));
    splitFromPreview(1, 5);
    retitle(0, QStringLiteral("开端"));
    QTest::mouseClick(window->cmdOrder(), Qt::LeftButton); // a restored list is numbered
    const ListShown reviewed = shown();
    const std::string checksum = engine::SourceChecksum(source);
    ASSERT_TRUE(QFile::exists(ReviewStore::pathFor(checksum)));

    // A new window, the same book under another name: the review is back.
    window.reset();
    window = std::make_unique<frmTessel>();
    window->show();
    useOwnCondition();
    fs::copy_file(source, dir.path() / "again.txt");
    analyse(dir.path() / "again.txt");
    EXPECT_EQ(shown(), reviewed);
    EXPECT_TRUE(window->lblState()->text().startsWith(QStringLiteral("已恢复上次的审阅")));
    EXPECT_FALSE(window->mnuUndo()->isEnabled()) << "the restored review is where undo starts";

    // The word and its link stay when the window changes size.
    for (const int width : {window->width() + 300, window->width() - 100}) {
        window->resize(width, window->height());
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->lblState()->text().startsWith(QStringLiteral("已恢复上次的审阅")))
            << width << ": " << window->lblState()->text().toStdString();
        EXPECT_TRUE(window->lblState()->text().contains(QStringLiteral("href=\"afresh\"")));
    }

    // Starting afresh (the status line's link) is one step to undo, and undoing it says so.
    emit window->lblState()->linkActivated(QStringLiteral("afresh"));
    EXPECT_EQ(list().ItemCount(), 3);
    EXPECT_EQ(column(2)[0], QStringLiteral("1-标题1"));
    EXPECT_FALSE(QFile::exists(ReviewStore::pathFor(checksum)));
    window->mnuUndo()->trigger();
    EXPECT_EQ(shown(), reviewed);
    EXPECT_TRUE(QFile::exists(ReviewStore::pathFor(checksum)));
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("已撤销重新审阅，之前的审阅已恢复"));

    // A changed book is a new book: nothing comes back.
    test::WriteGbkLines(source, [] {
        auto lines = Novel({1, 2, 3});
        lines.push_back("后记");
        return lines;
    }());
    analyse(source);
    EXPECT_EQ(list().ItemCount(), 3);
    EXPECT_EQ(column(2)[0], QStringLiteral("1-标题1"));
    EXPECT_FALSE(window->lblState()->text().startsWith(QStringLiteral("已恢复")));
}

TEST_F(ReviewWindow, ExportedReviewImportsAndOneOfAnotherSourceIsRefused) {
    const fs::path source = writeNovel(Novel({1, 2, 3}));
    analyse(source);
    splitFromPreview(1, 5);
    retitle(3, QStringLiteral("终章"));
    const ListShown reviewed = shown();
    const fs::path exported = dir.path() / "review.json";
    services.fileDialogs().ScriptSaveFile(exported.u16string());
    window->mnuExportReview()->trigger();
    const std::string json = test::ReadBytes(exported);
    EXPECT_NE(json.find("\"checksum\": \"" + engine::SourceChecksum(source) + "\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"added\": true"), std::string::npos);

    window->mnuFreshReview()->trigger();
    ASSERT_EQ(list().ItemCount(), 3);
    services.fileDialogs().ScriptOpenFile(exported.u16string());
    window->mnuImportReview()->trigger();
    EXPECT_EQ(shown(), reviewed);

    // Another book's review says why and changes nothing.
    const fs::path other = writeNovel(Novel({1, 2}), "other.txt");
    analyse(other);
    const ListShown fresh = shown();
    services.messageBox().Clear();
    services.fileDialogs().ScriptOpenFile(exported.u16string());
    window->mnuImportReview()->trigger();
    ASSERT_EQ(services.messageBox().Calls().size(), 1u);
    EXPECT_EQ(services.messageBox().Calls()[0].text,
              u"目录文件属于另一本书: " + source.filename().u16string());
    EXPECT_EQ(shown(), fresh);

    // What is no review says so in the reader's language, and changes nothing.
    const struct {
        const char* bytes;
        const char16_t* message;
    } invalid[] = {
        {"{\"checksum\": ", u"目录文件无效: 不是JSON文本"},
        {"{\"rows\": []}", u"目录文件无效: 文件缺少“checksum”"},
        {"{\"checksum\": \"x\", \"rows\": [{\"checked\": true, \"title\": \"t\"}]}",
         u"目录文件无效: rows的第1项缺少“start_line”"},
    };
    for (const auto& c : invalid) {
        SCOPED_TRACE(c.bytes);
        const fs::path broken = dir.path() / "broken.json";
        lumarin::test::WriteBytes(broken, c.bytes);
        services.messageBox().Clear();
        services.fileDialogs().ScriptOpenFile(broken.u16string());
        window->mnuImportReview()->trigger();
        ASSERT_EQ(services.messageBox().Calls().size(), 1u);
        EXPECT_TRUE(services.messageBox().Calls()[0].text.starts_with(c.message))
            << QString::fromStdU16String(services.messageBox().Calls()[0].text).toStdString();
        EXPECT_EQ(shown(), fresh);
    }
}

} // namespace
} // namespace lumarin::app
