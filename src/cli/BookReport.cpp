// SPDX-License-Identifier: MIT
#include "cli/BookReport.h"

#include <atomic>
#include <cerrno>
#include <streambuf>

namespace lumarin::cli {

// A stream buffer that adds what is written to the report's pieces, tagged with its stream.
class BookReport::Recorder : public std::streambuf {
public:
    Recorder(std::vector<Piece>& pieces, bool toErr) : m_pieces(pieces), m_toErr(toErr) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        xsputn(&byte, 1);
        return c;
    }

    std::streamsize xsputn(const char* data, std::streamsize size) override {
        if (m_pieces.empty() || m_pieces.back().toErr != m_toErr) m_pieces.push_back({m_toErr, {}});
        m_pieces.back().text.append(data, static_cast<std::size_t>(size));
        return size;
    }

private:
    std::vector<Piece>& m_pieces;
    bool m_toErr;
};

int FlushAndCheck(std::ostream& out) {
    static std::atomic<int> firstFailure = 0;
    out.flush();
    if (out.good()) return 0;
    int expected = 0;
    // Right after the failing write errno is its reason; later it is only the best guess left.
    firstFailure.compare_exchange_strong(expected, errno != 0 ? errno : EIO);
    return firstFailure.load();
}

BookReport::BookReport()
    : m_outBuffer(std::make_unique<Recorder>(m_pieces, false)),
      m_errBuffer(std::make_unique<Recorder>(m_pieces, true)),
      m_out(std::make_unique<std::ostream>(m_outBuffer.get())),
      m_err(std::make_unique<std::ostream>(m_errBuffer.get())) {}

BookReport::~BookReport() = default;

BookStreams BookReport::streams() {
    return {*m_out, *m_err, false};
}

void BookReport::replay(std::ostream& out, std::ostream& err) const {
    for (const Piece& piece : m_pieces) {
        if (piece.toErr) {
            out.flush();
            err << piece.text;
        } else {
            out << piece.text;
            FlushAndCheck(out); // as the book flushes its stdout before any message
        }
    }
}

} // namespace lumarin::cli
