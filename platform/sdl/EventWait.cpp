#include "platform/sdl/EventWait.h"

#include <poll.h>

#include <chrono>

#include "platform/sdl/X11Of.h"

namespace platform {

bool WaitForEvent(SDL_Window* window, SDL_Event& event, int timeoutMs) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Of(window, info)) {
        Display* display = info.info.x11.display;
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (SDL_PollEvent(&event)) return true;  // SDL has read all the connection had
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            // A signal (SIGTERM) cuts the wait short; SDL turns it into an event at the next poll.
            pollfd connection{ConnectionNumber(display), POLLIN, 0};
            if (XPending(display) == 0) poll(&connection, 1, static_cast<int>(left.count()));
        }
    }
#endif
    (void)window;
    return SDL_WaitEventTimeout(&event, timeoutMs) != 0;
}

}  // namespace platform
