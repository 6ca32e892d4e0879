// SPDX-License-Identifier: MIT
#include "engine/epub/EpubDocuments.h"

#include "engine/epub/XhtmlText.h"

namespace lumarin::engine {
namespace {

std::string Escaped(std::u16string_view text) {
    std::string out;
    AppendXhtmlText(text, out);
    return out;
}

// An attribute's value, in double quotes: the user's text (a title) or the
// program's own (a language, a file name), escaped alike.
std::string Attribute(std::u16string_view text) {
    std::string out = "\"";
    AppendXhtmlAttribute(text, out);
    return out + '"';
}

std::string Attribute(std::string_view ascii) {
    return Attribute(std::u16string(ascii.begin(), ascii.end()));
}

std::string XhtmlStart(const EpubBook& book, std::u16string_view title, const char* extraNamespace,
                       const char* stylesheet) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                      "<html xmlns=\"http://www.w3.org/1999/xhtml\"";
    out += extraNamespace;
    out += " xml:lang=" + Attribute(book.language) + " lang=" + Attribute(book.language) +
           ">\n<head>\n";
    out += "<meta charset=\"UTF-8\"/>\n<title>" + Escaped(title) + "</title>\n";
    if (*stylesheet != '\0')
        out += std::string("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + stylesheet +
               "\"/>\n";
    out += "</head>\n<body>\n";
    return out;
}

// Bytes handed out at a time.
constexpr std::size_t kPieceBytes = 64 * 1024;

// `start`, then piece(0) ... piece(count - 1), then `end`.
DocumentPieces Pieces(std::string start, std::size_t count,
                      std::function<void(std::size_t, std::string&)> piece, std::string end) {
    return [start = std::move(start), count, piece = std::move(piece), end = std::move(end),
            next = std::size_t{0}, started = false](std::string& out) mutable {
        if (!started) {
            out += start;
            started = true;
        }
        while (next < count && out.size() < kPieceBytes)
            piece(next++, out);
        if (next < count) return true;
        out += end;
        return false;
    };
}

} // namespace

std::string ContainerDocument() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
           "<rootfiles>\n"
           "<rootfile full-path=\"" +
           std::string(kEpubPackagePath) +
           "\" media-type=\"application/oebps-package+xml\"/>\n"
           "</rootfiles>\n"
           "</container>\n";
}

DocumentPieces PackageDocument(const EpubBook& book, const EpubOutline& outline) {
    std::string start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                        "unique-identifier=\"book-id\" xml:lang=" +
                        Attribute(book.language) + ">\n";
    start += "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    start += "<dc:identifier id=\"book-id\">" + book.identifier + "</dc:identifier>\n";
    start += "<dc:title>" + Escaped(book.title) + "</dc:title>\n";
    if (!book.author.empty()) start += "<dc:creator>" + Escaped(book.author) + "</dc:creator>\n";
    start += "<dc:language>" + book.language + "</dc:language>\n";
    start += "<meta property=\"dcterms:modified\">" + book.modified + "</meta>\n";
    // Readers of EPUB 2 find the cover by this name.
    if (!book.coverFile.empty()) start += "<meta name=\"cover\" content=\"cover-image\"/>\n";
    start += "</metadata>\n<manifest>\n";
    if (!book.coverFile.empty()) {
        start += "<item id=\"cover-image\" href=" + Attribute(book.coverFile) +
                 " media-type=" + Attribute(book.coverType) + " properties=\"cover-image\"/>\n";
        start += std::string("<item id=\"cover\" href=\"") + kEpubCoverPage +
                 "\" media-type=\"application/xhtml+xml\"/>\n";
    }
    start += "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
             "properties=\"nav\"/>\n";
    start += "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n";
    start += "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n";
    // The documents twice: first in the manifest, then in the spine.
    const std::size_t documents = outline.documentCount();
    return Pieces(
        std::move(start), 2 * documents,
        [&book, &outline, documents](std::size_t i, std::string& out) {
            if (i < documents) {
                out += "<item id=" + Attribute(outline.id(i)) +
                       " href=" + Attribute(outline.href(i)) +
                       " media-type=\"application/xhtml+xml\"/>\n";
                return;
            }
            if (i == documents) {
                out += "</manifest>\n<spine toc=\"ncx\">\n";
                if (!book.coverFile.empty()) out += "<itemref idref=\"cover\"/>\n";
            }
            out += "<itemref idref=" + Attribute(outline.id(i - documents)) + "/>\n";
        },
        "</spine>\n</package>\n");
}

