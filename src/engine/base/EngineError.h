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
    OtherBook,          // "目录文件属于另一本书: " + the file name of its book
    NoHeadings,         // "没有章节标题，无法分割!"
    NotAnImage,         // "封面不是JPEG或PNG图片: " + path
    FileTooLarge,       // what + "太大: " + path + "（" + limit + "）"
    NotRegularFile,     // "不是普通文件: " + path + "（" + what it is + "）"
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
    // A review or table of contents made of another book; `name` is that
    // book's file name, empty when unknown.
    static EngineError otherBook(const std::string& name);
    // Nothing to split: the analysis found no heading at all.
    static EngineError noHeadings();
    static EngineError notAnImage(const std::string& path);
    // `what` names the file ("封面"), `limit` the limit passed ("上限64 MB").
    static EngineError fileTooLarge(std::u16string_view what, const std::string& path,
                                    std::u16string_view limit);
    // A FIFO, a device, a folder or standard input where a file is to be read;
    // `kind` says which ("命名管道").
    static EngineError notRegularFile(const std::string& path, std::u16string_view kind);
    // Another run holds the output folder.
    static EngineError outputBusy(const std::string& folder);

private:
    ErrorCode m_code;
    std::u16string m_message;
};

} // namespace lumarin::engine
