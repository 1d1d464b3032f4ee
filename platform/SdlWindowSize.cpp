#include "platform/SdlWindowSize.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {
namespace {

bool MeasureOnX11(SDL_Window* window, int& width, int& height) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
#else
    (void)window;
    (void)width;
    (void)height;
    return false;
#endif
}

}  // namespace

WindowMeasure MeasureWindow(SDL_Window* window) {
    WindowMeasure m;
    if (MeasureOnX11(window, m.PixelWidth, m.PixelHeight)) {
        m.PointerWidth = m.PixelWidth;
        m.PointerHeight = m.PixelHeight;
        return m;
    }
    SDL_GetWindowSize(window, &m.PointerWidth, &m.PointerHeight);
    SDL_GL_GetDrawableSize(window, &m.PixelWidth, &m.PixelHeight);
    return m;
}

}  // namespace platform
