// Fresh presses of a few keys, told from the keyboard's repeats of a held key and from the
// releases SDL makes up for a window that loses the keyboard (after which SDL takes the next
// repeat of a key still held for a press). Where the X server's own key events tell the keys
// they are told by those: a press is fresh after a release. Elsewhere by SDL's key events, as
// SdlKeyChanges makes them true.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <span>
#include <vector>

#include "platform/sdl/ServerKeyEvents.h"

namespace platform {

class FreshPresses {
public:
    // keys as SDL scancodes; a key held now was pressed before. While this lives, the X
    // server's own events come through SDL's queue too.
    FreshPresses(SDL_Window* window, std::span<const SDL_Scancode> keys);

    // Whether the event is a fresh press of one of the keys.
    bool Fresh(const SDL_Event& e);

private:
    // Whether the key's change is a fresh press of one of the keys.
    bool Change(uint8_t scanCode, bool down);
    int Index(uint8_t scanCode) const;

    SDL_Window* window_;
    std::vector<uint8_t> codes_;  // the keys' scan codes
    std::vector<bool> down_;
    bool serverEvents_;
    ServerEventsOn serverEventsOn_;
};

}  // namespace platform
