// Clicks and keys sent to the game's window through the X server, as a player's arrive: a click
// moves the pointer onto the middle of a menu button as the window shows it (the picture
// letterboxed into the window's real size), then the left button goes down and up.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "platform/gl/Letterbox.h"
#include "ui/GUI_Button.h"

namespace xinput {

// The fields every pointer and key event to the window has.
template <class Event>
void Address(Event& e, int type, Display* x, Window w) {
    e.type = type;
    e.display = x;
    e.window = w;
    e.root = DefaultRootWindow(x);
    e.same_screen = True;
}

inline void ClickOnDrawn(Display* x, Window w, const GUI_Button& b, int backBufferWidth, int backBufferHeight) {
    XWindowAttributes a{};
    XGetWindowAttributes(x, w, &a);
    const platform::PixelRect box = platform::Letterbox(a.width, a.height, backBufferWidth, backBufferHeight);
    const float bx = b.X() + static_cast<float>(b.width()) / 2, by = b.Y() + static_cast<float>(b.height()) / 2;
    const int px = box.X + static_cast<int>(bx * static_cast<float>(box.Width) / static_cast<float>(backBufferWidth));
    const int py = box.Y + static_cast<int>(by * static_cast<float>(box.Height) / static_cast<float>(backBufferHeight));
    XWarpPointer(x, 0, w, 0, 0, 0, 0, px, py);
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        Address(e.xbutton, type, x, w);
        e.xbutton.x = px;
        e.xbutton.y = py;
        e.xbutton.x_root = a.x + px;
        e.xbutton.y_root = a.y + py;
        e.xbutton.button = Button1;
        XSendEvent(x, w, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
    }
    XFlush(x);
}

// The key goes down, stays down for held, and goes up.
inline void PressKey(Display* x, Window w, KeySym key, std::chrono::milliseconds held) {
    for (int type : {KeyPress, KeyRelease}) {
        XEvent e{};
        Address(e.xkey, type, x, w);
        e.xkey.keycode = XKeysymToKeycode(x, key);
        XSendEvent(x, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
        XFlush(x);
        if (type == KeyPress) std::this_thread::sleep_for(held);
    }
}

}  // namespace xinput
