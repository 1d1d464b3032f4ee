#include "platform/EndSignals.h"

#include <semaphore.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <system_error>
#include <thread>

namespace platform {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> gSignal{0};        // the first end signal that came; 0: none yet
std::atomic<bool> gUntaken{false};  // a request no loop has taken yet
void (*gWhenAsked)() = nullptr;
sem_t gAsked;  // posted by the handler: the grace starts

void OnEndSignal(int signal) {
    int none = 0;
    const bool first = gSignal.compare_exchange_strong(none, signal);
    gUntaken = true;
    if (gWhenAsked) gWhenAsked();
    if (first) sem_post(&gAsked);
}

// Ends the program once the grace after the first request has passed, as the signal would
// have ended it without a handler.
void EndAfterGrace() {
    while (sem_wait(&gAsked) != 0) {
    }
    std::this_thread::sleep_for(kEndGrace);
    const int signal = gSignal;
    struct sigaction plain {};
    plain.sa_handler = SIG_DFL;
    sigemptyset(&plain.sa_mask);
    sigaction(signal, &plain, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);
}

}  // namespace

void CatchEndSignals(void (*whenAsked)()) {
    static bool caught = false;
    if (caught || sem_init(&gAsked, 0, 0) != 0) return;
    caught = true;
    gWhenAsked = whenAsked;
    try {
        std::thread(EndAfterGrace).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the loops still end the program, a long load only later.
    }
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndSignals) {
        struct sigaction before {};
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

bool EndRequested() { return gSignal != 0; }

bool TakeEndRequest() { return gUntaken.exchange(false); }

}  // namespace platform
