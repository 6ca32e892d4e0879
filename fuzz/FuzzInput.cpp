// SPDX-License-Identifier: MIT
#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace lumarin::fuzz {

std::u16string AsUtf16(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return text;
}

MemoryFile::MemoryFile(std::string_view bytes) : m_fd(memfd_create("lumarin-fuzz", 0)) {
    if (m_fd < 0) {
        Fail("memfd_create failed");
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(m_fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            Fail("write to memfd failed");
        }
        written += static_cast<std::size_t>(n);
    }
}

MemoryFile::~MemoryFile() {
    close(m_fd);
}

std::filesystem::path MemoryFile::path() const {
    return "/proc/self/fd/" + std::to_string(m_fd);
}

void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

} // namespace lumarin::fuzz
