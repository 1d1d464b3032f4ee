// Giving the keyboard to one of the program's windows. Under a window manager the window asks
// it to make the window active; on an X server without one nobody hands out the keyboard, so
// the window takes it itself.
#pragma once

struct SDL_Window;

namespace platform {

// Raises a shown window and gives it the keyboard.
void GiveKeyboard(SDL_Window* window);

}  // namespace platform
