// SPDX-License-Identifier: MIT
#include "cli/Interruption.h"

#include <cstdlib>
#include <unistd.h>

namespace lumarin::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t g_noted = 0;

void Note(int signal) {
    g_noted = signal;
}

} // namespace

InterruptionGuard::InterruptionGuard() {
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
    }
}

InterruptionGuard::~InterruptionGuard() {
    for (int i = 0; i < 3; ++i) {
        sigaction(kSignals[i], &m_previous[i], nullptr);
    }
}

void InterruptionGuard::check() {
    if (g_noted != 0) {
        throw Interrupted{g_noted};
    }
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
