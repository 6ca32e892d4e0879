// SPDX-License-Identifier: MIT
#pragma once

#include "engine/base/ExitCode.h"

#include <stdexcept>
#include <string>

namespace lumarin::engine {

// What went wrong, for callers that react differently to different refusals
// (the window stays silent on NoSuchFile during an analysis, for instance).
enum class ErrorCode {
    NoSuchFile,         // "无此文件!"
    AllRowsChecked,     // "排除全部条件，无法分割!"
    InvalidCondition,   // "标题条件无效: " + reason
    MatchLimitExceeded, // the condition ran into its match limit on one line
    SourceChanged,      // "源文件已改变，请重新分析!"
    ReadFailed,         // "无法读取文件: " + path + ": " + reason
    WriteFailed,        // "无法写入: " + path + ": " + reason
    OutputExists,       // "输出文件已存在: " + path
    WritesToSource,     // "无法写入: " + path + ": is the source file"
    InvalidReview,      // "目录文件无效: " + reason
    NotAnImage,         // "封面不是JPEG或PNG图片: " + path
    OutputBusy,         // "另一个输出正在写入: " + folder
};

// Refused: the program's own rules said no. Io: the operating system could not
// read or write. Each is its exit status too.
enum class ErrorKind {
    Refused = static_cast<int>(ExitCode::Refused),
    Io = static_cast<int>(ExitCode::IoFailure),
};

// Every failure a user can cause. message() is the exact text to show;
// what() is the same text in UTF-8.
class EngineError : public std::runtime_error {
public:
    EngineError(ErrorCode code, std::u16string message);

    ErrorCode code() const noexcept { return m_code; }
    ErrorKind kind() const noexcept;
    const std::u16string& message() const noexcept { return m_message; }

    static EngineError noSuchFile();
    static EngineError allRowsChecked();
    static EngineError invalidCondition(std::u16string_view reason);
    static EngineError matchLimitExceeded(long long lineNumber);
    static EngineError sourceChanged();
    // reason is the operating system's text (strerror) in UTF-8.
    static EngineError readFailed(const std::string& path, const std::string& reason);
    static EngineError writeFailed(const std::string& path, const std::string& reason);
    // A symbolic link where the output would have to follow one.
    static EngineError symbolicLink(const std::string& path);
    // A file with another name (a hard link) where the output would add to it.
    static EngineError hardLink(const std::string& path);
    static EngineError outputExists(const std::string& path);
    static EngineError writesToSource(const std::string& path);
    // A saved review or table of contents that cannot be used; reason in UTF-8.
    static EngineError invalidReview(const std::string& reason);
    static EngineError notAnImage(const std::string& path);
    // Another run holds the output folder.
    static EngineError outputBusy(const std::string& folder);

private:
    ErrorCode m_code;
    std::u16string m_message;
};

} // namespace lumarin::engine
