// SPDX-License-Identifier: MIT
#include "main/ReviewStore.h"

#include "engine/base/EngineError.h"
#include "engine/base/OwnFolder.h"
#include "main/frmTessel.h"
#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace lumarin::app {

namespace {

std::filesystem::path FolderPath() {
    return std::filesystem::path(ReviewStore::folder().toStdU16String());
}

std::string FileName(const std::string& checksum) {
    return checksum + ".json";
}

} // namespace

QString ReviewStore::folder() {
    return QFileInfo(OpenSettings()->fileName()).absolutePath() + QStringLiteral("/reviews");
}

QString ReviewStore::pathFor(const std::string& checksum) {
    return folder() + QLatin1Char('/') + QString::fromStdString(FileName(checksum));
}

ReviewStore::Saved ReviewStore::load(const std::string& checksum) {
    if (checksum.empty()) return {};
    std::error_code ignored;
    const std::filesystem::path folder = FolderPath();
    // No folder yet is no review yet; a link in its place is said below.
    if (!std::filesystem::exists(std::filesystem::symlink_status(folder, ignored))) return {};
    try {
        const engine::OwnFolder reviews(folder, false);
        if (!reviews.has(FileName(checksum))) return {};
        engine::ReviewFile file = engine::ParseReviewFile(
            reviews.read(FileName(checksum), static_cast<std::size_t>(engine::kLargestReviewBytes)));
        if (file.checksum != checksum) return {};
        return {std::move(file), {}};
    } catch (const engine::EngineError& error) {
        return {std::nullopt, platform::qt::qs(error.message())};
    }
}

bool ReviewStore::save(const std::string& checksum, const std::string& json) {
    if (checksum.empty()) return false;
    try {
        engine::OwnFolder(FolderPath(), true).replace(FileName(checksum), json);
        return true;
    } catch (const engine::EngineError&) {
        return false;
    }
}

void ReviewStore::forget(const std::string& checksum) {
    if (checksum.empty()) return;
    try {
        engine::OwnFolder(FolderPath(), false).remove(FileName(checksum));
    } catch (const engine::EngineError&) {
        // No folder of ours, so nothing of ours to forget.
    }
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

} // namespace lumarin::app
