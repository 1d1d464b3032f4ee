// What SDL reports of a window's size is its own idea: on an X server without a window
// manager a full-screen request is never carried out, the window stays at the size it was
// created with, and SDL still reports the desktop's size. These measures come from the
// display server where it can be asked.
#pragma once

struct SDL_Window;

namespace platform {

struct WindowMeasure {
    int PointerWidth = 0, PointerHeight = 0;  // the area pointer positions are given in
    int PixelWidth = 0, PixelHeight = 0;      // the drawable, in pixels
};

// An X11 window is measured by the X server (its pointer positions are in pixels); any other
// by SDL.
WindowMeasure MeasureWindow(SDL_Window* window);

// Where the pointer is now, on the screen and in the window as it stands now (a window
// manager may have moved it after the event in hand was made). False where the display
// server cannot be asked.
struct PointerPlace {
    int ScreenX = 0, ScreenY = 0;
    int WindowX = 0, WindowY = 0;
};
bool PointerNow(SDL_Window* window, PointerPlace& place);

// Whether a window manager runs on the window's display that carries out full-screen requests
// (as it says on the root window); without one, such a request changes nothing.
bool FullScreenByWindowManager(SDL_Window* window);

}  // namespace platform
