// Waiting for the program's next SDL event. SDL's own wait, on X, has the event that ends it
// wake the waiting thread by a message sent to one of the program's windows from a second
// connection to the X server; that message can reach the server after the window is closed
// (a box closed by the very key press that sent it), and the X error it causes ends the
// program. This wait watches the display's connection itself and sends nothing.
#pragma once
#include <SDL.h>

namespace platform {

// The next event into event, without waiting; false when none is queued. An end the program
// was asked for by a signal (platform/EndSignals.h) comes as SDL_QUIT, once, as it would
// from SDL's own signal handlers.
bool PollEvent(SDL_Event& event);
// The next event into event, waiting up to timeoutMs (at least 1) for one; false when none came.
// window is any of the program's windows: it tells which display to watch.
bool WaitForEvent(SDL_Window* window, SDL_Event& event, int timeoutMs);

}  // namespace platform
