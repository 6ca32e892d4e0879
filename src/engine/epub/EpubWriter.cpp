// SPDX-License-Identifier: MIT
// A book is written in one pass over the source, like the chapter files: the
// package, the contents and the content documents are all streamed into the
// container in reading order while libzip writes it, so no chapter is ever
// held whole, and names, titles and labels come from the chapter table as
// they are written. Whether the front matter gets a document of its own, and
// the book's title and author, come from a first look at the front matter alone.
#include "engine/epub/EpubWriter.h"

#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/cleanup/CleanupCursor.h"
#include "engine/epub/CoverImage.h"
#include "engine/epub/EpubArchive.h"
#include "engine/epub/EpubDocuments.h"
#include "engine/epub/EpubOutline.h"
#include "engine/epub/EpubText.h"
#include "engine/epub/BookTitle.h"
#include "engine/output/FileNaming.h"
#include "engine/output/OutputDirectory.h"
#include "engine/output/OutputSelection.h"
#include "engine/output/SizeParts.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace lumarin::engine {
namespace {

// Bytes of a content document handed to libzip at a time.
constexpr std::size_t kChunkBytes = 64 * 1024;
// Lines copied between two calls of the yield callback.
constexpr LineNumber kLinesPerYield = 1024;

// A name-based identifier: the same source gives the same book identity.
std::string BookIdentifier(const std::filesystem::path& source, const SourceStamp& stamp) {
    const auto hash = [](std::string_view bytes, std::uint64_t seed) {
        std::uint64_t h = seed;
        for (const char c : bytes) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001B3ULL;
        }
        return h;
    };
    const std::string key = source.filename().string() + '\0' + std::to_string(stamp.size) + '\0' +
                            std::to_string(stamp.mtimeNs);
    std::uint64_t high = hash(key, 0xCBF29CE484222325ULL);
    std::uint64_t low = hash(key, high);
    high = (high & ~0xF000ULL) | 0x4000ULL;               // version 4 layout
    low = (low & ~(0xC000ULL << 48)) | (0x8000ULL << 48); // RFC 4122 variant
    char text[64];
    std::snprintf(text, sizeof text, "urn:uuid:%08llx-%04llx-%04llx-%04llx-%012llx",
                  static_cast<unsigned long long>(high >> 32),
                  static_cast<unsigned long long>((high >> 16) & 0xFFFF),
                  static_cast<unsigned long long>(high & 0xFFFF),
                  static_cast<unsigned long long>(low >> 48),
                  static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return text;
}

std::string CurrentUtcTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// Reads the source once, from its start, handing out the content documents in order.
class BookPass {
public:
    BookPass(SourceFile& source, const SourceStamp& stamp, Encoding encoding,
             const OutputSelection& selection, const EpubBook& book, const EpubOutline& outline,
             EpubText& text, const TextCleanup& cleanup, const std::filesystem::path& target,
             const OutputCallbacks& callbacks)
        : m_source(source), m_stamp(stamp), m_selection(selection), m_book(book),
          m_outline(outline), m_text(text), m_cleanup(cleanup, encoding), m_target(target),
          m_callbacks(callbacks),
          m_blocks(source, encoding), m_lines(m_blocks) {}

    bool produce(std::size_t document, std::string& out) {
        if (document != m_document)
            throw std::logic_error("EPUB content documents must be read in order");
        const EpubOutline::Entries entries = m_outline.entries(document);
        const EpubOutline::Lines lines = m_outline.lines(document);
        if (!m_started) start(entries, lines.first, out);
        const LineNumber last = lines.last;
        Line line;
        while (out.size() < kChunkBytes) {
            if (m_lines.linesRead() >= last || !m_lines.next(line)) {
                if (document + 1 == m_outline.documentCount()) checkSourceEnds();
                m_text.finish(out);
                out += ContentDocumentEnd();
                m_started = false;
                ++m_document;
                return false;
            }
            if (line.number % kLinesPerYield == 0 && m_callbacks.yield) m_callbacks.yield();
            if (m_cleanup.drops(line.number)) continue;
            m_text.add(line.raw, headingId(line.number), m_cleanup.continues(line.number, line.raw),
                       out);
        }
        return true;
    }

private:
    // The source must have given exactly the lines analysed.
    void checkSourceEnds() {
        Line extra;
        if (m_lines.linesRead() != m_selection.m_lngSelStart.back() - 1 || m_lines.next(extra))
            throw EngineError::sourceChanged();
        // An edit in place that keeps the length shows only in the file's times.
        if (m_source.stamp() != m_stamp) throw EngineError::sourceChanged();
    }

