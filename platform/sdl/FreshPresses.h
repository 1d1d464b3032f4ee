// Fresh presses of a few keys, told from the keyboard's repeats of a held key and from the
// releases SDL makes up for a window that loses the keyboard (after which SDL takes the next
// repeat of a key still held for a press). On X they are told by the keyboard's own events:
// SDL's connection gets no release for a held key's repeats, so a press is fresh after a
// release. Elsewhere by SDL's key events.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <span>
#include <vector>

namespace platform {

class FreshPresses {
public:
    // keys as SDL scancodes; a key held now was pressed before. While this lives, the X
    // server's own events come through SDL's queue too.
    FreshPresses(SDL_Window* window, std::span<const SDL_Scancode> keys);
    ~FreshPresses();
    FreshPresses(const FreshPresses&) = delete;
    FreshPresses& operator=(const FreshPresses&) = delete;

    // Whether the event is a fresh press of one of the keys.
    bool Fresh(const SDL_Event& e);

private:
    int Index(SDL_Scancode key) const;
    int IndexOfServerCode(unsigned code) const;

    std::vector<SDL_Scancode> keys_;
    std::vector<unsigned> serverCodes_;  // the keys' numbers on the X server, when its events count
    std::vector<bool> down_;
    bool serverEvents_ = false;
    int wmEventsBefore_ = SDL_DISABLE;
};

}  // namespace platform
