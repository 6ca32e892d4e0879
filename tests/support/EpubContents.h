// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumarin::test {

// One entry of a written book, as a reader of the ZIP container sees it.
struct EpubEntry {
    std::string name;
    std::string bytes;
    bool stored = false; // not compressed
};

// The entries in the order the container lists them; empty when the file is no ZIP archive.
std::vector<EpubEntry> ReadEpub(const std::filesystem::path& book);

// The bytes of entry `name`; empty when there is none.
std::string EntryText(const std::vector<EpubEntry>& entries, const std::string& name);

// Every content document (OEBPS/text/...) by name, in order.
std::vector<std::string> ContentDocuments(const std::vector<EpubEntry>& entries);

} // namespace lumarin::test
