// SPDX-License-Identifier: MIT
#include "cli/Interruption.h"

#include <atomic>
#include <cstdlib>
#include <unistd.h>

namespace lumarin::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Written by the handler and read by every thread of a batch: a lock-free atomic is both
// safe in a handler and free of races between threads.
std::atomic<int> g_noted = 0;
static_assert(std::atomic<int>::is_always_lock_free);

std::atomic<int> g_guards = 0;

void Note(int signal) {
    g_noted = signal;
}

} // namespace

InterruptionGuard::InterruptionGuard() {
    if (g_guards.fetch_add(1) != 0) return;
    m_installed = true;
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
}

InterruptionGuard::~InterruptionGuard() {
    g_guards.fetch_sub(1);
    if (!m_installed) return;
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
}

void InterruptionGuard::check() {
    if (const int signal = noted(); signal != 0) throw Interrupted{signal};
}

int InterruptionGuard::noted() {
    return g_noted.load();
}

void EndBySignal(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signal);
    _exit(128 + signal); // only when the signal's default action does not end the program
}

} // namespace lumarin::cli
