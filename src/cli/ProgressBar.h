#pragma once

#include <cstdio>

namespace lumarin::cli {

// The window's status line "完成:N%" with a bar, redrawn in place on a terminal. Silent when
// the stream is not a terminal, so logs and pipes get only the final message.
class ProgressBar {
public:
    ProgressBar(std::FILE* stream, bool wanted);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Called when a file starts, with the percentage the window would show.
    void Show(int percent, long fileNumber);
    // Removes the bar so that what follows starts on a clean line.
    void Clear();

private:
    std::FILE* m_stream;
    bool m_enabled;
    bool m_shown = false;
};

} // namespace lumarin::cli
