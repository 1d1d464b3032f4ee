// The game's message box over a window of the game's own on the tests' X server: the fixture
// and the helpers of the box tests, which watch the box through the server as its user sees it.
#pragma once
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/X11Of.h"
#include "tests/desktop/RunningGame.h"
#include "tests/support/WaitUntil.h"

inline constexpr const char* kBoxTitle = "Box under test";
// Whether the window with this name is shown by the deadline (true) or still shown (false).
inline bool Await(Display* x, const std::string& name, bool shown) {
    return WaitUntil([&] { return (Named(x, name) != 0) == shown; }, kPatience);
}

// Whether the box, up on the test's main thread, has taken every event the X server had sent
// by now: markers pushed into SDL's queue, each once the one before has gone, have all been
// taken. The box takes one event a pass and reads the server at the start of each: the pass
// after the one that took the first marker has read the server's last events, which are
// then queued before the third. False when the box went meanwhile.
inline bool BoxTookAllSent(Display* x) {
    XSync(x, False);
    for (int marker = 0; marker < 3; ++marker) {
        SDL_Event e{};
        e.type = SDL_USEREVENT;
        SDL_PushEvent(&e);
        const auto taken = [] { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT) == 0; };
        if (!WaitUntil([&] { return taken() || !Named(x, kBoxTitle); }, kPatience) || !taken()) return false;
    }
    return true;
}

// What a window manager sends when the user closes a window.
inline void AskToClose(Display* x, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, w, False, NoEventMask, &e);
    XFlush(x);
}

// Closes the box if it outlived what should have ended it, so that a failing test goes on.
inline void CloseIfLeft(Display* x) {
    if (!Await(x, kBoxTitle, false)) AskToClose(x, Named(x, kBoxTitle));
}

inline void Focus(Display* x, Window w) {
    XSetInputFocus(x, w, RevertToParent, CurrentTime);
    XSync(x, False);
}

// Whether a repeat of the key, held down already, reaches the window within the patience:
// watched on the asker's own connection, where each press the window is sent is one.
inline bool AwaitRepeat(Display* x, Window w, KeySym key) {
    XSelectInput(x, w, KeyPressMask);
    XSync(x, False);
    const KeyCode code = XKeysymToKeycode(x, key);
    return WaitUntil([&] {
        XEvent e{};
        while (XCheckTypedWindowEvent(x, w, KeyPress, &e))
            if (e.xkey.keycode == code) return true;
        return false;
    }, kPatience);
}

// The server repeats a held key soon while this lives: the tests that hold a key past the
// repeat delay wait less.
class QuickRepeats {
public:
    explicit QuickRepeats(Display* x) : x_(x) {
        XkbGetAutoRepeatRate(x_, XkbUseCoreKbd, &delay_, &interval_);
        XkbSetAutoRepeatRate(x_, XkbUseCoreKbd, 100, 20);
        XSync(x_, False);
    }
    ~QuickRepeats() {
        XkbSetAutoRepeatRate(x_, XkbUseCoreKbd, delay_, interval_);
        XSync(x_, False);
    }
    QuickRepeats(const QuickRepeats&) = delete;
    QuickRepeats& operator=(const QuickRepeats&) = delete;

private:
    Display* x_;
    unsigned int delay_ = 0, interval_ = 0;
};

class MessageBoxWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") || !(x_ = Server())) GTEST_SKIP() << "no X server";
        platform::SdlWindowOptions options;
        options.FullScreen = false;
        std::string error;
        window_ = platform::SdlWindow::Create(options, &error);
        ASSERT_TRUE(window_) << error;
        window_->Show();
        window_->Events().Close = [this] { closed_ = true; };
    }
    void TearDown() override { window_.reset(); }

    // Shows the box while asker does its part from another thread with a connection of its own.
    void ShowBoxWhile(const std::function<void(Display*)>& asker, const std::string& text = "Waiting for OK.") {
        std::thread thread([&asker] {
            Display* x = XOpenDisplay(nullptr);
            asker(x);
            XCloseDisplay(x);
        });
        platform::MessageBox(text, kBoxTitle);
        thread.join();
    }
    // SDL's own connection to the X server, that of the window and its boxes.
    static Display* SdlServer() {
        SDL_SysWMinfo info;
        return platform::X11Of(SDL_GL_GetCurrentWindow(), info) ? info.info.x11.display : nullptr;
    }
    // The window takes every event the X server had sent it by now: a round trip on its own
    // connection brings them all in.
    void TakeAllSent() {
        XSync(SdlServer(), False);
        window_->ProcessMessages();
    }
    // The window takes every event the X server has for it until done, for a while at most.
    void PumpUntil(const std::function<bool()>& done) {
        WaitUntil([&] {
            if (!done()) window_->WaitForMessages(20);
            return done();
        }, kPatience);
    }

    Display* x_ = nullptr;
    std::unique_ptr<platform::SdlWindow> window_;
    bool closed_ = false;
};
