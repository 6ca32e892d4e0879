#include "main/CommandFailure.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace lumarin::app {

namespace {

std::u16string InEngineForm(CommandSide side, std::u16string_view path, const std::string& reason) {
    const std::string where = engine::ToUtf8(path);
    const engine::EngineError error = side == CommandSide::Writing
                                          ? engine::EngineError::writeFailed(where, reason)
                                          : engine::EngineError::readFailed(where, reason);
    return error.message();
}

} // namespace

std::u16string FailureMessage(CommandSide side, std::u16string_view subject,
                              const std::exception_ptr& failure) {
    std::u16string path(side == CommandSide::Other ? std::u16string_view() : subject);
    std::string reason;
    try {
        std::rethrow_exception(failure);
    } catch (const engine::EngineError& error) {
        return error.message();
    } catch (const std::filesystem::filesystem_error& error) {
        if (!error.path1().empty()) path = engine::FromUtf8(error.path1().string());
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
    if (path.empty()) return engine::FromUtf8(reason);
    return InEngineForm(side, path, reason);
}

} // namespace lumarin::app
