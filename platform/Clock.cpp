#include "platform/Clock.h"

#include <sys/prctl.h>
#include <time.h>

#include <cerrno>
#include <chrono>

namespace platform {
namespace {

// By default the kernel lets a sleep run up to 50 microseconds long, to bunch wake-ups; the
// thread that sleeps towards the play steps (the game's only one) asks for its sleeps on time.
void TightenTimerSlackOnce() {
    static const bool tightened = prctl(PR_SET_TIMERSLACK, 1UL) == 0;
    (void)tightened;
}

class SteadyClock : public ClockSource {
public:
    uint32_t TickCount() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }
    int64_t PerformanceCounter() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    int64_t PerformanceFrequency() override { return 1000000000; }
    // The counter is the monotonic clock (steady_clock) in nanoseconds.
    void SleepUntil(int64_t counter) override {
        TightenTimerSlackOnce();
        const timespec until{static_cast<time_t>(counter / 1000000000), static_cast<long>(counter % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
    }
};

SteadyClock gSteady;
ClockSource* gSource = &gSteady;

}  // namespace

uint32_t GetTickCount() { return gSource->TickCount(); }
int64_t QueryPerformanceCounter() { return gSource->PerformanceCounter(); }
int64_t QueryPerformanceFrequency() { return gSource->PerformanceFrequency(); }
void SleepUntilCounter(int64_t counter) {
    if (counter > gSource->PerformanceCounter()) gSource->SleepUntil(counter);
}
void SetClockSource(ClockSource* source) { gSource = source ? source : &gSteady; }

}  // namespace platform
