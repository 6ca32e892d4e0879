// SPDX-License-Identifier: MIT
// The book's container: entries in the order added, streamed ones asked for in
// pieces, and a failed book leaves nothing behind.
#include "engine/epub/EpubArchive.h"

#include "TestFiles.h"
#include "support/EpubContents.h"

#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace lumarin::engine {
namespace {

using Compression = EpubArchive::Compression;
using test::ListFiles;
using test::TempDir;

std::string SeriesName(std::size_t index) {
    return "OEBPS/text/" + std::to_string(index) + ".xhtml";
}

// Entry i of the series: pieces[i] pieces of sizes[i] letters and a number each,
// some larger than libzip reads at a time, one entry with no bytes at all.
constexpr std::size_t kSizes[] = {100000, 0, 7};
constexpr int kPieces[] = {3, 0, 1};

std::string Piece(std::size_t entry, int piece) {
    return std::string(kSizes[entry], static_cast<char>('a' + entry)) + std::to_string(piece);
}

std::string Expected(std::size_t entry) {
    std::string bytes;
    for (int piece = 0; piece < kPieces[entry]; ++piece)
        bytes += Piece(entry, piece);
    return bytes;
}

TEST(EpubArchive, EntriesKeepTheirOrderAndEachSeriesEntryItsOwnBytes) {
    TempDir dir;
    const auto book = dir / "book.epub";
    std::map<std::size_t, int> served; // pieces handed out per entry
    {
        EpubArchive archive(book);
        archive.add("mimetype", "application/epub+zip", Compression::Store);
        archive.addSeries(
            0, SeriesName,
            [](std::size_t, std::string&) -> bool { throw std::logic_error("none"); },
            Compression::Store);
        archive.addSeries(
            3, SeriesName,
            [&served](std::size_t entry, std::string& out) {
                int& piece = served[entry];
                if (piece == kPieces[entry]) return false;
                out += Piece(entry, piece++);
                return piece < kPieces[entry];
            },
            Compression::Store);
        archive.addStreamed(
            "OEBPS/toc.ncx",
            [](std::string& out) {
                out += "<ncx/>";
                return false;
            },
            Compression::Deflate);
        archive.add("OEBPS/style.css", "p {}", Compression::Deflate);
        archive.commit();
    }

    const auto entries = lumarin::test::ReadEpub(book);
    ASSERT_EQ(entries.size(), 6u);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"mimetype", "application/epub+zip"}, {SeriesName(0), Expected(0)},
        {SeriesName(1), Expected(1)},         {SeriesName(2), Expected(2)},
        {"OEBPS/toc.ncx", "<ncx/>"},          {"OEBPS/style.css", "p {}"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].first);
        EXPECT_EQ(entries[i].bytes, expected[i].second) << entries[i].name;
        EXPECT_EQ(entries[i].stored, i < 4) << entries[i].name;
    }
    EXPECT_EQ(served, (std::map<std::size_t, int>{{0, 3}, {1, 0}, {2, 1}}));
    EXPECT_EQ(ListFiles(dir.path()), std::vector<std::string>{"book.epub"});
}

TEST(EpubArchive, AProducerFailureIsRethrownAndLeavesNothing) {
    TempDir dir;
    EpubArchive archive(dir / "book.epub");
    archive.add("mimetype", "application/epub+zip", Compression::Store);
    archive.addSeries(
        3, SeriesName,
        [](std::size_t entry, std::string& out) {
            if (entry == 1) throw std::runtime_error("the source is gone");
            out += "text";
            return false;
        },
        Compression::Store);
    try {
        archive.commit();
        FAIL() << "a failed entry must fail the book";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "the source is gone");
    }
    EXPECT_TRUE(ListFiles(dir.path()).empty());
}

} // namespace
} // namespace lumarin::engine
