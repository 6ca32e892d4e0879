// SPDX-License-Identifier: MIT
// The whole split on any bytes: analysis, then the output writer with blank lines kept, no filter
// and no conversion, into tmpfs. The files concatenated in order must give back the source byte
// for byte, apart from every line ending in CR LF: nothing lost, nothing altered.
#include "FuzzInput.h"
#include "engine/base/EngineError.h"
#include "engine/base/TextUtil.h"
#include "engine/headings/Analyzer.h"
#include "engine/output/OutputWriter.h"

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using lumarin::engine::Encoding;

// The source as the split must write it, built here from its bytes: each line (ended by CR LF,
// CR or LF) followed by CR LF, in the source's code units.
std::string ExpectedOutput(std::string_view bytes, Encoding encoding) {
    const std::string_view bom = lumarin::engine::ByteOrderMark(encoding);
    bytes.remove_prefix(bom.size());
    const bool utf16 = lumarin::engine::IsUtf16(encoding);
    const std::size_t unit = utf16 ? 2 : 1;
    const std::string crlf = !utf16                          ? "\r\n"
                             : encoding == Encoding::Utf16LE ? std::string("\r\0\n\0", 4)
                                                             : std::string("\0\r\0\n", 4);
    auto unitAt = [&](std::size_t i) -> unsigned {
        if (!utf16) {
            return static_cast<unsigned char>(bytes[i]);
        }
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return encoding == Encoding::Utf16LE ? a | (b << 8) : (a << 8) | b;
    };
    std::string out(bom);
    std::size_t lineStart = 0;
    std::size_t i = 0;
    for (; i + unit <= bytes.size(); i += unit) {
        const unsigned c = unitAt(i);
        if (c != '\r' && c != '\n') {
            continue;
        }
        out.append(bytes.substr(lineStart, i - lineStart)).append(crlf);
        if (c == '\r' && i + 2 * unit <= bytes.size() && unitAt(i + unit) == '\n') {
            i += unit;
        }
        lineStart = i + unit;
    }
    if (lineStart < bytes.size()) {
        out.append(bytes.substr(lineStart)).append(crlf);
    }
    return out;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    using lumarin::fuzz::Fail;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lumarin::fuzz::MemoryFile memory(bytes);
    static const std::filesystem::path out =
        "/dev/shm/lumarin-roundtrip-fuzz-" + std::to_string(getpid());
    std::filesystem::remove_all(out);

    AnalysisResult analysis;
    try {
        analysis = Analyze(memory.path(), kDefaultCondition);
    } catch (const EngineError&) {
        Fail("the default condition refused a source");
    }
    OutputOptions options;
    options.folderText = FromUtf8(out.string());
    options.namePattern = u"%n";
    options.filesPerFolder = 0;
    options.deleteBlankLines = false;
    std::optional<OutputResult> result;
    try {
        result = WriteOutput(analysis, analysis.checked, options);
    } catch (const EngineError& error) {
        if (error.code() == ErrorCode::AllRowsChecked || error.code() == ErrorCode::NoHeadings) {
            return 0; // no split point, nothing to split
        }
        Fail(error.what());
    }
    if (!result) {
        Fail("the output stopped without writing");
    }
    const std::string_view bom = ByteOrderMark(analysis.encoding);
    std::string joined;
    for (std::int32_t file = 0; file < result->fileCount; ++file) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.txt", file);
        std::string text = ReadFile(result->outputFolder / name);
        if (file > 0 && !bom.empty() && text.starts_with(bom)) {
            text.erase(0, bom.size()); // every new file starts with its own byte order mark
        }
        joined += text;
    }
    if (joined != ExpectedOutput(bytes, analysis.encoding)) {
        Fail("the files do not give back the source");
    }
    std::filesystem::remove_all(out);
    return 0;
}
