// SPDX-License-Identifier: MIT
#pragma once

#include <csignal>

namespace lumarin::cli {

// Thrown at the run's next step after SIGINT, SIGTERM or SIGHUP, so that
// what the run holds open (a book's temporary file) is cleaned up on the way out.
struct Interrupted {
    int signal;
};

// While alive, SIGINT, SIGTERM and SIGHUP are noted instead of ending the
// program at once; check() turns a noted one into Interrupted. Blocking
// calls are not restarted, so a run waiting on its output sees it promptly.
// Guards nest: only the outermost one installs and restores the handlers, so
// a batch that holds one keeps it over the guards its books' threads take.
class InterruptionGuard {
public:
    InterruptionGuard();
    ~InterruptionGuard();
    InterruptionGuard(const InterruptionGuard&) = delete;
    InterruptionGuard& operator=(const InterruptionGuard&) = delete;

    static void check();
    // The signal noted, or 0.
    static int noted();

private:
    bool m_installed = false;
    struct sigaction m_previous[3];
};

// Ends the program by `signal` with its default action, so that the status a
// shell sees is the signal's, as it would have been without the guard.
[[noreturn]] void EndBySignal(int signal);

} // namespace lumarin::cli
