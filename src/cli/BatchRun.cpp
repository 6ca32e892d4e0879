// SPDX-License-Identifier: MIT
#include "cli/BatchRun.h"

#include "cli/BookPool.h"
#include "cli/Interruption.h"
#include "cli/SharedOutputs.h"
#include "cli/SourceList.h"
#include "engine/base/EngineError.h"
#include "engine/base/ExitCode.h"
#include "engine/base/TextUtil.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace lumarin::cli {

namespace {

using engine::ExitCode;

constexpr int kDone = static_cast<int>(ExitCode::Done);

// A path in a message, its control characters escaped as in every other message.
std::string Shown(const std::filesystem::path& path) {
    return engine::ToUtf8(engine::ShownPath(path.string()));
}

// The batch's tally: books done, the worst failure, each failure named on stderr.
class Tally {
public:
    void add(const SourceEntry& book, int status) {
        if (status == kDone) {
            ++m_done;
            return;
        }
        std::cerr << "失败: " << Shown(book.path) << '\n';
        // Exit statuses grow with how bad the outcome is: refused (1) < usage (2) < read or
        // write (3).
        m_worst = std::max(m_worst, status);
    }

    // The summary line, and the exit status of the whole run.
    int finish(const CommandLine& line, std::size_t books) const {
        (line.list ? std::cerr : std::cout)
            << m_done << " 本成功，" << books - m_done << " 本失败\n";
        std::cout.flush();
        if (!std::cout && m_worst == kDone) return static_cast<int>(ExitCode::IoFailure);
        return m_worst;
    }

private:
    std::size_t m_done = 0;
    int m_worst = kDone;
};

// One book: the line that introduces it, then its run (or the failure found before it ran).
int RunOne(const CommandLine& line, const SourceEntry& book, BookCount count,
           const BookStreams& streams, const BookRunner& runBook) {
    if (!line.json) {
        streams.out << "source\t" << Shown(book.path) << '\n';
        FlushAndCheck(streams.out); // before the book's own messages on stderr
    }
    if (!book.failure.empty()) {
        streams.err << book.failure << '\n';
        return book.exitStatus;
    }
    CommandLine one = line;
    one.run.source = book.path;
    return runBook(one, count, streams);
}

void RunInTurn(const CommandLine& line, const std::vector<SourceEntry>& books,
               const BookRunner& runBook, Tally& tally) {
    const BookStreams streams{std::cout, std::cerr};
    for (std::size_t i = 0; i < books.size(); ++i)
        tally.add(books[i], RunOne(line, books[i], {i + 1, books.size()}, streams, runBook));
}

// Each book prints into its own report; the reports are shown in the books' order, with the
// stdout check a book run alone makes after its result.
void RunInParallel(const CommandLine& line, const std::vector<SourceEntry>& books,
                   unsigned threads, const BookRunner& runBook, Tally& tally) {
    const InterruptionGuard interruptions; // over every book's own, on every thread
    ProgressBar progress(stderr, !line.quiet, {0, books.size()});
    std::size_t delivered = 0;
    RunBooksInOrder(
        books.size(), threads,
        [&](std::size_t i, BookReport& report) {
            return RunOne(line, books[i], {i + 1, books.size()}, report.streams(), runBook);
        },
        [&](std::size_t i, const BookReport& report, int status) {
            progress.Clear();
            report.replay(std::cout, std::cerr);
            if (const int error = FlushAndCheck(std::cout); error != 0 && status == kDone) {
                std::cerr << engine::EngineError::writeFailed("stdout", std::strerror(error)).what()
                          << '\n';
                status = static_cast<int>(ExitCode::IoFailure);
            }
            tally.add(books[i], status);
            progress.ShowBooks(++delivered);
        });
}

} // namespace

int RunBatch(const CommandLine& line, const BookRunner& runBook) {
    SourceList sources = ExpandSources(line.sources, line.recursive);
    std::vector<SourceEntry>& books = sources.books;
    if (!line.run.bookFile.empty() && books.size() > 1) {
        std::cerr << "--epub FILE takes one source; without FILE each book is named after its "
                     "source\n";
        return static_cast<int>(ExitCode::Usage);
    }
    for (const auto& folder : sources.chapterFolders)
        std::cerr << "跳过章节文件夹: " << Shown(folder) << '\n';
    if (!line.list) RefuseSharedOutputs(books, line.run);
    Tally tally;
    const auto threads = static_cast<unsigned>(std::min<std::size_t>(line.jobs, books.size()));
    if (threads > 1) {
        RunInParallel(line, books, threads, runBook, tally);
    } else {
        RunInTurn(line, books, runBook, tally);
    }
    return tally.finish(line, books.size());
}

} // namespace lumarin::cli
