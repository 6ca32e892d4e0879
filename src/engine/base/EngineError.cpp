// SPDX-License-Identifier: MIT
#include "engine/base/EngineError.h"

#include "engine/base/TextUtil.h"

namespace lumarin::engine {

EngineError::EngineError(ErrorCode code, std::u16string message)
    : std::runtime_error(ToUtf8(message)), m_code(code), m_message(std::move(message)) {}

ErrorKind EngineError::kind() const noexcept {
    switch (m_code) {
    case ErrorCode::ReadFailed:
    case ErrorCode::WriteFailed:
        return ErrorKind::Io;
    default:
        return ErrorKind::Refused;
    }
}

EngineError EngineError::noSuchFile() {
    return {ErrorCode::NoSuchFile, u"无此文件!"};
}

EngineError EngineError::allRowsChecked() {
    return {ErrorCode::AllRowsChecked, u"排除全部条件，无法分割!"};
}

EngineError EngineError::invalidCondition(std::u16string_view reason) {
    return {ErrorCode::InvalidCondition, u"标题条件无效: " + std::u16string(reason)};
}

EngineError EngineError::matchLimitExceeded(long long lineNumber) {
    return {ErrorCode::MatchLimitExceeded,
            u"标题条件在第" + ToU16Decimal(lineNumber) + u"行超出匹配次数上限，分析已停止!"};
}

EngineError EngineError::sourceChanged() {
    return {ErrorCode::SourceChanged, u"源文件已改变，请重新分析!"};
}

EngineError EngineError::invalidReview(const std::string& reason) {
    return {ErrorCode::InvalidReview, u"目录文件无效: " + FromUtf8(reason)};
}

EngineError EngineError::otherBook(const std::string& name) {
    if (name.empty()) return {ErrorCode::OtherBook, u"目录文件属于另一本书"};
    return {ErrorCode::OtherBook, u"目录文件属于另一本书: " + ShownPath(name)};
}

EngineError EngineError::noHeadings() {
    return {ErrorCode::NoHeadings, u"没有章节标题，无法分割!"};
}

EngineError EngineError::readFailed(const std::string& path, const std::string& reason) {
    return {ErrorCode::ReadFailed, u"无法读取文件: " + ShownPath(path) + u": " + FromUtf8(reason)};
}

EngineError EngineError::notAnImage(const std::string& path) {
    return {ErrorCode::NotAnImage, u"封面不是JPEG或PNG图片: " + ShownPath(path)};
}

EngineError EngineError::fileTooLarge(std::u16string_view what, const std::string& path,
                                      std::u16string_view limit) {
    return {ErrorCode::FileTooLarge, std::u16string(what) + u"太大: " + ShownPath(path) + u"（" +
                                         std::u16string(limit) + u"）"};
}

EngineError EngineError::notRegularFile(const std::string& path, std::u16string_view kind) {
    return {ErrorCode::NotRegularFile,
            u"不是普通文件: " + ShownPath(path) + u"（" + std::u16string(kind) + u"）"};
}

EngineError EngineError::writeFailed(const std::string& path, const std::string& reason) {
    return {ErrorCode::WriteFailed, u"无法写入: " + ShownPath(path) + u": " + FromUtf8(reason)};
}

EngineError EngineError::symbolicLink(const std::string& path) {
    return writeFailed(path, "is a symbolic link");
}

EngineError EngineError::hardLink(const std::string& path) {
    return writeFailed(path, "is a hard link");
}

EngineError EngineError::outputExists(const std::string& path) {
    return {ErrorCode::OutputExists, u"输出文件已存在: " + ShownPath(path)};
}

EngineError EngineError::writesToSource(const std::string& path) {
    return {ErrorCode::WritesToSource, u"无法写入: " + ShownPath(path) + u": is the source file"};
}

EngineError EngineError::outputBusy(const std::string& folder) {
    return {ErrorCode::OutputBusy, u"另一个输出正在写入: " + ShownPath(folder)};
}

} // namespace lumarin::engine