DocumentPieces NavigationDocument(const EpubBook& book, const EpubOutline& outline) {
    std::string start =
        XhtmlStart(book, u"目录", " xmlns:epub=\"http://www.idpf.org/2007/ops\"", "style.css");
    start += "<nav epub:type=\"toc\" id=\"toc\">\n<h1>目录</h1>\n<ol>\n";
    return Pieces(
        std::move(start), static_cast<std::size_t>(outline.chapterCount()),
        [&outline](std::size_t i, std::string& out) {
            const auto chapter = static_cast<std::int32_t>(i + 1);
            const std::int32_t volume = outline.volumeOf(chapter);
            const std::int32_t before = chapter > 1 ? outline.volumeOf(chapter - 1) : -1;
            if (volume != before) {
                if (before >= 0) out += "</ol></li>\n";
                if (volume >= 0)
                    out += "<li><a href=" + Attribute(outline.volumeHref(chapter)) + ">" +
                           Escaped(outline.volumeLabel(volume)) + "</a>\n<ol>\n";
            }
            out += "<li><a href=" + Attribute(outline.chapterHref(chapter)) + ">" +
                   Escaped(outline.label(chapter)) + "</a></li>\n";
            if (chapter == outline.chapterCount() && volume >= 0) out += "</ol></li>\n";
        },
        "</ol>\n</nav>\n</body>\n</html>\n");
}

DocumentPieces NcxDocument(const EpubBook& book, const EpubOutline& outline) {
    std::string start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" "
                        "xml:lang=" +
                        Attribute(book.language) + ">\n<head>\n";
    start += "<meta name=\"dtb:uid\" content=" + Attribute(book.identifier) + "/>\n";
    start += std::string("<meta name=\"dtb:depth\" content=\"") + (outline.nested() ? "2" : "1") +
             "\"/>\n"
             "<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
             "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n</head>\n";
    start += "<docTitle><text>" + Escaped(book.title) + "</text></docTitle>\n";
    if (!book.author.empty())
        start += "<docAuthor><text>" + Escaped(book.author) + "</text></docAuthor>\n";
    start += "<navMap>\n";
    return Pieces(
        std::move(start), static_cast<std::size_t>(outline.chapterCount()),
        [&outline, order = 0](std::size_t i, std::string& out) mutable {
            const auto chapter = static_cast<std::int32_t>(i + 1);
            const std::int32_t volume = outline.volumeOf(chapter);
            const std::int32_t before = chapter > 1 ? outline.volumeOf(chapter - 1) : -1;
            // A volume on its chapter's own line shares the chapter's target, so
            // it must share its place in the reading order too.
            bool shared = false;
            if (volume != before) {
                if (before >= 0) out += "</navPoint>\n";
                if (volume >= 0) {
                    shared = outline.volumeHref(chapter) == outline.chapterHref(chapter);
                    const std::string number = std::to_string(++order);
                    out +=
                        "<navPoint id=\"v" + number + "\" playOrder=\"" + number +
                        "\"><navLabel><text>" + Escaped(outline.volumeLabel(volume)) +
                        "</text></navLabel><content src=" + Attribute(outline.volumeHref(chapter)) +
                        "/>\n";
                }
            }
            const std::string number = std::to_string(shared ? order : ++order);
            out += "<navPoint id=\"p" + number + "\" playOrder=\"" + number +
                   "\"><navLabel><text>" + Escaped(outline.label(chapter)) +
                   "</text></navLabel><content src=" + Attribute(outline.chapterHref(chapter)) +
                   "/></navPoint>\n";
            if (chapter == outline.chapterCount() && volume >= 0) out += "</navPoint>\n";
        },
        "</navMap>\n</ncx>\n");
}

// Lines keep their own spaces: the indentation is part of the text.
std::string StyleSheet() {
    return "p { margin: 0; text-indent: 0; white-space: pre-wrap; }\n"
           "h2 { margin: 1em 0; font-size: 1.3em; white-space: pre-wrap; }\n";
}

std::string CoverDocument(const EpubBook& book) {
    std::string out = XhtmlStart(book, book.title, "", "");
    out += "<div style=\"text-align: center;\"><img src=" + Attribute(book.coverFile) +
           " alt=" + Attribute(book.title) +
           " style=\"max-width: 100%; max-height: 100%;\"/></div>\n";
    out += "</body>\n</html>\n";
    return out;
}

std::string ContentDocumentStart(const EpubBook& book, std::u16string_view title) {
    return XhtmlStart(book, title, "", "../style.css");
}

std::string ContentDocumentEnd() {
    return "</body>\n</html>\n";
}

} // namespace lumarin::engine
