// Closing one of the program's windows so that a late X request about it cannot end the
// program, as Xlib's default answer to any X error would. A request another connection of
// SDL's sent about the window just before it was closed can still reach the X server after
// the close and fail with BadWindow. Errors about windows closed this way are passed over;
// every other X error goes on to the handler there was before.
#pragma once

struct SDL_Window;

namespace platform {

void DestroyWindowQuietly(SDL_Window* window);

}  // namespace platform
