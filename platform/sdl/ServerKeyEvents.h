// The X server's own key events, which SDL hands on as system events while those are on: in
// the order the server sent them, whichever of the program's windows they went to. Unlike
// SDL's key events they stay true when the keyboard moves between windows, where SDL lets go
// of every key and takes the next repeat of a key still held for a fresh press.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <optional>

namespace platform {

struct ServerKeyEvent {
    uint8_t scanCode = 0;      // of the key state; 0 for a key without one
    bool down = false;         // pressed, or let go
    unsigned long window = 0;  // the X window it went to
};

// Whether the server's key events tell the keys of the window's display: the server sends no
// release between a held key's repeats, so that a press after a release is a fresh one, and
// numbers its keys in the way known here.
bool ServerKeyEventsTell(SDL_Window* window);

// The key event, for an X system event of a key; nothing for any other event.
std::optional<ServerKeyEvent> ServerKeyEventOf(const SDL_Event& e);

// The X window under an SDL window, 0 for a window of another video driver.
unsigned long ServerWindowOf(SDL_Window* window);

// SDL hands on the X server's events while this lives (when on), as it did before afterwards.
class ServerEventsOn {
public:
    explicit ServerEventsOn(bool on)
        : on_(on), before_(on ? SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE) : SDL_DISABLE) {}
    ~ServerEventsOn() {
        if (on_) SDL_EventState(SDL_SYSWMEVENT, before_);
    }
    ServerEventsOn(const ServerEventsOn&) = delete;
    ServerEventsOn& operator=(const ServerEventsOn&) = delete;

private:
    bool on_;
    int before_;
};

}  // namespace platform
