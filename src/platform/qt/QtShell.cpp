// SPDX-License-Identifier: MIT
#include "platform/qt/QtShell.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace lumarin::platform::qt {

bool QtShell::OpenUrl(const std::u16string& url) {
    const QUrl target(qs(url), QUrl::StrictMode);
    // Only real web addresses: a bad or local string must not launch anything.
    if (!target.isValid() ||
        (target.scheme() != "http" && target.scheme() != "https" && target.scheme() != "mailto"))
        return false;
    return QDesktopServices::openUrl(target);
}

bool QtShell::OpenFolder(const std::u16string& folder) {
    // A folder and nothing else: a file handed to the desktop would be run or
    // opened by whatever program claims it.
    const QFileInfo info(qs(folder));
    if (folder.empty() || !info.isAbsolute() || !info.isDir()) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::cleanPath(info.absoluteFilePath())));
}

} // namespace lumarin::platform::qt
