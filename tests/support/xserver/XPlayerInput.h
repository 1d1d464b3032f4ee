// Clicks and keys sent to the game's window through the X server, as a player's arrive: a click
// moves the pointer onto the middle of a menu button as the window shows it (the picture
// letterboxed into the window's real size), then the left button goes down and up. The
// buttons are where the game places them, learned from its pictures.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "game/DirectX.h"
#include "platform/Paths.h"
#include "platform/gl/Letterbox.h"
#include "platform/recording/RecordingDevice.h"
#include "shared/DeviceAndCamera.h"
#include "ui/GUI.h"
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

// The menu buttons as the game places them at 800 x 600, from the sizes of the pictures in the
// program folder given; false when the pictures are missing.
inline bool PlaceButtons(const std::string& folder) {
    static d3d::RecordingDevice device;
    d3d::Device* const before = gD3DDevice;
    gD3DDevice = &device;
    gGuiOffsetX = gGuiOffsetY = 0;
    platform::SetProgramFolder(folder);
    const bool placed = GUI::InitGUI();
    gD3DDevice = before;
    return placed;
}

// A point of the picture (in back-buffer pixels) where the window shows it.
struct WindowPoint {
    int x = 0, y = 0;          // in the window
    int rootX = 0, rootY = 0;  // on the screen
};
inline WindowPoint PointOnDrawn(Display* x, Window w, float pictureX, float pictureY, int backBufferWidth,
                                int backBufferHeight) {
    XWindowAttributes a{};
    XGetWindowAttributes(x, w, &a);
    const platform::PixelRect box = platform::Letterbox(a.width, a.height, backBufferWidth, backBufferHeight);
    const int px = box.X + static_cast<int>(pictureX * static_cast<float>(box.Width) / static_cast<float>(backBufferWidth));
    const int py =
        box.Y + static_cast<int>(pictureY * static_cast<float>(box.Height) / static_cast<float>(backBufferHeight));
    return {px, py, a.x + px, a.y + py};
}
// The middle of the button.
inline WindowPoint PointOnDrawn(Display* x, Window w, const GUI_Button& b, int backBufferWidth, int backBufferHeight) {
    return PointOnDrawn(x, w, b.X() + static_cast<float>(b.width()) / 2, b.Y() + static_cast<float>(b.height()) / 2,
                        backBufferWidth, backBufferHeight);
}

inline void ClickOnDrawn(Display* x, Window w, const GUI_Button& b, int backBufferWidth, int backBufferHeight) {
    const WindowPoint p = PointOnDrawn(x, w, b, backBufferWidth, backBufferHeight);
    XWarpPointer(x, 0, w, 0, 0, 0, 0, p.x, p.y);
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        Address(e.xbutton, type, x, w);
        e.xbutton.x = p.x;
        e.xbutton.y = p.y;
        e.xbutton.x_root = p.rootX;
        e.xbutton.y_root = p.rootY;
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
