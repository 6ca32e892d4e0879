// SPDX-License-Identifier: MIT
#pragma once

#include <unistd.h>

namespace lumarin::engine {

// An open file descriptor, closed when this goes (-1: none).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const noexcept { return m_fd; }

private:
    int m_fd;
};

} // namespace lumarin::engine
