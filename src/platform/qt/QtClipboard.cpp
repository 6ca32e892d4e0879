#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lumarin::platform::qt {

void QtClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

std::u16string QtClipboard::GetText() const {
    return QGuiApplication::clipboard()->text().toStdU16String();
}

} // namespace lumarin::platform::qt