    void start(const EpubOutline::Entries& entries, LineNumber first, std::string& out) {
        m_started = true;
        m_cleanup.breakParagraph();
        // Lines of a front matter without a document of its own are skipped.
        Line line;
        while (m_lines.linesRead() + 1 < first && m_lines.next(line)) {
        }
        m_nextEntry = std::max(m_nextEntry, entries.first == 0 ? 1 : entries.first);
        out += ContentDocumentStart(m_book, m_outline.title(m_document, m_book.title));
        if (m_callbacks.onFileStarted) {
            const LineNumber end =
                m_selection.m_lngSelStart[static_cast<std::size_t>(m_selection.m_lngSelected) + 1];
            const auto percent = static_cast<int>(first * 100 / end);
            m_callbacks.onFileStarted(
                FileProgress{static_cast<std::int32_t>(m_document), percent, m_target});
        }
        if (m_callbacks.yield) m_callbacks.yield();
    }

    // "c<i>" on the heading of kept chapter i, "v<i>" on the line of a volume
    // that opens before it.
    std::string headingId(LineNumber number) {
        if (m_nextEntry > m_selection.m_lngSelected) return {};
        const auto entry = static_cast<std::size_t>(m_nextEntry);
        if (m_selection.m_lngSelHeading[entry] == number) return EpubOutline::anchor(m_nextEntry++);
        if (m_selection.m_lngSelStart[entry] == number)
            return EpubOutline::volumeAnchor(m_nextEntry);
        return {};
    }

    SourceFile& m_source;
    const SourceStamp& m_stamp;
    const OutputSelection& m_selection;
    const EpubBook& m_book;
    const EpubOutline& m_outline;
    EpubText& m_text;
    CleanupCursor m_cleanup;
    const std::filesystem::path& m_target;
    const OutputCallbacks& m_callbacks;
    BlockReader m_blocks;
    LineReader m_lines;
    std::size_t m_document = 0;
    bool m_started = false;
    std::int32_t m_nextEntry = 1;
};

// Each of title and author: the options' own, else the text's, else the file name's.
EpubBook DescribeBook(const AnalysisResult& analysis, const OutputOptions& options,
                      const FrontMatter& front, const CoverImage* cover) {
    const TitleAndAuthor chosen = ChooseTitleAndAuthor(
        analysis.m_strSource, {options.bookTitle, options.bookAuthor}, front);
    EpubBook book;
    book.title = chosen.title;
    // A book must have a title: a stand-in when neither the options, the text nor the name give one.
    if (book.title.empty()) book.title = u"未命名";
    book.author = chosen.author;
    if (cover != nullptr) {
        book.coverFile = cover->fileName;
        book.coverType = cover->mediaType;
    }
    book.language = analysis.encoding == Encoding::Big5 && !options.toSimplified ? "zh-Hant" : "zh";
    book.identifier = BookIdentifier(analysis.m_strSource, analysis.stamp);
    book.modified = CurrentUtcTime();
    return book;
}

// A book cannot be added to: "append" refuses an existing one as "refuse" does.
// "overwrite" lets libzip rename its new file over the old one, which replaces
// a link at the target rather than writing through it.
void CheckTarget(const std::filesystem::path& target, const std::filesystem::path& source,
                 ExistingFiles existing) {
    std::error_code error;
    if (std::filesystem::equivalent(target, source, error))
        throw EngineError::writesToSource(target.string());
    const auto status = std::filesystem::symlink_status(target, error);
    if (std::filesystem::is_directory(status))
        throw EngineError::writeFailed(target.string(), std::strerror(EISDIR));
    if (std::filesystem::exists(status) && existing != ExistingFiles::Overwrite)
        throw EngineError::outputExists(target.string());
}

// The book's folder is made as the chapter files' chosen folder is.
void MakeBookFolder(const std::filesystem::path& target) {
    if (!target.has_parent_path()) return;
    const int folder = MakeChosenFolder(target.parent_path(), target.parent_path());
    ::close(folder);
}

} // namespace

