// Tests wait for the event they need (a window, a file, an exit), never for a guessed time:
// the condition is asked again and again until it holds or the limit has passed, so that a
// busy machine makes a test slower, not wrong, and a fault fails it within seconds.
#pragma once
#include <chrono>
#include <thread>

// Whether the condition held within the limit; it is asked at once and then every 10 ms.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
