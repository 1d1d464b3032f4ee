#include "platform/sdl/EventWait.h"

#include <poll.h>

#include <chrono>

#include "platform/EndSignals.h"
#include "platform/sdl/X11Of.h"

namespace platform {

bool PollEvent(SDL_Event& event) {
    if (TakeEndRequest()) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    return SDL_PollEvent(&event) != 0;
}

bool WaitForEvent(SDL_Window* window, SDL_Event& event, int timeoutMs) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Of(window, info)) {
        Display* display = info.info.x11.display;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (PollEvent(event)) return true;  // SDL has read all the connection had
            const auto left = until - std::chrono::steady_clock::now();
            if (left <= std::chrono::steady_clock::duration::zero()) return false;
            // Rounded up: a wait of less than a millisecond left is a wait, not a return at once
            // that its caller would repeat until the time is up.
            const auto leftMs = std::chrono::ceil<std::chrono::milliseconds>(left);
            // A signal (SIGTERM) cuts the wait short; it becomes an event at the next poll.
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            if (XPending(display) == 0) poll(&connection, 1, static_cast<int>(leftMs.count()));
        }
    }
#endif
    (void)window;
    return PollEvent(event) || SDL_WaitEventTimeout(&event, timeoutMs) != 0;
}

}  // namespace platform
