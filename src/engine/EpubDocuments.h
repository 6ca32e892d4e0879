#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumarin::engine {

// What the book's package, contents and documents are made from.
struct EpubBook {
    struct Document {
        std::string id;   // manifest id
        std::string href; // relative to the package document
        std::u16string title;
    };
    struct Chapter {
        std::u16string label; // its heading line
        std::string href;     // document#anchor
    };

    std::u16string title;
    std::u16string author;           // empty when none was found
    std::string language;            // "zh" or "zh-Hant"
    std::string identifier;          // "urn:uuid:..."
    std::string modified;            // "YYYY-MM-DDThh:mm:ssZ"
    std::vector<Document> documents; // in reading order
    std::vector<Chapter> chapters;   // in reading order
};

// Entry names inside the container.
inline constexpr const char* kEpubPackagePath = "OEBPS/content.opf";
inline constexpr const char* kEpubFolder = "OEBPS/";

// A document handed out piece by piece: each call appends the next piece
// to `out` and returns false after the last. The package and both contents
// grow with the number of chapters, so they are never made whole. `book`
// must outlive the producer.
using DocumentPieces = std::function<bool(std::string& out)>;

std::string ContainerDocument();
DocumentPieces PackageDocument(const EpubBook& book);
DocumentPieces NavigationDocument(const EpubBook& book); // EPUB 3 contents, "nav.xhtml"
DocumentPieces NcxDocument(const EpubBook& book);        // EPUB 2 contents, "toc.ncx"
std::string StyleSheet();                                // "style.css"

// The start and the end of a content document; its paragraphs go between.
std::string ContentDocumentStart(const EpubBook& book, const EpubBook::Document& document);
std::string ContentDocumentEnd();

} // namespace lumarin::engine
