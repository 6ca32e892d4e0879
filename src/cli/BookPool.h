// SPDX-License-Identifier: MIT
#pragma once

#include "cli/BookReport.h"

#include <cstddef>
#include <functional>

namespace lumarin::cli {

// Runs book `index` of a batch, printing into `report`; returns its exit status.
using BookJob = std::function<int(std::size_t index, BookReport& report)>;
// Takes a finished book's report and status on the thread that started the pool.
using BookDelivery = std::function<void(std::size_t index, const BookReport& report, int status)>;

// Runs job(0) ... job(count - 1) on `threads` threads and hands each book to `deliver` on the
// calling thread, in the books' order, as soon as it and every book before it have finished.
// Books are started in order and at most a few per thread ahead of the last one delivered, so
// the reports held stay few however long the batch.
//
// An interruption (a job throwing Interrupted, or a signal noted by the InterruptionGuard the
// caller holds) stops the pool: no further book starts, the books already running finish or
// stop at their next step, the finished books before the first unfinished one are delivered,
// and Interrupted is thrown once every thread has stopped, so that no book is left writing.
// Anything else a job throws is rethrown the same way.
void RunBooksInOrder(std::size_t count, unsigned threads, const BookJob& job,
                     const BookDelivery& deliver);

} // namespace lumarin::cli
