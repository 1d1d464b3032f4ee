// The game's real window passed through to the game, with a script's hook run at every
// message pump and the frames shown counted: how tests and benchmarks drive the real main
// loop. Derived windows replace what they fake (a hand-moved clock's waits, the focus).
#pragma once
#include <functional>

#include "platform/gl/GlSurface.h"
#include "platform/sdl/SdlWindow.h"

namespace replay {

class HookedWindow : public platform::Window, public platform::GlSurface {
public:
    explicit HookedWindow(platform::SdlWindow& inner) : inner_(inner) {}

    std::function<void()> onPump;  // runs after every message pump
    int swaps = 0;                 // frames shown

    platform::SdlWindow& Inner() { return inner_; }

    void Show() override { inner_.Show(); }
    bool HasFocus() const override { return inner_.HasFocus(); }
    void ProcessMessages() override {
        inner_.Events() = Events();
        inner_.ProcessMessages();
        if (onPump) onPump();
    }
    void WaitForMessages(int timeoutMs) override {
        inner_.Events() = Events();
        inner_.WaitForMessages(timeoutMs);
        if (onPump) onPump();
    }
    void SetBackBufferSize(int width, int height) override { inner_.SetBackBufferSize(width, height); }
    int RefreshRate() const override { return inner_.RefreshRate(); }
    void MakeCurrent() override { inner_.MakeCurrent(); }
    void SwapBuffers() override {
        ++swaps;
        inner_.SwapBuffers();
    }
    void DrawableSize(int& width, int& height) const override { inner_.DrawableSize(width, height); }

private:
    platform::SdlWindow& inner_;
};

}  // namespace replay
