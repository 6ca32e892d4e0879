#pragma once
// What a window command says when it fails. Every handler that Qt calls runs
// its command through frmTessel::runGuarded, which turns whatever was thrown
// into one of these texts in a warning box: no exception leaves an event
// handler, and the window carries on.

#include <exception>
#include <string>
#include <string_view>

namespace lumarin::app {

// What a failing command was doing: reading the source, writing the output, or
// neither (the list, the about window). It picks the message form and the path.
enum class CommandSide { Reading, Writing, Other };

// The engine's own message for an EngineError. Anything else in the engine's
// form "无法读取文件: path: reason" or "无法写入: path: reason": the path is the
// file-system error's own, or else `subject` (the source, the output folder),
// which an Other command does not have; with no path, the reason alone.
std::u16string FailureMessage(CommandSide side, std::u16string_view subject,
                              const std::exception_ptr& failure);

} // namespace lumarin::app
