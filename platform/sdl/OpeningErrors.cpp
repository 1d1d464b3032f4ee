#include "platform/sdl/OpeningErrors.h"

#include <cstdio>

#include "platform/sdl/X11Of.h"

namespace platform {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
int WriteToStderr(Display* display, XErrorEvent* e) {
    char text[160] = "";
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "X error: %s (request %d.%d)\n", text, e->request_code, e->minor_code);
    return 0;
}
#endif

}  // namespace

XErrorsEndNothing::XErrorsEndNothing() {
#if defined(SDL_VIDEO_DRIVER_X11)
    earlier_ = reinterpret_cast<void*>(XSetErrorHandler(WriteToStderr));
#endif
}

XErrorsEndNothing::~XErrorsEndNothing() {
#if defined(SDL_VIDEO_DRIVER_X11)
    // Were SDL's own handler put back over the default it restored, SDL would find it the
    // next time its video starts (a message box's) and chain every X error to itself.
    const XErrorHandler current = XSetErrorHandler(reinterpret_cast<XErrorHandler>(earlier_));
    if (current != WriteToStderr) XSetErrorHandler(current);
#endif
}

}  // namespace platform
