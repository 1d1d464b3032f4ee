// A window for driving the main loop in tests: focus is a switch, waiting moves the manual
// clock (by what was asked, or by what waitLasts says), and every message pump runs the
// test's script.
#pragma once
#include <functional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Window.h"

class FakeWindow : public platform::Window {
public:
    explicit FakeWindow(platform::ManualClock& clock) : clock_(clock) {}

    bool focus = true;
    int refreshRate = 0;
    int pumps = 0;
    std::vector<int> waits;                     // every wait asked for, in ms
    std::function<void()> onPump;               // runs at every message pump
    std::function<void(int timeoutMs)> onWait;  // runs when a wait is asked for, before it
    std::function<double(int timeoutMs)> waitLasts;  // how many ms a wait really takes

    void Show() override {}
    bool HasFocus() const override { return focus; }
    void ProcessMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void WaitForMessages(int timeoutMs) override {
        waits.push_back(timeoutMs);
        if (onWait) onWait(timeoutMs);
        clock_.AdvanceMs(waitLasts ? waitLasts(timeoutMs) : timeoutMs);
        ProcessMessages();
    }
    void SetBackBufferSize(int, int) override {}
    int RefreshRate() const override { return refreshRate; }

private:
    platform::ManualClock& clock_;
};
