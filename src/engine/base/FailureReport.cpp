// SPDX-License-Identifier: MIT
#include "engine/base/FailureReport.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace lumarin::engine {

namespace {

std::u16string InEngineForm(FailureSide side, std::u16string_view path, const std::string& reason) {
    const std::string where = ToUtf8(path);
    const EngineError error = side == FailureSide::Writing ? EngineError::writeFailed(where, reason)
                                                           : EngineError::readFailed(where, reason);
    return error.message();
}

} // namespace

FailureReport ReportFailure(const std::exception_ptr& failure, FailureSide side,
                            std::u16string_view subject) {
    std::u16string path(side == FailureSide::Other ? std::u16string_view() : subject);
    std::string reason;
    try {
        std::rethrow_exception(failure);
    } catch (const EngineError& error) {
        return {error.message(), static_cast<ExitCode>(error.kind()), false};
    } catch (const std::filesystem::filesystem_error& error) {
        if (!error.path1().empty()) path = FromUtf8(error.path1().string());
        reason =
            error.code().message(); // the system's text, not the library's "filesystem error: ..."
    } catch (const std::system_error& error) {
        reason = error.code().message();
    } catch (const std::bad_alloc&) {
        reason = "内存不足";
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
        reason = "未知错误";
    }
    if (path.empty()) return {FromUtf8(reason), ExitCode::IoFailure, true};
    return {InEngineForm(side, path, reason), ExitCode::IoFailure, false};
}

} // namespace lumarin::engine
