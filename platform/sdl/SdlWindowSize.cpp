#include "platform/sdl/SdlWindowSize.h"

#include <algorithm>
#include <vector>

#include "platform/sdl/X11Of.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

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

#if defined(SDL_VIDEO_DRIVER_X11)
// The atoms a property of the root window holds; empty where it has none.
std::vector<Atom> RootProperty(Display* display, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Atom> values;
    if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, name, False), 0, 1024, False, type,
                           &actualType, &format, &count, &after, &data) == Success &&
        actualType == type && format == 32)
        values.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
    if (data) XFree(data);
    return values;
}
#endif

}  // namespace

bool FullScreenByWindowManager(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!X11Of(window, info)) return false;
    Display* display = info.info.x11.display;
    if (RootProperty(display, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty()) return false;
    const std::vector<Atom> supported = RootProperty(display, "_NET_SUPPORTED", XA_ATOM);
    return std::find(supported.begin(), supported.end(), XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False)) !=
           supported.end();
#else
    (void)window;
    return false;
#endif
}

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
