// The analysis reads the source once. Decoding every line would cost several
// times the search itself, so when the condition names a character that every
// match contains (第 for the default condition), the raw bytes are searched for
// that character's encoded form and only the lines holding it are decoded and
// matched; line numbers come from counting line ends between those lines.
// Otherwise (UTF-16, or no such character) every line is decoded.
//
// UTF-8 is judged on the first block before the scan; when the file is longer,
// the scan keeps the tally, and a file that turns out not to be mostly UTF-8
// after all restarts the scan in the legacy encoding.
#include "engine/Analyzer.h"

#include "engine/BlockReader.h"
#include "engine/ByteSearch.h"
#include "engine/ChineseNumber.h"
#include "engine/EngineError.h"
#include "engine/LineCodec.h"
#include "engine/LineReader.h"
#include "engine/TextUtil.h"
#include "engine/Utf8Scan.h"

#include <optional>
#include <string>

namespace lumarin::engine {
namespace {

// A heading fewer lines than this after the previous one makes the previous
// one no split point (tables of contents).
constexpr LineNumber kShortChapterLines = 10;

class HeadingScanner {
public:
    // `utf8Size`: the size of a file whose UTF-8 still has to be confirmed, else 0.
    HeadingScanner(SourceFile& file, Encoding encoding, HeadingCondition& condition,
                   std::uint64_t utf8Size)
        : m_file(file), m_encoding(encoding), m_condition(condition), m_codec(encoding),
          m_breaks(encoding), m_utf8Size(utf8Size) {
        m_result.encoding = encoding;
    }

    // False when the source turned out not to be UTF-8 after all.
    bool run() {
        m_file.rewind();
        startTable();
        const std::optional<std::string> needle = searchableForm();
        const bool ok = (needle ? scanBlocks(*needle) : scanLines()) && stillUtf8({}, true);
        if (ok) finishTable();
        return ok;
    }

    AnalysisResult take() { return std::move(m_result); }

private:
    std::optional<std::string> searchableForm() {
        const std::optional<char16_t> required = m_condition.requiredCharacter();
        if (!required || IsUtf16(m_encoding)) return std::nullopt;
        std::vector<std::string> forms = m_codec.encodedForms(*required);
        if (forms.size() != 1) return std::nullopt;
        return forms.front();
    }

    bool scanBlocks(const std::string& needle) {
        BlockReader blocks(m_file, m_encoding);
        std::string_view block;
        while (blocks.next(block)) {
            if (!stillUtf8(block, false)) return false;
            scanBlock(block, needle);
        }
        return true;
    }

    void scanBlock(std::string_view block, const std::string& needle) {
        std::size_t pos = 0;
        while (pos < block.size()) {
            const std::size_t hit = FindBytes(block, needle, pos);
            if (hit == block.size()) break;
            const std::size_t start = m_breaks.findStart(block, hit);
            m_lines += static_cast<LineNumber>(m_breaks.count(block.substr(pos, start - pos)));
            const std::size_t end = m_breaks.findEnd(block, hit);
            examine(++m_lines, block.substr(start, end - start));
            pos = end < block.size() ? end + m_breaks.terminatorLength(block, end) : end;
        }
        const std::string_view rest = block.substr(pos);
        m_lines += static_cast<LineNumber>(m_breaks.count(rest));
        if (!rest.empty() && rest.back() != '\n' && rest.back() != '\r')
            ++m_lines; // the last line of the file, without a line end
    }

    bool scanLines() {
        BlockReader blocks(m_file, m_encoding);
        LineReader reader(blocks);
        Line line;
        while (reader.next(line)) {
            if (!stillUtf8(line.raw, false)) return false;
            examine(line.number, line.raw);
        }
        m_lines = reader.linesRead();
        return true;
    }

    // Tallies `bytes` while UTF-8 is still to be confirmed; false once the
    // file can no longer be mostly UTF-8 (`atEnd`: or is not).
    bool stillUtf8(std::string_view bytes, bool atEnd) {
        if (m_utf8Size == 0) return true;
        m_tally.add(bytes);
        m_tallied += bytes.size();
        if (atEnd) return m_tally.mostlyUtf8();
        return !m_tally.ruledOut(m_utf8Size > m_tallied ? m_utf8Size - m_tallied : 0);
    }

