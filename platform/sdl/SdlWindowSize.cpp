#include "platform/sdl/SdlWindowSize.h"

#include "platform/sdl/X11Of.h"

namespace platform {
namespace {

bool MeasureOnX11(SDL_Window* window, int& width, int& height) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!X11Of(window, info)) return false;
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

bool PointerNow(SDL_Window* window, PointerPlace& place) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!X11Of(window, info)) return false;
    ::Window root = 0, child = 0;
    unsigned int buttons = 0;
    return XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &place.ScreenX, &place.ScreenY,
                         &place.WindowX, &place.WindowY, &buttons) == True;
#else
    (void)window;
    (void)place;
    return false;
#endif
}

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
