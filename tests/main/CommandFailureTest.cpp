#include "main/CommandFailure.h"

#include "engine/base/EngineError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <system_error>

namespace lumarin::app {
namespace {

namespace fs = std::filesystem;

template <typename Failure> std::exception_ptr Thrown(Failure failure) {
    return std::make_exception_ptr(std::move(failure));
}

TEST(FailureMessage, EveryFailureInTheEngineForm) {
    const auto loop = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    const struct {
        const char* name;
        CommandSide side;
        std::u16string subject;
        std::exception_ptr failure;
        std::u16string expected;
    } cases[] = {
        {"engine refusal", CommandSide::Writing, u"out", Thrown(engine::EngineError::noSuchFile()),
         u"无此文件!"},
        {"engine read failure kept as it is", CommandSide::Writing, u"out",
         Thrown(engine::EngineError::readFailed("a.txt", "Is a directory")),
         u"无法读取文件: a.txt: Is a directory"},
        {"file-system error names its own path", CommandSide::Writing, u"out",
         Thrown(fs::filesystem_error("status", fs::path("/书/loop"), loop)),
         u"无法写入: /书/loop: Too many levels of symbolic links"},
        {"file-system error without a path", CommandSide::Reading, u"a.txt",
         Thrown(fs::filesystem_error("convert",
                                     std::make_error_code(std::errc::illegal_byte_sequence))),
         u"无法读取文件: a.txt: Invalid or incomplete multibyte or wide character"},
        {"system error", CommandSide::Writing, u"out",
         Thrown(std::system_error(std::make_error_code(std::errc::no_space_on_device))),
         u"无法写入: out: No space left on device"},
        {"out of memory", CommandSide::Reading, u"a.txt", Thrown(std::bad_alloc()),
         u"无法读取文件: a.txt: 内存不足"},
        {"any other exception", CommandSide::Reading, u"a.txt", Thrown(std::runtime_error("坏了")),
         u"无法读取文件: a.txt: 坏了"},
        {"not even an exception", CommandSide::Reading, u"a.txt", Thrown(42),
         u"无法读取文件: a.txt: 未知错误"},
        {"no file involved", CommandSide::Other, u"a.txt", Thrown(std::runtime_error("坏了")),
         u"坏了"},
        {"no file involved, but the error names one", CommandSide::Other, u"",
         Thrown(fs::filesystem_error("status", fs::path("/loop"), loop)),
         u"无法读取文件: /loop: Too many levels of symbolic links"},
        {"no subject at all", CommandSide::Reading, u"", Thrown(std::bad_alloc()), u"内存不足"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FailureMessage(c.side, c.subject, c.failure), c.expected) << c.name;
}

} // namespace
} // namespace lumarin::app
