#include "engine/EpubDocuments.h"

#include "engine/XhtmlText.h"

namespace lumarin::engine {
namespace {

std::string Escaped(std::u16string_view text) {
    std::string out;
    AppendXhtmlText(text, out);
    return out;
}

std::string XhtmlStart(const EpubBook& book, std::u16string_view title, const char* extraNamespace,
                       const char* stylesheet) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                      "<html xmlns=\"http://www.w3.org/1999/xhtml\"";
    out += extraNamespace;
    out += " xml:lang=\"" + book.language + "\" lang=\"" + book.language + "\">\n<head>\n";
    out += "<meta charset=\"UTF-8\"/>\n<title>" + Escaped(title) + "</title>\n";
    if (*stylesheet != '\0')
        out += std::string("<link rel=\"stylesheet\" type=\"text/css\" href=\"") + stylesheet +
               "\"/>\n";
    out += "</head>\n<body>\n";
    return out;
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

std::string PackageDocument(const EpubBook& book) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" "
                      "unique-identifier=\"book-id\" xml:lang=\"" +
                      book.language + "\">\n";
    out += "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n";
    out += "<dc:identifier id=\"book-id\">" + book.identifier + "</dc:identifier>\n";
    out += "<dc:title>" + Escaped(book.title) + "</dc:title>\n";
    if (!book.author.empty()) out += "<dc:creator>" + Escaped(book.author) + "</dc:creator>\n";
    out += "<dc:language>" + book.language + "</dc:language>\n";
    out += "<meta property=\"dcterms:modified\">" + book.modified + "</meta>\n";
    out += "</metadata>\n<manifest>\n";
    out += "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
           "properties=\"nav\"/>\n";
    out += "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n";
    out += "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n";
    for (const auto& document : book.documents)
        out += "<item id=\"" + document.id + "\" href=\"" + document.href +
               "\" media-type=\"application/xhtml+xml\"/>\n";
    out += "</manifest>\n<spine toc=\"ncx\">\n";
    for (const auto& document : book.documents)
        out += "<itemref idref=\"" + document.id + "\"/>\n";
    out += "</spine>\n</package>\n";
    return out;
}

std::string NavigationDocument(const EpubBook& book) {
    std::string out =
        XhtmlStart(book, u"目录", " xmlns:epub=\"http://www.idpf.org/2007/ops\"", "style.css");
    out += "<nav epub:type=\"toc\" id=\"toc\">\n<h1>目录</h1>\n<ol>\n";
    for (const auto& chapter : book.chapters)
        out += "<li><a href=\"" + chapter.href + "\">" + Escaped(chapter.label) + "</a></li>\n";
    out += "</ol>\n</nav>\n</body>\n</html>\n";
    return out;
}

std::string NcxDocument(const EpubBook& book) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" "
                      "xml:lang=\"" +
                      book.language + "\">\n<head>\n";
    out += "<meta name=\"dtb:uid\" content=\"" + book.identifier + "\"/>\n";
    out += "<meta name=\"dtb:depth\" content=\"1\"/>\n"
           "<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
           "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n</head>\n";
    out += "<docTitle><text>" + Escaped(book.title) + "</text></docTitle>\n";
    if (!book.author.empty())
        out += "<docAuthor><text>" + Escaped(book.author) + "</text></docAuthor>\n";
    out += "<navMap>\n";
    std::size_t order = 0;
    for (const auto& chapter : book.chapters) {
        const std::string number = std::to_string(++order);
        out += "<navPoint id=\"p" + number + "\" playOrder=\"" + number + "\"><navLabel><text>" +
               Escaped(chapter.label) + "</text></navLabel><content src=\"" + chapter.href +
               "\"/></navPoint>\n";
    }
    out += "</navMap>\n</ncx>\n";
    return out;
}

// Lines keep their own spaces: the indentation is part of the text.
std::string StyleSheet() {
    return "p { margin: 0; text-indent: 0; white-space: pre-wrap; }\n"
           "h2 { margin: 1em 0; font-size: 1.3em; white-space: pre-wrap; }\n";
}

std::string ContentDocumentStart(const EpubBook& book, const EpubBook::Document& document) {
    return XhtmlStart(book, document.title, "", "../style.css");
}

std::string ContentDocumentEnd() {
    return "</body>\n</html>\n";
}

} // namespace lumarin::engine
