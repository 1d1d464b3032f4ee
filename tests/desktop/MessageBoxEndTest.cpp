// A message box over the game's window while the program is asked to end, by SIGTERM or by
// the close of the game's window: the box goes at once, the request reaches the window's
// close handler, and the keyboard comes back to the window.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"

namespace {

constexpr const char* kBoxTitle = "Box under test";
constexpr auto kPatience = std::chrono::seconds(5);

// A top-level window with this name, or 0.
Window Named(Display* x, const std::string& name) {
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* title = nullptr;
        XWindowAttributes a{};
        if (XFetchName(x, children[i], &title) && title && name == title && XGetWindowAttributes(x, children[i], &a) &&
            a.map_state == IsViewable)
            found = children[i];
        if (title) XFree(title);
    }
    if (children) XFree(children);
    return found;
}

// What a window manager sends when the user closes a window.
void AskToClose(Display* x, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, w, False, NoEventMask, &e);
    XFlush(x);
}

}  // namespace

TEST(MessageBoxEnd, SigtermOrTheWindowsCloseEndsTheBoxAtOnce) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
    platform::SdlWindowOptions options;
    options.FullScreen = false;
    std::string error;
    auto window = platform::SdlWindow::Create(options, &error);
    ASSERT_TRUE(window) << error;
    window->Show();
    bool closed = false;
    window->Events().Close = [&closed] { closed = true; };

    for (const std::string how : {"SIGTERM", "close"}) {
        closed = false;
        bool boxSeen = false;
        std::thread asker([&] {
            Display* x = XOpenDisplay(nullptr);
            const auto until = std::chrono::steady_clock::now() + kPatience;
            while (!(boxSeen = Named(x, kBoxTitle) != 0) && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (how == "SIGTERM") kill(getpid(), SIGTERM);
            else AskToClose(x, Named(x, "Velorune"));
            XCloseDisplay(x);
        });
        platform::MessageBox("Waiting for OK.", kBoxTitle);
        const auto asked = std::chrono::steady_clock::now();
        asker.join();
        EXPECT_TRUE(boxSeen) << how;
        for (int i = 0; i < 50 && !(closed && window->HasFocus()); ++i) window->WaitForMessages(20);
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2)) << how;
        EXPECT_TRUE(closed) << how;
        EXPECT_TRUE(window->HasFocus()) << how << ": the keyboard stayed with the closed box";
    }
}
