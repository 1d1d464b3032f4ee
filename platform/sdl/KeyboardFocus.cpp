#include "platform/sdl/KeyboardFocus.h"

#include "platform/sdl/X11Of.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#endif

namespace platform {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
bool gCheckFailed = false;

int NoteCheckFailure(Display*, XErrorEvent*) {
    gCheckFailed = true;
    return 0;
}

// The window a running manager names on the root, and names again on itself; one that has
// ended may have left the root's name behind, naming a window that is gone.
::Window SupportingWindow(Display* display, ::Window of, Atom check) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    ::Window named = None;
    if (XGetWindowProperty(display, of, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &left, &data) ==
            Success &&
        data && type == XA_WINDOW && format == 32 && count == 1)
        named = *reinterpret_cast<::Window*>(data);
    if (data) XFree(data);
    return named;
}

bool ManagerRunning(Display* display) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    XSync(display, False);
    gCheckFailed = false;
    const auto previous = XSetErrorHandler(NoteCheckFailure);  // the named window may be gone
    const ::Window named = SupportingWindow(display, DefaultRootWindow(display), check);
    const bool running = named != None && SupportingWindow(display, named, check) == named;
    XSync(display, False);
    XSetErrorHandler(previous);
    return running && !gCheckFailed;
}
#endif

bool ManagerHandsOutKeyboard(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Of(window, info)) return ManagerRunning(info.info.x11.display);
#else
    (void)window;
#endif
    return true;  // other display servers always have one
}

}  // namespace

void GiveKeyboard(SDL_Window* window) {
    SDL_RaiseWindow(window);
    if (!ManagerHandsOutKeyboard(window)) SDL_SetWindowInputFocus(window);
}

}  // namespace platform
