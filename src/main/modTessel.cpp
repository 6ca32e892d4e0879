// SPDX-License-Identifier: MIT
#include "main/modTessel.h"

#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>

namespace lumarin::app {

namespace {

QString FromU16(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

std::u16string ShowOpenDialog(platform::HWND owner, const std::u16string& startFolder) {
    auto& dialogs = platform::CurrentServices().fileDialogs;
    if (!dialogs) return {};
    return dialogs->OpenFile(owner, u"打开文件", startFolder,
                             {{u"文本文件(*.txt)", u"*.txt"}, {u"所有文件", u"*"}});
}

std::u16string ShowCoverDialog(platform::HWND owner, const std::u16string& startFolder) {
    auto& dialogs = platform::CurrentServices().fileDialogs;
    if (!dialogs) return {};
    return dialogs->OpenFile(
        owner, u"选择封面", startFolder,
        {{u"图片(*.jpg *.jpeg *.png)", u"*.jpg *.jpeg *.png"}, {u"所有文件", u"*"}});
}

std::u16string BrowseFolder(platform::HWND owner, std::u16string& strInitialFolder) {
    if (strInitialFolder.size() > 1 && strInitialFolder.back() == u'/') strInitialFolder.pop_back();
    auto& dialogs = platform::CurrentServices().fileDialogs;
    if (!dialogs) return {};
    std::u16string folder = dialogs->BrowseFolder(owner, u"浏览文件夹", strInitialFolder);
    if (folder.size() > 1 && folder.back() == u'/') folder.pop_back();
    return folder;
}

std::u16string FolderOf(const std::u16string& path) {
    const QString trimmed = FromU16(path).trimmed();
    const QFileInfo info(trimmed);
    if (trimmed.isEmpty() || !info.isAbsolute()) return {};
    return QDir::cleanPath(info.absolutePath()).toStdU16String();
}

std::u16string FirstExistingFolder(std::initializer_list<std::u16string> candidates) {
    for (const std::u16string& candidate : candidates) {
        const QFileInfo info(FromU16(candidate));
        if (!candidate.empty() && info.isAbsolute() && info.isDir())
            return QDir::cleanPath(info.absoluteFilePath()).toStdU16String();
    }
    return QDir::homePath().toStdU16String();
}

} // namespace lumarin::app
