// What SDL's key events tell of the keys, made true to the keyboard itself where the X server
// can be asked: a release of a key still down there is one SDL made up as the keyboard moved
// between windows (SDL takes the key's next repeat for a fresh press then), and a key let go
// while the keyboard was with another window, whose release never came, is up once one of the
// program's windows has the keyboard again. Repeats tell nothing.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

struct KeyChange {
    uint8_t scanCode = 0;
    bool down = false;
};

// The changes the event tells, in order; held tells which keys the caller has down, for the
// releases that never came.
std::vector<KeyChange> SdlKeyChanges(SDL_Window* window, const SDL_Event& e,
                                     const std::function<bool(uint8_t)>& held);

}  // namespace platform
