// SPDX-License-Identifier: MIT
#pragma once

#include "engine/epub/EpubOutline.h"

#include <functional>
#include <string>
#include <string_view>

namespace lumarin::engine {

// What the book's package and contents tell about it.
struct EpubBook {
    std::u16string title;
    std::u16string author;  // empty when none was found
    std::string language;   // "zh" or "zh-Hant"
    std::string identifier; // "urn:uuid:..."
    std::string modified;   // "YYYY-MM-DDThh:mm:ssZ"
    std::string coverFile;  // the cover image inside the book's folder, or "" for none
    std::string coverType;  // its media type
};

// Entry names inside the container.
inline constexpr const char* kEpubPackagePath = "OEBPS/content.opf";
inline constexpr const char* kEpubFolder = "OEBPS/";

// A document handed out piece by piece: each call appends the next piece
// to `out` and returns false after the last. The package and both contents
// grow with the number of chapters, so they are never made whole. `book`
// and `outline` must outlive the producer.
using DocumentPieces = std::function<bool(std::string& out)>;

std::string ContainerDocument();
DocumentPieces PackageDocument(const EpubBook& book, const EpubOutline& outline);
// EPUB 3 contents, "nav.xhtml"
DocumentPieces NavigationDocument(const EpubBook& book, const EpubOutline& outline);
// EPUB 2 contents, "toc.ncx"
DocumentPieces NcxDocument(const EpubBook& book, const EpubOutline& outline);
std::string StyleSheet(); // "style.css"
// The page that shows the cover image, "cover.xhtml".
std::string CoverDocument(const EpubBook& book);
inline constexpr const char* kEpubCoverPage = "cover.xhtml";

// The start and the end of a content document; its paragraphs go between.
std::string ContentDocumentStart(const EpubBook& book, std::u16string_view title);
std::string ContentDocumentEnd();

} // namespace lumarin::engine