std::filesystem::path EpubPathFor(const std::filesystem::path& source,
                                  std::u16string_view folderText) {
    std::filesystem::path name = source.filename();
    name.replace_extension(".epub");
    return InChosenFolder(source, folderText, name);
}

EpubResult WriteEpub(const AnalysisResult& analysis, const std::vector<bool>& checked,
                     const OutputOptions& options, const std::filesystem::path& target,
                     const OutputCallbacks& callbacks) {
    if (checked.size() != static_cast<std::size_t>(analysis.m_lngCount))
        throw std::invalid_argument("WriteEpub: one check mark per heading row expected");
    SourceFile source(analysis.m_strSource);
    if (source.stamp() != analysis.stamp) throw EngineError::sourceChanged();
    OutputSelection selection = SelectForOutput(analysis, checked);
    if (options.splitSize > 0) CutBySize(selection, source, analysis.encoding, options.splitSize);
    CheckSomethingSelected(analysis, selection);
    std::optional<CoverImage> cover;
    if (!options.cover.empty()) cover = ReadCoverImage(options.cover);
    source.rewind();
    CheckTarget(target, analysis.m_strSource, options.existing);
    const TextCleanup cleanup = PlanCleanup(analysis, checked, options.cleanup);
    MakeBookFolder(target);

    EpubText text(analysis.encoding, options);
    const FrontMatter front =
        ReadFrontMatter(source, analysis.encoding, text, selection.m_lngSelStart[1]);
    EpubOutline outline(analysis.table, checked, selection, options.chaptersPerFile, front.hasText,
                        text);
    outline.setVolumes(analysis.volumes);
    const EpubBook book = DescribeBook(analysis, options, front, cover ? &*cover : nullptr);

    using Compression = EpubArchive::Compression;
    EpubArchive archive(target);
    // The mimetype entry first and stored: readers recognise a book by its first bytes.
    archive.add("mimetype", "application/epub+zip", Compression::Store);
    archive.add("META-INF/container.xml", ContainerDocument(), Compression::Deflate);
    archive.addStreamed(kEpubPackagePath, PackageDocument(book, outline), Compression::Deflate);
    archive.addStreamed(std::string(kEpubFolder) + "nav.xhtml", NavigationDocument(book, outline),
                        Compression::Deflate);
    archive.addStreamed(std::string(kEpubFolder) + "toc.ncx", NcxDocument(book, outline),
                        Compression::Deflate);
    archive.add(std::string(kEpubFolder) + "style.css", StyleSheet(), Compression::Deflate);
    if (cover) {
        archive.add(kEpubFolder + cover->fileName, std::move(cover->bytes), Compression::Store);
        archive.add(std::string(kEpubFolder) + kEpubCoverPage, CoverDocument(book),
                    Compression::Deflate);
    }
    BookPass pass(source, analysis.stamp, analysis.encoding, selection, book, outline, text,
                  cleanup, target,
                  callbacks);
    archive.addSeries(
        outline.documentCount(),
        [&outline](std::size_t document) { return kEpubFolder + outline.href(document); },
        [&pass](std::size_t document, std::string& out) { return pass.produce(document, out); },
        Compression::Store);
    archive.commit();
    EpubResult result;
    result.path = target;
    result.chapterCount = selection.m_lngSelected;
    result.replaced = text.replaced();
    result.removedLines = static_cast<std::int64_t>(cleanup.removed.size());
    return result;
}

std::u16string EpubDoneMessage(const EpubResult& result) {
    std::u16string message = u"处理完毕！共" + ToU16Decimal(result.chapterCount) + u"章，已写入 " +
                             ShownPath(result.path.string());
    message += ReplacementNote(result.replaced);
    return message;
}

} // namespace lumarin::engine
