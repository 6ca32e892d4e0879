// SPDX-License-Identifier: MIT
// While the output runs, 输出 reads 取消: pressing it stops the run at once,
// the file being written is taken back (removed, or cut back to what it held
// when the run added to it), the finished files stay, and the status line
// says how many were written, never "处理完毕".
#include "MainWindowFixture.h"
#include "engine/output/OpenHook.h"

#include <QLabel>
#include <map>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;
using CancelOutput = test::MainWindowFixture;

std::vector<std::string> EightChapters() {
    std::vector<std::string> lines = {"书名：夜航"};
    for (int n = 1; n <= 8; ++n) {
        lines.push_back("第" + std::to_string(n) + "章 标题" + std::to_string(n));
        lines.insert(lines.end(), 11, "　　正文" + std::to_string(n) + "。");
    }
    return lines;
}

// Every file below `root` by its file number (the name's first three characters).
std::map<std::string, std::string> FilesByNumber(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const std::string& file : test::ListFiles(root))
        files[fs::path(file).filename().string().substr(0, 3)] = test::ReadBytes(root / file);
    return files;
}

// Presses 取消 as the engine opens the file numbered `number`; no press when empty.
class CancelAt {
public:
    CancelAt(frmTessel& window, std::string number) {
        engine::BeforeOpenForTesting() = [&window, number,
                                                       this](const std::string& name) {
            if (number.empty() || !name.starts_with(number)) return;
            caption = window.cmdSaveOut()->text();
            QTest::mouseClick(window.cmdSaveOut(), Qt::LeftButton);
        };
    }
    ~CancelAt() { engine::BeforeOpenForTesting() = nullptr; }
    CancelAt(const CancelAt&) = delete;
    CancelAt& operator=(const CancelAt&) = delete;

    QString caption; // the button's, while the output ran
};

TEST_F(CancelOutput, StopsAtOnceKeepsTheFinishedFilesAndTakesBackTheOneBeingWritten) {
    useOwnCondition();
    analyse(writeNovel(EightChapters()));
    ASSERT_EQ(list().ItemCount(), 8);
    const fs::path out = dir.path() / "novel";
    const auto output = [&](const char* cancelAt, int existingAnswer) {
        services.messageBox().Clear();
        services.messageBox().SetDefaultAnswer(existingAnswer);
        const CancelAt cancel(*window, cancelAt);
        QTest::mouseClick(window->cmdSaveOut(), Qt::LeftButton);
        return cancel.caption;
    };
    const QString caption = window->cmdSaveOut()->text();

    // Into a new folder: files 000-003 whole, nothing of 004.
    EXPECT_EQ(output("004", platform::IDYES), QStringLiteral("取消"));
    EXPECT_EQ(window->cmdSaveOut()->text(), caption);
    const QString said = window->lblState()->toolTip().isEmpty() ? window->lblState()->text()
                                                                 : window->lblState()->toolTip();
    EXPECT_TRUE(said.contains(QStringLiteral("已写好4个文件"))) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("处理完毕")));
    EXPECT_TRUE(services.messageBox().Calls().empty()) << "no 完毕 box";
    const auto cancelled = FilesByNumber(out);

    // The whole output, for comparison.
    fs::remove_all(out);
    output("", platform::IDYES);
    const auto whole = FilesByNumber(out);
    ASSERT_EQ(whole.size(), 9u);
    ASSERT_EQ(cancelled.size(), 4u);
    for (const auto& [number, text] : cancelled)
        EXPECT_EQ(text, whole.at(number)) << number;

    // Added to the files there: 004 is cut back to what it held, 005 on untouched.
    output("004", platform::IDNO);
    auto after = FilesByNumber(out);
    ASSERT_EQ(after.size(), 9u);
    for (const auto& [number, text] : whole)
        EXPECT_EQ(after.at(number), number < "004" ? text + text : text) << number;

    // Over the files there: 004 was emptied to be written again, and goes.
    fs::remove_all(out);
    output("", platform::IDYES);
    output("004", platform::IDYES);
    after = FilesByNumber(out);
    EXPECT_EQ(after.size(), 8u);
    EXPECT_EQ(after.count("004"), 0u);
    for (const auto& [number, text] : after)
        EXPECT_EQ(text, whole.at(number)) << number;

    // Cancelled at the first file: nothing written, and said so.
    fs::remove_all(out);
    output("000", platform::IDYES);
    EXPECT_TRUE(FilesByNumber(out).empty());
    EXPECT_EQ(window->lblState()->text(), QStringLiteral("已取消输出，没有写出文件"));
}

} // namespace
} // namespace lumarin::app
