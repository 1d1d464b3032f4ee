// A window for driving the main loop in tests: focus is a switch, waiting moves the manual
// clock, and every message pump runs the test's script.
#pragma once
#include <functional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Window.h"

class FakeWindow : public platform::Window {
public:
    explicit FakeWindow(platform::ManualClock& clock) : clock_(clock) {}

    bool focus = true;
    int pumps = 0;
    std::vector<int> waits;                 // every wait asked for, in ms
    std::function<void()> onPump;           // runs at every message pump

    void Show() override {}
    bool HasFocus() const override { return focus; }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void WaitForMessages(int timeoutMs) override {
        waits.push_back(timeoutMs);
        clock_.AdvanceMs(timeoutMs);
        ProcessMessages();
    }
    void SetBackBufferSize(int, int) override {}

private:
    platform::ManualClock& clock_;
};
