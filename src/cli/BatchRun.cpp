// SPDX-License-Identifier: MIT
#include "cli/BatchRun.h"

#include "cli/SourceList.h"
#include "engine/base/ExitCode.h"

#include <algorithm>
#include <iostream>

namespace lumarin::cli {

namespace {

using engine::ExitCode;

// Exit statuses grow with how bad the outcome is: refused (1) < usage (2) < read or write (3).
int Worse(int a, int b) {
    return std::max(a, b);
}

void PrintSummary(std::ostream& out, std::size_t done, std::size_t failed) {
    out << done << " 本成功，" << failed << " 本失败\n";
}

} // namespace

int RunBatch(const CommandLine& line, const BookRunner& runBook) {
    const SourceList sources = ExpandSources(line.sources, line.recursive);
    const std::vector<SourceEntry>& books = sources.books;
    if (!line.run.bookFile.empty() && books.size() > 1) {
        std::cerr << "--epub FILE takes one source; without FILE each book is named after its "
                     "source\n";
        return static_cast<int>(ExitCode::Usage);
    }
    for (const auto& folder : sources.chapterFolders)
        std::cerr << "跳过章节文件夹: " << folder.string() << '\n';
    std::size_t done = 0;
    int worst = static_cast<int>(ExitCode::Done);
    for (std::size_t i = 0; i < books.size(); ++i) {
        const SourceEntry& book = books[i];
        if (!line.json) {
            std::cout << "source\t" << book.path.string() << '\n';
            std::cout.flush(); // before the book's own messages on stderr
        }
        int status = book.exitStatus;
        if (book.failure.empty()) {
            CommandLine one = line;
            one.run.source = book.path;
            status = runBook(one, {i + 1, books.size()});
        } else {
            std::cerr << book.failure << '\n';
        }
        if (status == static_cast<int>(ExitCode::Done)) {
            ++done;
        } else {
            std::cerr << "失败: " << book.path.string() << '\n';
            worst = Worse(worst, status);
        }
    }
    PrintSummary(line.list ? std::cerr : std::cout, done, books.size() - done);
    std::cout.flush();
    if (!std::cout && worst == static_cast<int>(ExitCode::Done)) {
        worst = static_cast<int>(ExitCode::IoFailure);
    }
    return worst;
}

} // namespace lumarin::cli
