// SPDX-License-Identifier: MIT
// The analysis with the default heading condition on any bytes: it must finish, and the chapter
// table it returns must hold together the way the output writer relies on.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/encoding/LineCodec.h"
#include "engine/headings/Analyzer.h"
#include "engine/headings/HeadingCondition.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

#include <vector>

namespace {

using lumarin::engine::Encoding;

// Lines of the source counted here from its bytes (line ends CR LF, CR, LF), independently of the
// engine's scanners, which count line ends only between the lines they examine.
std::int64_t CountLines(std::string_view bytes, Encoding encoding) {
    bytes.remove_prefix(lumarin::engine::ByteOrderMark(encoding).size());
    const std::size_t unit = lumarin::engine::IsUtf16(encoding) ? 2 : 1;
    auto unitAt = [&](std::size_t i) -> unsigned {
        if (unit == 1) {
            return static_cast<unsigned char>(bytes[i]);
        }
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return encoding == Encoding::Utf16LE ? a | (b << 8) : (a << 8) | b;
    };
    std::int64_t lines = 0;
    bool open = false; // the current line has content and no line end yet
    for (std::size_t i = 0; i + unit <= bytes.size(); i += unit) {
        const unsigned c = unitAt(i);
        if (c == '\r' || c == '\n') {
            ++lines;
            open = false;
            if (c == '\r' && i + 2 * unit <= bytes.size() && unitAt(i + unit) == '\n') {
                i += unit;
            }
        } else {
            open = true;
        }
    }
    if (bytes.size() % unit != 0) {
        open = true; // an odd last byte of UTF-16 is part of the last line
    }
    return lines + (open ? 1 : 0);
}

// Heading lines found the plain way: every line decoded and matched. The analysis takes a
// shortcut (it searches the raw bytes for 第 first); both must find the same lines.
std::vector<std::int64_t> HeadingLinesLineByLine(const std::filesystem::path& path,
                                                 Encoding encoding) {
    using namespace lumarin::engine;
    HeadingCondition condition(kDefaultCondition);
    SourceFile file(path);
    BlockReader blocks(file, encoding);
    LineReader lines(blocks);
    LineCodec codec(encoding);
    std::vector<std::int64_t> found;
    Line line;
    std::u16string text;
    HeadingFields fields;
    while (lines.next(line)) {
        codec.decode(line.raw, text);
        if (condition.match(text, fields) == MatchStatus::Matched) {
            found.push_back(line.number);
        }
    }
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    using lumarin::fuzz::Fail;
    lumarin::fuzz::MemoryFile memory(std::string_view(reinterpret_cast<const char*>(data), size));
    AnalysisResult result;
    try {
        result = Analyze(memory.path(), kDefaultCondition);
    } catch (const EngineError&) {
        Fail("the default condition refused a source");
    }
    if (result.lineCount !=
        CountLines(std::string_view(reinterpret_cast<const char*>(data), size), result.encoding)) {
        Fail("line count differs from the line ends in the source");
    }
    const ChapterTable& table = result.table;
    const auto count = static_cast<std::size_t>(result.m_lngCount);
    if (table.headingCount() != result.m_lngCount || table.m_lngStartLine.size() != count + 2 ||
        table.m_intChapterNo.size() != count + 2 || table.m_strTitle.size() != count + 2 ||
        result.checked.size() != count) {
        Fail("chapter table columns of different lengths");
    }
    if (table.m_lngStartLine.front() != 1 || table.m_lngStartLine.back() != result.lineCount + 1) {
        Fail("front matter or end marker misplaced");
    }
    const std::vector<std::int64_t> headings(table.m_lngStartLine.begin() + 1,
                                             table.m_lngStartLine.end() - 1);
    if (headings != HeadingLinesLineByLine(memory.path(), result.encoding)) {
        Fail("the analysis and a line-by-line match disagree on the heading lines");
    }
    for (std::size_t k = 1; k < table.m_lngStartLine.size(); ++k) {
        if (table.m_lngStartLine[k] <= table.m_lngStartLine[k - 1] && k != 1) {
            Fail("heading start lines not increasing");
        }
    }
    for (std::size_t row = 0; row + 1 < count; ++row) {
        const bool close = table.m_lngStartLine[row + 2] - table.m_lngStartLine[row + 1] < 10;
        if (result.checked[row] != close) {
            Fail("short-chapter rule and check marks disagree");
        }
    }
    if (count > 0 && result.checked.back()) {
        Fail("the last heading is checked although nothing follows it");
    }
    return 0;
}
