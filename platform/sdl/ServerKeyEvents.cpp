#include "platform/sdl/ServerKeyEvents.h"

#include "platform/sdl/ServerKeyboard.h"
#include "platform/sdl/X11Of.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/XKBlib.h>
#endif

namespace platform {

bool ServerKeyEventsTell(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    Bool on = False;
    return ServerKeyboard(window).Known() && X11Of(window, info) &&
           XkbGetDetectableAutoRepeat(info.info.x11.display, &on) && on;
#else
    (void)window;
    return false;
#endif
}

std::optional<ServerKeyEvent> ServerKeyEventOf(const SDL_Event& e) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return std::nullopt;
    const XEvent& x = e.syswm.msg->msg.x11.event;
    if (x.type != KeyPress && x.type != KeyRelease) return std::nullopt;
    return ServerKeyEvent{ScanCodeOfServerKey(x.xkey.keycode), x.type == KeyPress, x.xkey.window};
#else
    (void)e;
    return std::nullopt;
#endif
}

unsigned long ServerWindowOf(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    return X11Of(window, info) ? info.info.x11.window : 0;
#else
    (void)window;
    return 0;
#endif
}

}  // namespace platform
