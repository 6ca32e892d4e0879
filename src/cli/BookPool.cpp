// SPDX-License-Identifier: MIT
#include "cli/BookPool.h"

#include "cli/Interruption.h"

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace lumarin::cli {

namespace {

// How many books each thread may run ahead of the first book not yet delivered.
constexpr std::size_t kAheadPerThread = 4;

struct Slot {
    enum class State { Waiting, Finished, Stopped };
    State state = State::Waiting;
    std::unique_ptr<BookReport> report;
    int status = 0;
};

class OrderedPool {
public:
    OrderedPool(std::size_t count, unsigned threads, const BookJob& job)
        : m_slots(count), m_window(threads * kAheadPerThread), m_job(job) {}

    // A worker thread: takes the next book while the window allows and nothing has stopped.
    void work() {
        while (const std::optional<std::size_t> index = take())
            run(*index);
        const std::lock_guard lock(m_mutex);
        --m_running;
        m_changed.notify_all();
    }

    // On the calling thread: every finished book, in order, until the last or a stop; then
    // waits for every worker, so that no book is still writing when the caller goes on.
    void deliverInOrder(const BookDelivery& deliver) {
        std::unique_lock lock(m_mutex);
        while (m_delivered < m_slots.size()) {
            m_changed.wait(lock, [this] {
                return m_slots[m_delivered].state != Slot::State::Waiting ||
                       (halted() && m_running == 0);
            });
            Slot& slot = m_slots[m_delivered];
            if (slot.state != Slot::State::Finished) break;
            const std::unique_ptr<BookReport> report = std::move(slot.report);
            const std::size_t index = m_delivered++;
            lock.unlock();
            try {
                deliver(index, *report, slot.status);
            } catch (...) {
                lock.lock();
                if (!m_failure) m_failure = std::current_exception();
                break;
            }
            const int signal = InterruptionGuard::noted();
            lock.lock();
            if (signal != 0 && !m_interrupted) m_interrupted = Interrupted{signal};
            m_changed.notify_all();
        }
        m_halt = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_running == 0; });
    }

    // A worker thread is about to start, or could not be started after all.
    void countWorker(int change) {
        const std::lock_guard lock(m_mutex);
        m_running = static_cast<unsigned>(static_cast<int>(m_running) + change);
        m_changed.notify_all();
    }

    // What stopped the pool, thrown once every thread is done.
    void rethrow() const {
        if (m_failure) std::rethrow_exception(m_failure);
        if (m_interrupted) throw *m_interrupted;
    }

private:
    bool halted() const { return m_halt || m_failure || m_interrupted; }

    std::optional<std::size_t> take() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] {
            return halted() || m_next >= m_slots.size() || m_next < m_delivered + m_window;
        });
        if (const int signal = InterruptionGuard::noted(); signal != 0 && !halted())
            m_interrupted = Interrupted{signal};
        if (halted() || m_next >= m_slots.size()) return std::nullopt;
        m_slots[m_next].report = std::make_unique<BookReport>();
        return m_next++;
    }

    void run(std::size_t index) {
        Slot& slot = m_slots[index];
        int status = 0;
        Slot::State state = Slot::State::Finished;
        try {
            status = m_job(index, *slot.report);
        } catch (const Interrupted& interrupted) {
            state = Slot::State::Stopped;
            const std::lock_guard lock(m_mutex);
            if (!m_interrupted) m_interrupted = interrupted;
        } catch (...) {
            state = Slot::State::Stopped;
            const std::lock_guard lock(m_mutex);
            if (!m_failure) m_failure = std::current_exception();
        }
        const std::lock_guard lock(m_mutex);
        slot.status = status;
        slot.state = state;
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;
    const std::size_t m_window;
    const BookJob& m_job;
    std::size_t m_next = 0;      // the next book to start
    std::size_t m_delivered = 0; // books handed to the caller
    unsigned m_running = 0;      // worker threads started and not yet finished
    bool m_halt = false;
    std::optional<Interrupted> m_interrupted;
    std::exception_ptr m_failure;
};

} // namespace

void RunBooksInOrder(std::size_t count, unsigned threads, const BookJob& job,
                     const BookDelivery& deliver) {
    OrderedPool pool(count, threads, job);
    {
        std::vector<std::jthread> workers;
        workers.reserve(threads);
        for (unsigned t = 0; t < threads; ++t) {
            pool.countWorker(+1);
            try {
                workers.emplace_back([&pool] { pool.work(); });
            } catch (const std::system_error&) {
                pool.countWorker(-1); // fewer threads than asked for: the others go on
                if (workers.empty()) throw;
                break;
            }
        }
        pool.deliverInOrder(deliver);
    }
    pool.rethrow();
}

} // namespace lumarin::cli
