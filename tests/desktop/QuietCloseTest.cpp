// A late X request about a window the program has closed fails on the X server; the error must
// not end the program. Any other X error still reaches the handler there was before.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>

#include "platform/sdl/QuietClose.h"

namespace {

int gErrorsSeen = 0;

int CountError(Display*, XErrorEvent*) {
    ++gErrorsSeen;
    return 0;
}

// What SDL's second connection sends to wake a waiting thread.
void Wake(Display* x, ::Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.format = 8;
    XSendEvent(x, w, False, NoEventMask, &e);
    XSync(x, False);
}

}  // namespace

TEST(QuietClose, AnErrorAboutAClosedWindowIsPassedOverAndAnyOtherIsNot) {
    if (!std::getenv("DISPLAY") || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no X server";
    SDL_Window* window = SDL_CreateWindow("Quiet close", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_TRUE(window) << SDL_GetError();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11);
    Display* x = info.info.x11.display;
    const ::Window closed = info.info.x11.window;
    const XErrorHandler before = XSetErrorHandler(CountError);

    platform::DestroyWindowQuietly(window);
    Wake(x, closed);
    EXPECT_EQ(gErrorsSeen, 0);
    Wake(x, closed + 0x100000);  // no window of ours, nor anybody's
    EXPECT_EQ(gErrorsSeen, 1);

    XSetErrorHandler(before);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
