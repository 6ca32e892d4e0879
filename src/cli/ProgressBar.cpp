#include "cli/ProgressBar.h"

#include <algorithm>
#include <string>
#include <unistd.h>

namespace lumarin::cli {

namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::FILE* stream, bool wanted)
    : m_stream(stream), m_enabled(wanted && isatty(fileno(stream)) == 1) {}

ProgressBar::~ProgressBar() {
    Clear();
}

void ProgressBar::Show(int percent, long fileNumber) {
    if (!m_enabled) {
        return;
    }
    const int clamped = std::clamp(percent, 0, 100);
    const int filled = clamped * kBarWidth / 100;
    const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                            std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(m_stream, "\r\033[K完成:%d%% [%s] %03ld", clamped, bar.c_str(), fileNumber);
    std::fflush(m_stream);
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
