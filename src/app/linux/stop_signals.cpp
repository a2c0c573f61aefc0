#include "app/linux/stop_signals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

void onStopSignal(int) { g_stopRequested = 1; }

}  // namespace

void installStopSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool stopRequested() { return g_stopRequested != 0; }

void requestStop() { g_stopRequested = 1; }

void clearStopRequest() { g_stopRequested = 0; }
