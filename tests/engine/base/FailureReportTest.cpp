// SPDX-License-Identifier: MIT
#include "engine/base/FailureReport.h"

#include "engine/base/EngineError.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <system_error>

namespace lumarin::engine {
namespace {

namespace fs = std::filesystem;

template <typename Failure> std::exception_ptr Thrown(Failure failure) {
    return std::make_exception_ptr(std::move(failure));
}

TEST(ReportFailure, EveryFailureInTheEngineForm) {
    const auto loop = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    const struct {
        const char* name;
        FailureSide side;
        std::u16string subject;
        std::exception_ptr failure;
        std::u16string expected;
    } cases[] = {
        {"engine refusal", FailureSide::Writing, u"out", Thrown(EngineError::noSuchFile()),
         u"无此文件!"},
        {"engine read failure kept as it is", FailureSide::Writing, u"out",
         Thrown(EngineError::readFailed("a.txt", "Is a directory")),
         u"无法读取文件: a.txt: Is a directory"},
        {"file-system error names its own path", FailureSide::Writing, u"out",
         Thrown(fs::filesystem_error("status", fs::path("/书/loop"), loop)),
         u"无法写入: /书/loop: Too many levels of symbolic links"},
        {"file-system error without a path", FailureSide::Reading, u"a.txt",
         Thrown(fs::filesystem_error("convert",
                                     std::make_error_code(std::errc::illegal_byte_sequence))),
         u"无法读取文件: a.txt: Invalid or incomplete multibyte or wide character"},
        {"system error", FailureSide::Writing, u"out",
         Thrown(std::system_error(std::make_error_code(std::errc::no_space_on_device))),
         u"无法写入: out: No space left on device"},
        {"out of memory", FailureSide::Reading, u"a.txt", Thrown(std::bad_alloc()),
         u"无法读取文件: a.txt: 内存不足"},
        {"any other exception", FailureSide::Reading, u"a.txt", Thrown(std::runtime_error("坏了")),
         u"无法读取文件: a.txt: 坏了"},
        {"not even an exception", FailureSide::Reading, u"a.txt", Thrown(42),
         u"无法读取文件: a.txt: 未知错误"},
        {"no file involved", FailureSide::Other, u"a.txt", Thrown(std::runtime_error("坏了")),
         u"坏了"},
        {"no file involved, but the error names one", FailureSide::Other, u"",
         Thrown(fs::filesystem_error("status", fs::path("/loop"), loop)),
         u"无法读取文件: /loop: Too many levels of symbolic links"},
        {"no subject at all", FailureSide::Reading, u"", Thrown(std::bad_alloc()), u"内存不足"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReportFailure(c.failure, c.side, c.subject).message, c.expected) << c.name;
}

// The exit status follows the engine's kind of refusal; anything else is a
// failed read or write. A message without a path is not in the engine's form.
TEST(ReportFailure, StatusAndForm) {
    const struct {
        const char* name;
        std::exception_ptr failure;
        std::u16string subject;
        ExitCode status;
        bool foreign;
    } cases[] = {
        {"refusal", Thrown(EngineError::allRowsChecked()), u"", ExitCode::Refused, false},
        {"bad condition", Thrown(EngineError::invalidCondition(u"x")), u"", ExitCode::Refused,
         false},
        {"engine write failure", Thrown(EngineError::writeFailed("o", "r")), u"",
         ExitCode::IoFailure, false},
        {"file-system error with a path",
         Thrown(
             fs::filesystem_error("x", fs::path("/o"), std::make_error_code(std::errc::io_error))),
         u"", ExitCode::IoFailure, false},
        {"plain exception, no subject", Thrown(std::runtime_error("坏了")), u"",
         ExitCode::IoFailure, true},
        {"plain exception, a subject", Thrown(std::runtime_error("坏了")), u"out",
         ExitCode::IoFailure, false},
    };
    for (const auto& c : cases) {
        const FailureReport report = ReportFailure(c.failure, FailureSide::Writing, c.subject);
        EXPECT_EQ(report.status, c.status) << c.name;
        EXPECT_EQ(report.foreign, c.foreign) << c.name;
    }
}

} // namespace
} // namespace lumarin::engine
