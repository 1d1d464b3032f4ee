#include "platform/Clock.h"

#include <chrono>

namespace platform {
namespace {

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
};

SteadyClock gSteady;
ClockSource* gSource = &gSteady;

}  // namespace

uint32_t GetTickCount() { return gSource->TickCount(); }
int64_t QueryPerformanceCounter() { return gSource->PerformanceCounter(); }
int64_t QueryPerformanceFrequency() { return gSource->PerformanceFrequency(); }
void SetClockSource(ClockSource* source) { gSource = source ? source : &gSteady; }

}  // namespace platform
