// Millisecond tick count and high-resolution performance counter, replaceable in tests.
#pragma once
#include <cstdint>
#include <functional>

namespace platform {

class ClockSource {
public:
    virtual ~ClockSource() = default;
    virtual uint32_t TickCount() = 0;
    virtual int64_t PerformanceCounter() = 0;
    virtual int64_t PerformanceFrequency() = 0;
    // Sleeps, without spinning, until the performance counter reaches counter.
    virtual void SleepUntil(int64_t counter) = 0;
};

uint32_t GetTickCount();
int64_t QueryPerformanceCounter();
int64_t QueryPerformanceFrequency();
// Sleeps until the performance counter reaches counter: within a small fraction of a
// millisecond, unlike the window's message wait. Returns at once for a counter already passed.
void SleepUntilCounter(int64_t counter);

// Milliseconds from 'earlier' to 'later', correct across the 32-bit wrap of the tick count.
inline uint32_t TicksSince(uint32_t later, uint32_t earlier) { return later - earlier; }

// Replaces the system clock; nullptr restores it.
void SetClockSource(ClockSource* source);

// A clock tests move by hand.
class ManualClock : public ClockSource {
public:
    uint32_t ticks = 0;
    int64_t counter = 0;
    int64_t frequency = 1000000;
    // Where a sleep until a counter value ends (tests wake it early or late); exact when unset.
    std::function<int64_t(int64_t target)> wake;
    uint32_t TickCount() override { return ticks; }
    int64_t PerformanceCounter() override { return counter; }
    int64_t PerformanceFrequency() override { return frequency; }
    void SleepUntil(int64_t target) override {
        const int64_t end = wake ? wake(target) : target;
        if (end <= counter) return;
        ticks += static_cast<uint32_t>((end - counter) * 1000 / frequency);
        counter = end;
    }
    void AdvanceMs(double ms) {
        ticks += static_cast<uint32_t>(ms);
        counter += static_cast<int64_t>(ms * static_cast<double>(frequency) / 1000.0);
    }
};

}  // namespace platform
