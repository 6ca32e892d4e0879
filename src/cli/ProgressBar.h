// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdio>

namespace lumarin::cli {

// Which book of a run of several the bar belongs to (1-based); a total of 1 shows no count.
struct BookCount {
    std::size_t number = 1;
    std::size_t total = 1;
};

// The window's status line "完成:N%" with a bar, redrawn in place on a terminal. Silent when
// the stream is not a terminal, so logs and pipes get only the final message. In a run of several
// books the bar starts with the book's count ("3/200本"); books run side by side share one bar
// of finished books.
class ProgressBar {
public:
    ProgressBar(std::FILE* stream, bool wanted, BookCount book = {});
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Called when a file starts, with the percentage the window would show.
    void Show(int percent, long fileNumber);
    // For books run side by side: how many of the run's books are finished ("3/200本 完成:1%").
    void ShowBooks(std::size_t finished);
    // Removes the bar so that what follows starts on a clean line.
    void Clear();

private:
    void Draw(std::size_t bookNumber, int percent);

    std::FILE* m_stream;
    bool m_enabled;
    BookCount m_book;
    bool m_shown = false;
};

} // namespace lumarin::cli
