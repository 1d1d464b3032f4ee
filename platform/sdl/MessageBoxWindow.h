// The program's message box: a small window of its own, drawn without OpenGL and run in the
// program's own process by an event loop that also sees the program being asked to end
// (SIGTERM, the close of the program's window). SDL's own box on X would run in a child
// process that outlives the program and holds it while waiting for OK.
#pragma once
#include <string>

struct SDL_Window;

namespace platform {

class WindowKeys;

// The window boxes belong to: they are placed over it and it gets the keyboard back after
// them; its keys are told of every event a box takes. nullptr: none (a box then stands alone,
// as when the program's window could not open).
void SetMessageBoxOwner(SDL_Window* owner, WindowKeys* keys);

// Shows text with an OK button until OK, Enter, Escape, Space or the box's close, or until the
// program is asked to end; that request stays queued for the program. The program's other
// events meanwhile stay queued too, save its clicks and keys, which were meant for the box:
// a key pressed while the box is up is used up by it, and only the keys let go meanwhile
// reach the owner's keyboard. False when no box window can be shown (no display, no font, no
// window); cut tells whether lines of the text had to be left out to keep the box on the
// screen.
bool ShowMessageBoxWindow(const std::string& text, const std::string& title, bool& cut);

}  // namespace platform
