// SPDX-License-Identifier: MIT
#include "platform/qt/QtFileDialogs.h"

#include "platform/qt/QtText.h"
#include "platform/qt/WindowHostWidget.h"

#include <QFileDialog>
#include <QStringList>

namespace lumarin::platform::qt {

namespace {

QString Patterns(const std::u16string& pattern) {
    QStringList parts;
    for (const QString& p : qs(pattern).split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = p.trimmed();
        parts << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
    }
    return parts.join(u' ');
}

} // namespace

QString QtFileDialogs::QtFilter(const Filter& filter) {
    QStringList lines;
    for (const auto& [caption, pattern] : filter) {
        QString name = qs(caption).trimmed();
        // "文本文件(*.txt)" already shows its patterns; replace them with ours.
        if (name.endsWith(u')')) {
            const qsizetype open = name.lastIndexOf(u'(');
            if (open > 0) name = name.left(open).trimmed();
        }
        lines << QStringLiteral("%1 (%2)").arg(name, Patterns(pattern));
    }
    return lines.join(QStringLiteral(";;"));
}

std::u16string QtFileDialogs::OpenFile(HWND owner, const std::u16string& title,
                                       const std::u16string& startFolder, const Filter& filter) {
    return QFileDialog::getOpenFileName(HostWidgetOf(owner), qs(title), qs(startFolder),
                                        QtFilter(filter))
        .toStdU16String();
}

std::u16string QtFileDialogs::SaveFile(HWND owner, const std::u16string& title,
                                       const std::u16string& startPath, const Filter& filter) {
    return QFileDialog::getSaveFileName(HostWidgetOf(owner), qs(title), qs(startPath),
                                        QtFilter(filter))
        .toStdU16String();
}

std::u16string QtFileDialogs::BrowseFolder(HWND owner, const std::u16string& title,
                                           const std::u16string& startFolder) {
    return QFileDialog::getExistingDirectory(HostWidgetOf(owner), qs(title), qs(startFolder))
        .toStdU16String();
}

} // namespace lumarin::platform::qt
