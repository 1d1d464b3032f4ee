// Another program's windows as the X server has them, for tests that drive a program through
// the server as its user would: found by title, given keys once they hold the keyboard, and
// asked whether the program has taken everything sent so far.
#pragma once
#include <X11/Xlib.h>

#include <chrono>
#include <string>

// The process a window says it belongs to, or 0.
long ProcessOf(Display* x, Window w);

// The first window with this title under the root, at any depth, of that process when one is
// given (as the window says); 0 when there is none.
Window FindWindowNamed(Display* x, const std::string& title, long process = 0);

// Whether the window is shown (mapped, and every window it is in).
bool IsShown(Display* x, Window w);

// Whether the window is shown and holds the keyboard, itself or through a window inside it.
// A program acts on keys only in the window it knows has the focus: the server tells it of
// the focus before any key sent after this answered true.
bool HoldsKeyboard(Display* x, Window w);

// A press and release of the key (a keysym name: "F1", "s") with the modifiers (ControlMask).
void SendKey(Display* x, Window w, const char* keysym, unsigned modifiers = 0);

// Whether the window's program answered a ping within the limit: it has then taken every
// event sent to it before. For programs that answer pings (Qt's do).
bool AnswersPing(Display* x, Window w, std::chrono::milliseconds limit);
