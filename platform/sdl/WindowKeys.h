// The keys of the program's window, fed to its keyboard. Where the X server's own key events
// tell the keys they are taken from those, in the order the server sent them, whichever of
// the program's windows they went to: a press counts only on the window itself and not while
// a message box is up (it was meant for the box, which used it up), a repeat never, a release
// wherever it went; the keys the server sends with the keyboard's coming to one of the
// program's windows tell what was let go or pressed in another program's windows meanwhile. A
// key pressed elsewhere and held into the window is no press of its own: it counts once let
// go and pressed again. Elsewhere SDL's key events feed the keyboard, as SdlKeyChanges makes
// them true, so that a key held across a box is one press.
#pragma once
#include <SDL.h>

#include <array>
#include <cstdint>

#include "platform/sdl/ServerKeyEvents.h"

namespace dinput {
class Keyboard;
}

namespace platform {

class WindowKeys {
public:
    WindowKeys(SDL_Window* window, dinput::Keyboard* keyboard);

    void SetKeyboard(dinput::Keyboard* keyboard) { keyboard_ = keyboard; }
    // An event that the window's own loop took.
    void Take(const SDL_Event& e) { Take(e, false); }
    // An event that a message box took while it was up.
    void TakeWhileBoxUp(const SDL_Event& e) { Take(e, true); }

private:
    void Take(const SDL_Event& e, bool boxUp);
    void TakeFromServer(const SDL_Event& e, bool boxUp);
    void TakeFromSdl(const SDL_Event& e, bool boxUp);

    SDL_Window* window_;
    dinput::Keyboard* keyboard_;
    const bool serverEvents_;
    const unsigned long serverWindow_;  // the window's own, on the server
    std::array<bool, 256> down_{};      // by scan code, down as the server's events tell
    ServerEventsOn serverEventsOn_;
};

}  // namespace platform
