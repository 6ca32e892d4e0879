// SPDX-License-Identifier: MIT
// Encoding detection, block and line reading, decoding and encoding back on any bytes. Every
// line must come back byte for byte through the exact codec (the one used for lines that are
// edited and written again), and the lines with their line ends must cover the whole file. The
// display codec (for the list) may read a two-coded Big5 character as the character whose usual
// code differs, so it only has to decode without failing.
#include "FuzzInput.h"
#include "engine/encoding/Encoding.h"
#include "engine/encoding/LineCodec.h"
#include "engine/source/BlockReader.h"
#include "engine/source/LineReader.h"
#include "engine/source/SourceFile.h"

#include <array>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    if (size == 0) {
        return 0;
    }
    // The first byte picks a block size, so that lines longer than a block and blocks ending
    // inside CR LF pairs and multi-byte characters are all reached.
    static constexpr std::array<std::size_t, 8> kBlockSizes{
        1, 2, 3, 5, 16, 64, 4096, BlockReader::kDefaultBlockSize};
    const std::size_t blockSize = kBlockSizes[data[0] % kBlockSizes.size()];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Encoding encoding = DetectEncoding(bytes, bytes.size());
    lumarin::fuzz::MemoryFile memory(bytes);
    SourceFile file(memory.path());
    BlockReader blocks(file, encoding, blockSize);
    LineReader lines(blocks);
    LineCodec codec(encoding, CodecMode::Exact);
    LineCodec display(encoding);

    std::size_t covered = ByteOrderMark(encoding).size();
    std::u16string text;
    std::string back;
    Line line;
    LineNumber expectedNumber = 0;
    while (lines.next(line)) {
        if (line.number != ++expectedNumber) {
            lumarin::fuzz::Fail("line numbers not consecutive");
        }
        display.decode(line.raw, text);
        codec.decode(line.raw, text);
        back.clear();
        codec.encode(text, back);
        back += codec.oddTail(line.raw);
        if (back != line.raw) {
            lumarin::fuzz::Fail("a line does not encode back to its bytes");
        }
        covered += line.raw.size();
        // The line end after this line, if any, in the file's own units.
        if (covered < bytes.size()) {
            const std::size_t unit = IsUtf16(encoding) ? 2 : 1;
            const bool crlf =
                covered + 2 * unit <= bytes.size() &&
                bytes.substr(covered, 2 * unit) == (unit == 1 ? std::string_view("\r\n")
                                                    : encoding == Encoding::Utf16LE
                                                        ? std::string_view("\r\0\n\0", 4)
                                                        : std::string_view("\0\r\0\n", 4));
            covered += crlf ? 2 * unit : unit;
        }
    }
    if (covered < bytes.size() && !(IsUtf16(encoding) && covered + 1 == bytes.size())) {
        lumarin::fuzz::Fail("the lines do not cover the whole file");
    }
    if (lines.linesRead() != expectedNumber) {
        lumarin::fuzz::Fail("linesRead disagrees with the lines returned");
    }
    return 0;
}
