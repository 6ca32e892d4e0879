// SPDX-License-Identifier: MIT
#include "cli/ProgressBar.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace lumarin::cli {

namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::FILE* stream, bool wanted, BookCount book)
    : m_stream(stream), m_enabled(wanted && isatty(fileno(stream)) == 1), m_book(book) {}

ProgressBar::~ProgressBar() {
    Clear();
}

void ProgressBar::Show(int percent, long fileNumber) {
    if (!m_enabled) {
        return;
    }
    Draw(m_book.number, percent);
    std::fprintf(m_stream, " %03ld", fileNumber);
    std::fflush(m_stream);
}

void ProgressBar::ShowBooks(std::size_t finished) {
    if (!m_enabled || m_book.total == 0) {
        return;
    }
    Draw(finished, static_cast<int>(finished * 100 / m_book.total));
    std::fflush(m_stream);
}

void ProgressBar::Draw(std::size_t bookNumber, int percent) {
    const int clamped = std::clamp(percent, 0, 100);
    const int filled = clamped * kBarWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fputs("\r\033[K", m_stream);
    if (m_book.total > 1) std::fprintf(m_stream, "%zu/%zu本 ", bookNumber, m_book.total);
    std::fprintf(m_stream, "完成:%d%% [%s]", clamped, bar.c_str());
    m_shown = true;
}

void ProgressBar::Clear() {
    if (m_shown) {
        std::fputs("\r\033[K", m_stream);
        std::fflush(m_stream);
        m_shown = false;
    }
}

} // namespace lumarin::cli
