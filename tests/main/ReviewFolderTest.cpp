// SPDX-License-Identifier: MIT
// The folder of saved reviews holds files of ours and nothing else: whatever
// is planted there (a link to another file, a FIFO, a link to an endless
// device, an oversized or broken file, a link in the folder's own place), the
// book opens as analysed, a review that cannot be read is said in the status
// line, and saving a review writes nothing outside the folder.
#include "MainWindowFixture.h"
#include "engine/headings/ReviewFile.h"
#include "engine/source/SourceChecksum.h"
#include "main/ReviewStore.h"

#include <QLabel>
#include <fstream>
#include <sys/stat.h>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;
using ReviewFolder = test::MainWindowFixture;

std::vector<std::string> Novel() {
    std::vector<std::string> lines = {"书名：灯下"};
    for (int n = 1; n <= 4; ++n) {
        lines.push_back("第" + std::to_string(n) + "章 标题" + std::to_string(n));
        lines.insert(lines.end(), 11, "　　正文。");
    }
    return lines;
}

TEST_F(ReviewFolder, WhatIsPlantedThereIsNeitherFollowedNorWaitedOnNorBlamedOnTheBook) {
    useOwnCondition();
    const fs::path book = writeNovel(Novel());
    const std::string checksum = engine::SourceChecksum(book);
    const fs::path folder = ReviewStore::folder().toStdU16String();
    const fs::path review = ReviewStore::pathFor(checksum).toStdU16String();
    const fs::path victim = dir.path() / "victim.txt";
    const fs::path elsewhere = dir.path() / "elsewhere";
    const struct {
        const char* name;
        std::function<void()> plant;
        bool said; // the status line says the review was ignored
    } cases[] = {
        {"a link to another file",
         [&] {
             lumarin::test::WriteBytes(victim, "keep me");
             fs::create_symlink(victim, review);
         },
         true},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(review.c_str(), 0600), 0); }, true},
        {"a link to an endless device", [&] { fs::create_symlink("/dev/zero", review); }, true},
        {"larger than any review",
         [&] {
             std::ofstream(review).close();
             fs::resize_file(review, engine::kLargestReviewBytes + 1);
         },
         true},
        {"not a review", [&] { lumarin::test::WriteBytes(review, "{\"rows\": ["); }, true},
        {"the folder is a link",
         [&] {
             fs::remove_all(folder);
             fs::create_directories(elsewhere);
             fs::create_symlink(elsewhere, folder);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(elsewhere);
        std::error_code ignored;
        fs::remove(folder, ignored); // a link in its place
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.plant();
        services.messageBox().Clear();
        analyse(book);
        ASSERT_EQ(list().ItemCount(), 4) << "the book opens whatever the review folder holds";
        EXPECT_TRUE(services.messageBox().Calls().empty()) << "nothing is said about the book";
        EXPECT_EQ(window->lblState()->text().contains(QStringLiteral("上次的审阅无法读取，已忽略")),
                  c.said)
            << window->lblState()->text().toStdString();

        // A change is saved: into a file of the folder's own, never through a link.
        list().ItemChecked(1, true);
        window->lstMemo_ItemCheck(1);
        EXPECT_EQ(test::ReadBytes(victim), fs::exists(victim) ? "keep me" : "");
        EXPECT_TRUE(!fs::exists(elsewhere) || fs::is_empty(elsewhere)) << "nothing written outside";
        if (!fs::is_symlink(folder)) {
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(review)));
            EXPECT_EQ(engine::ParseReviewFile(test::ReadBytes(review)).checksum, checksum);
        }
        fs::remove(victim, ignored);
    }
    std::error_code ignored;
    fs::remove(folder, ignored); // no link left for the next test's clean-up to follow
}

TEST_F(ReviewFolder, AReviewIsReplacedWholeAndNoTemporaryFileStays) {
    useOwnCondition();
    const fs::path book = writeNovel(Novel());
    analyse(book);
    for (std::int32_t r = 0; r < 3; ++r) {
        list().ItemChecked(r, true);
        window->lstMemo_ItemCheck(r);
    }
    const fs::path folder = ReviewStore::folder().toStdU16String();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{engine::SourceChecksum(book) + ".json"});
    const engine::ReviewFile saved = engine::ParseReviewFile(
        test::ReadBytes(ReviewStore::pathFor(engine::SourceChecksum(book)).toStdString()));
    ASSERT_EQ(saved.rows.size(), 4u);
    EXPECT_TRUE(saved.rows[0].checked && saved.rows[1].checked && saved.rows[2].checked);
    EXPECT_FALSE(saved.rows[3].checked);
}

} // namespace
} // namespace lumarin::app
