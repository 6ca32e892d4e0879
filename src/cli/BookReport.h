// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace lumarin::cli {

// Where one book's messages go: its result lines (stdout), its messages (stderr), and whether it
// may draw its own progress bar on stderr.
struct BookStreams {
    std::ostream& out;
    std::ostream& err;
    bool progressBar = true;
};

// Flushes `out` and returns 0 while it is good, else the reason the system gave when it first
// failed (errno may have been changed since by anything else the run did), so that every book
// after a failed stdout names the same true reason.
int FlushAndCheck(std::ostream& out);

// What one book of a parallel batch printed, kept in the order it was printed (its stdout and
// stderr pieces interleaved as written), so that it can be shown later exactly as a serial run
// would have shown it while running.
class BookReport {
public:
    BookReport();
    ~BookReport();
    BookReport(const BookReport&) = delete;
    BookReport& operator=(const BookReport&) = delete;

    // The streams the book prints into; no progress bar, as several books run at once.
    BookStreams streams();

    // Prints everything recorded, stdout pieces to `out` and stderr pieces to `err`; `out` is
    // flushed before each stderr piece, as the book itself would have done.
    void replay(std::ostream& out, std::ostream& err) const;

private:
    struct Piece {
        bool toErr = false;
        std::string text;
    };
    class Recorder;

    std::vector<Piece> m_pieces;
    std::unique_ptr<Recorder> m_outBuffer;
    std::unique_ptr<Recorder> m_errBuffer;
    std::unique_ptr<std::ostream> m_out;
    std::unique_ptr<std::ostream> m_err;
};

} // namespace lumarin::cli
