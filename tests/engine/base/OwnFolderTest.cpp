// SPDX-License-Identifier: MIT
// The program's own files: what is read is a regular file within its limit,
// never a FIFO or a device (and never waited on), never through a link in
// our folder; what is written replaces the name and never what a link there
// points to.
#include "TestFiles.h"
#include "engine/base/EngineError.h"
#include "engine/base/OwnFolder.h"

#include <fstream>
#include <functional>
#include <optional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lumarin::engine {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;

constexpr std::size_t kLimit = 16;

TEST(OwnFolder, ReadsOnlyRegularFilesWithinTheLimit) {
    const TempDir dir;
    const fs::path own = dir.path() / "own";
    fs::create_directory(own);
    std::ofstream(dir.path() / "outside.txt") << "outside";
    const struct {
        const char* name;
        std::function<void(const fs::path&)> plant;
        const char* ownRead; // what OwnFolder::read gives, or null for a refusal
    } cases[] = {
        {"a regular file", [](const fs::path& p) { std::ofstream(p) << "review"; }, "review"},
        {"exactly the limit", [](const fs::path& p) { std::ofstream(p) << std::string(kLimit, 'x'); },
         "xxxxxxxxxxxxxxxx"},
        {"over the limit", [](const fs::path& p) { std::ofstream(p) << std::string(kLimit + 1, 'x'); },
         nullptr},
        {"a link to a regular file",
         [&](const fs::path& p) { fs::create_symlink(dir.path() / "outside.txt", p); }, nullptr},
        {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, nullptr},
        {"a link to an endless device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
         nullptr},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, nullptr},
        {"nothing", [](const fs::path&) {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = own / "f";
        fs::remove_all(file);
        c.plant(file);
        const OwnFolder folder(own, false);
        const auto read = [&](const std::function<std::string()>& how) -> std::optional<std::string> {
            try {
                return how();
            } catch (const EngineError& error) {
                EXPECT_EQ(error.code(), ErrorCode::ReadFailed);
                return std::nullopt;
            }
        };
        const auto ours = read([&] { return folder.read("f", kLimit); });
        EXPECT_EQ(ours, c.ownRead ? std::optional<std::string>(c.ownRead) : std::nullopt);
    }
}

TEST(OwnFolder, ReplacingPutsAFileInTheNamesPlaceAndLeavesALinksTargetAlone) {
    const TempDir dir;
    const fs::path own = dir.path() / "own";
    std::ofstream(dir.path() / "outside.txt") << "outside";
    {
        const OwnFolder folder(own, true); // made when missing
        folder.replace("f", "first");
        EXPECT_EQ(ReadBytes(own / "f"), "first");
        fs::remove(own / "f");
        fs::create_symlink(dir.path() / "outside.txt", own / "f");
        folder.replace("f", "second");
        EXPECT_FALSE(fs::is_symlink(own / "f"));
        EXPECT_EQ(ReadBytes(own / "f"), "second");
        EXPECT_EQ(ReadBytes(dir.path() / "outside.txt"), "outside");
        EXPECT_TRUE(folder.remove("f"));
        EXPECT_FALSE(folder.remove("f"));
        EXPECT_TRUE(fs::is_empty(own)) << "no temporary file stays";
    }
    // A link in the folder's own place is no folder of ours, to read or to write.
    fs::remove_all(own);
    fs::create_directory(dir.path() / "elsewhere");
    fs::create_symlink(dir.path() / "elsewhere", own);
    EXPECT_THROW(OwnFolder(own, false), EngineError);
    EXPECT_THROW(OwnFolder(own, true), EngineError);
    EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));
}

} // namespace
} // namespace lumarin::engine
