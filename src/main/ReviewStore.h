// SPDX-License-Identifier: MIT
#pragma once
// Reviews kept between runs, one file per book beside the settings, named by
// the source's checksum: the same book opened again, under any name, finds
// its review; a changed book finds none.

#include "engine/headings/ReviewFile.h"

#include <QString>
#include <optional>
#include <string>

namespace lumarin::app {

class ReviewStore {
public:
    // The folder "reviews" beside the settings file.
    static QString folder();
    static QString pathFor(const std::string& checksum);

    // The review saved for this checksum; nothing when there is none or it
    // cannot be read (a damaged file is no reason to stop opening a book).
    static std::optional<engine::ReviewFile> load(const std::string& checksum);
    // Writes the whole file or nothing; false when it could not be written.
    static bool save(const std::string& checksum, const std::string& json);
    static void forget(const std::string& checksum);

    // Any file: for export and import. readFile throws EngineError.
    static bool writeFile(const QString& path, const std::string& json);
    static engine::ReviewFile readFile(const QString& path);
};

} // namespace lumarin::app
