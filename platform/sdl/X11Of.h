// The X connection and window under an SDL window, for what SDL does not ask the X server.
// Included only by the files that talk to the X server: it brings in Xlib's names.
#pragma once
#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

#if defined(SDL_VIDEO_DRIVER_X11)
// False for a window of another video driver.
inline bool X11Of(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
#endif

}  // namespace platform
