// SPDX-License-Identifier: MIT
// File naming on any pattern and title: the name that reaches the disk must be a single, usable
// file name, whatever a heading held.
#include "FuzzInput.h"
#include "engine/output/FileNaming.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumarin::engine;
    const std::u16string input = lumarin::fuzz::AsUtf16(data, size);
    // Pattern and title are the two halves of the input, split at the first U+0001.
    const std::size_t cut = input.find(u'\u0001');
    const std::u16string pattern = input.substr(0, cut);
    const std::u16string title = cut == std::u16string::npos ? u"" : input.substr(cut + 1);

    const std::u16string cleaned = CleanFileName(ExpandNamePattern(pattern, 7, -12, title));
    if (cleaned.empty()) {
        lumarin::fuzz::Fail("empty cleaned name");
    }
    if (cleaned.find_first_of(u"\\/:*?\"<>|") != std::u16string::npos) {
        lumarin::fuzz::Fail("a removed character survived CleanFileName");
    }
    const std::string onDisk = FileNameOnDisk(cleaned);
    if (onDisk.empty() || onDisk.size() > 255) {
        lumarin::fuzz::Fail("file name on disk empty or longer than 255 bytes");
    }
    if (onDisk.find('/') != std::string::npos || onDisk.find('\0') != std::string::npos) {
        lumarin::fuzz::Fail("file name on disk holds '/' or NUL");
    }
    if (onDisk == "." || onDisk == "..") {
        lumarin::fuzz::Fail("file name on disk names a folder");
    }
    return 0;
}
