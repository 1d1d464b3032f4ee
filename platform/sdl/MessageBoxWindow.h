// The message box of a program that has an SDL window: a small window of its own, run by an
// event loop that also sees the program being asked to end (SIGTERM, the close of the
// program's window). The system's box waits for its OK alone and holds the program meanwhile.
#pragma once
#include <string>

struct SDL_Window;

namespace platform {

// The window boxes belong to: they are placed over it and it gets the keyboard back after
// them. nullptr: none (boxes then come from the system).
void SetMessageBoxOwner(SDL_Window* owner);

// Shows text with an OK button until OK, Enter, Escape or the box's close, or until the
// program is asked to end; that request stays queued for the program. The program's other
// events meanwhile stay queued too, save its clicks and key presses, which were meant for
// the box. False when no box window can be shown (no owner, no font, no window).
bool ShowMessageBoxWindow(const std::string& text, const std::string& title);

}  // namespace platform