    void examine(LineNumber number, std::string_view raw) {
        m_codec.decode(raw, m_text);
        switch (m_condition.match(m_text, m_fields)) {
        case MatchStatus::NoMatch:
            return;
        case MatchStatus::LimitExceeded:
            throw EngineError::matchLimitExceeded(number);
        case MatchStatus::Matched:
            addHeading(number);
            return;
        }
    }

    void addHeading(LineNumber number) {
        ChapterTable& table = m_result.table;
        const std::size_t k = table.m_strHeading.size();
        if (k > 1 && number - table.m_lngStartLine[k - 1] < kShortChapterLines)
            m_result.checked[k - 2] = true;
        table.m_strHeading.push_back(m_text);
        table.m_lngStartLine.push_back(number);
        table.m_intChapterNo.push_back(m_fields.qualified ? ParseChineseNumber(m_fields.number)
                                                          : 0);
        table.m_strTitle.push_back(m_fields.qualified ? CleanTitle(m_fields.title) : u"(Unknown)");
        m_result.checked.push_back(false);
    }

    void startTable() {
        m_result.table = ChapterTable{{1}, {0}, {u"(Index)"}, {u""}};
        m_result.checked.clear();
        m_lines = 0;
    }

    void finishTable() {
        ChapterTable& table = m_result.table;
        m_result.m_lngCount = table.headingCount();
        m_result.lineCount = m_lines;
        table.m_lngStartLine.push_back(m_lines + 1);
        table.m_intChapterNo.push_back(0);
        table.m_strTitle.push_back(u"(End)");
    }

    SourceFile& m_file;
    Encoding m_encoding;
    HeadingCondition& m_condition;
    LineCodec m_codec;
    LineBreaks m_breaks;
    std::uint64_t m_utf8Size;
    Utf8Tally m_tally;
    std::uint64_t m_tallied = 0;
    AnalysisResult m_result;
    LineNumber m_lines = 0;
    std::u16string m_text;
    HeadingFields m_fields;
};

// The first block of the source, for the encoding decision.
struct SourceHead {
    std::string bytes;
    bool whole = false;
};

SourceHead ReadHead(SourceFile& file) {
    SourceHead head;
    head.bytes.resize(BlockReader::kDefaultBlockSize);
    std::size_t filled = 0;
    while (filled < head.bytes.size()) {
        const std::size_t got = file.read(head.bytes.data() + filled, head.bytes.size() - filled);
        if (got == 0) {
            head.whole = true;
            break;
        }
        filled += got;
    }
    head.bytes.resize(filled);
    return head;
}

} // namespace

std::u16string CleanTitle(std::u16string_view captured) {
    return std::u16string(TrimSpaces(RemoveAll(captured, u"\u3000")));
}

AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       std::uint32_t matchLimit) {
    return Analyze(source, condition, InputEncodingChoice::Auto, matchLimit);
}

AnalysisResult Analyze(const std::filesystem::path& source, std::u16string_view condition,
                       InputEncodingChoice choice, std::uint32_t matchLimit) {
    SourceFile file(source);
    HeadingCondition heading(condition, matchLimit);
    const SourceStamp stamp = file.stamp();
    const SourceHead head = ReadHead(file);
    Encoding encoding = ResolveInputEncoding(choice, head.bytes,
                                             head.whole ? head.bytes.size() : stamp.size);
    // Only a guess is checked again; a chosen encoding is used as given.
    const bool guessedUtf8 = choice == InputEncodingChoice::Auto && encoding == Encoding::Utf8;

    std::optional<HeadingScanner> scanner;
    scanner.emplace(file, encoding, heading, guessedUtf8 && !head.whole ? stamp.size : 0);
    if (!scanner->run()) {
        encoding = DetectLegacyEncoding(head.bytes);
        scanner.emplace(file, encoding, heading, 0);
        scanner->run();
    }
    AnalysisResult result = scanner->take();
    result.m_strSource = source;
    result.stamp = stamp;
    return result;
}

} // namespace lumarin::engine
