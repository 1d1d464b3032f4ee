#include "platform/sdl/FreshPresses.h"

#include <algorithm>

#include "platform/Keyboard.h"
#include "platform/sdl/ServerKeyboard.h"
#include "platform/sdl/X11Of.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/XKBlib.h>
#endif

namespace platform {
namespace {

// Whether the X server sends SDL's connection no release for a held key's repeats.
bool RepeatsWithoutReleases(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    Bool on = False;
    return X11Of(window, info) && XkbGetDetectableAutoRepeat(info.info.x11.display, &on) && on;
#else
    (void)window;
    return false;
#endif
}

}  // namespace

FreshPresses::FreshPresses(SDL_Window* window, std::span<const SDL_Scancode> keys) : keys_(keys.begin(), keys.end()) {
    const ServerKeyboard server(window);
    serverEvents_ = server.Known() && RepeatsWithoutReleases(window);
    const uint8_t* held = SDL_GetKeyboardState(nullptr);
    for (SDL_Scancode key : keys_) {
        const uint8_t scanCode = dinput::ScanCodeFromSdl(key);
        serverCodes_.push_back(server.Code(scanCode));
        down_.push_back(serverEvents_ ? server.Down(scanCode) : held[key] != 0);
    }
    if (serverEvents_) wmEventsBefore_ = SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

FreshPresses::~FreshPresses() {
    if (serverEvents_) SDL_EventState(SDL_SYSWMEVENT, wmEventsBefore_);
}

bool FreshPresses::Fresh(const SDL_Event& e) {
    int i = -1;
    bool down = false;
    if (serverEvents_) {
#if defined(SDL_VIDEO_DRIVER_X11)
        if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
        const XEvent& x = e.syswm.msg->msg.x11.event;
        if (x.type != KeyPress && x.type != KeyRelease) return false;
        i = IndexOfServerCode(x.xkey.keycode);
        down = x.type == KeyPress;
#endif
    } else {
        if ((e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) || e.key.repeat) return false;
        i = Index(e.key.keysym.scancode);
        down = e.type == SDL_KEYDOWN;
    }
    if (i < 0) return false;
    const bool fresh = down && !down_[static_cast<size_t>(i)];
    down_[static_cast<size_t>(i)] = down;
    return fresh;
}

int FreshPresses::Index(SDL_Scancode key) const {
    const auto at = std::find(keys_.begin(), keys_.end(), key);
    return at == keys_.end() ? -1 : static_cast<int>(at - keys_.begin());
}

int FreshPresses::IndexOfServerCode(unsigned code) const {
    const auto at = std::find(serverCodes_.begin(), serverCodes_.end(), code);
    return code == 0 || at == serverCodes_.end() ? -1 : static_cast<int>(at - serverCodes_.begin());
}

}  // namespace platform
