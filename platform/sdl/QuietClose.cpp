#include "platform/sdl/QuietClose.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/sdl/X11Of.h"

namespace platform {
namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
std::mutex gLock;  // errors are handled on whichever thread reads them from its connection
std::vector<XID> gClosed;
XErrorHandler gEarlierHandler = nullptr;

bool AboutAClosedWindow(const XErrorEvent& e) {
    if (e.error_code != BadWindow && e.error_code != BadDrawable) return false;
    std::lock_guard<std::mutex> hold(gLock);
    return std::find(gClosed.begin(), gClosed.end(), e.resourceid) != gClosed.end();
}

int PassOverClosedWindows(Display* display, XErrorEvent* e) {
    if (AboutAClosedWindow(*e)) return 0;
    return gEarlierHandler ? gEarlierHandler(display, e) : 0;
}

// The handler goes in again if SDL has put its own back meanwhile (as it does when it stops).
void RememberClosed(XID window) {
    std::lock_guard<std::mutex> hold(gLock);
    const XErrorHandler current = XSetErrorHandler(PassOverClosedWindows);
    if (current != PassOverClosedWindows) gEarlierHandler = current;
    gClosed.push_back(window);
}
#endif

}  // namespace

void DestroyWindowQuietly(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (X11Of(window, info)) RememberClosed(info.info.x11.window);
#endif
    SDL_DestroyWindow(window);
}

}  // namespace platform
