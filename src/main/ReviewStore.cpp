// SPDX-License-Identifier: MIT
#include "main/ReviewStore.h"

#include "engine/base/EngineError.h"
#include "main/frmTessel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace lumarin::app {

QString ReviewStore::folder() {
    return QFileInfo(OpenSettings()->fileName()).absolutePath() + QStringLiteral("/reviews");
}

QString ReviewStore::pathFor(const std::string& checksum) {
    return folder() + QLatin1Char('/') + QString::fromStdString(checksum) +
           QStringLiteral(".json");
}

std::optional<engine::ReviewFile> ReviewStore::load(const std::string& checksum) {
    if (checksum.empty() || !QFileInfo::exists(pathFor(checksum))) return std::nullopt;
    try {
        engine::ReviewFile file = readFile(pathFor(checksum));
        if (file.checksum != checksum) return std::nullopt;
        return file;
    } catch (const engine::EngineError&) {
        return std::nullopt;
    }
}

bool ReviewStore::save(const std::string& checksum, const std::string& json) {
    if (checksum.empty() || !QDir().mkpath(folder())) return false;
    return writeFile(pathFor(checksum), json);
}

void ReviewStore::forget(const std::string& checksum) {
    if (!checksum.empty()) QFile::remove(pathFor(checksum));
}

bool ReviewStore::writeFile(const QString& path, const std::string& json) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(json.data(), static_cast<qint64>(json.size())) !=
        static_cast<qint64>(json.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

engine::ReviewFile ReviewStore::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw engine::EngineError::readFailed(path.toStdString(), file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    return engine::ParseReviewFile(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace lumarin::app
