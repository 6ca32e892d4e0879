// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumarin::fuzz {

// The fuzzer's bytes read as UTF-16 code units (little-endian pairs; an odd last byte is dropped).
std::u16string AsUtf16(const std::uint8_t* data, std::size_t size);

// The fuzzer's bytes as a file the engine can open by path: an in-memory file (memfd) reached
// through /proc/self/fd, so no disk is touched. Closed when this object goes.
class MemoryFile {
public:
    MemoryFile(std::string_view bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    std::filesystem::path path() const;

private:
    int m_fd;
};

// Stops the run so that libFuzzer records the input: an invariant of the engine is broken.
[[noreturn]] void Fail(const char* what);

} // namespace lumarin::fuzz
