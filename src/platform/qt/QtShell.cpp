#include "platform/qt/QtShell.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
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

} // namespace lumarin::platform::qt
