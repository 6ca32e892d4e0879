// SPDX-License-Identifier: MIT
#pragma once
// Reviews kept between runs, one file per book beside the settings, named by
// the source's checksum: the same book opened again, under any name, finds
// its review; a changed book finds none. The folder holds files of ours only:
// a link, a FIFO or an oversized file found there is never followed, waited
// on or read whole, and a file is replaced whole, never written in place.

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

    struct Saved {
        std::optional<engine::ReviewFile> file; // the review for the checksum, when one is
        QString problem; // why the file there could not be read; empty otherwise
    };
    // The review saved for this checksum. A file that cannot be read is no
    // reason to stop opening a book: `problem` says what is wrong with it.
    static Saved load(const std::string& checksum);
    // Writes the whole file or nothing; false when it could not be written.
    static bool save(const std::string& checksum, const std::string& json);
    static void forget(const std::string& checksum);

    // Any file, for export. False when it could not be written whole.
    static bool writeFile(const QString& path, const std::string& json);
};

} // namespace lumarin::app
