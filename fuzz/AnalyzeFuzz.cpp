// The analysis with the default heading condition on any bytes: it must finish, and the chapter
// table it returns must hold together the way the output writer relies on.
#include "FuzzInput.h"
#include "engine/Analyzer.h"
#include "engine/EngineError.h"

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
