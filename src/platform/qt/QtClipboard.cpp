// SPDX-License-Identifier: MIT
#include "platform/qt/QtClipboard.h"

#include "platform/qt/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lumarin::platform::qt {

void QtClipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::SetText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(qs(text));
}

std::u16string QtClipboard::GetText() const {
    return QGuiApplication::clipboard()->text().toStdU16String();
}

} // namespace lumarin::platform::qt
