// The keys down on the X server's keyboard itself. A window's own key events cannot tell them
// once the keyboard has gone to another window: SDL then lets go of every key it held, and
// takes the next repeat of a key still held for a fresh press. Only the server knows whether a
// key was really let go.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

struct SDL_Window;
union SDL_Event;

namespace platform {

class ServerKeyboard {
public:
    // The keys as the server of the window's display has them now. Not known for a window of
    // another video driver, or on a server that numbers its keys in a way not known here.
    explicit ServerKeyboard(SDL_Window* window);
    // The keys as the server sent them when one of the program's windows got the keyboard (an X
    // system event that SDL hands on), in their place among the key events; nothing for any
    // other event.
    static std::optional<ServerKeyboard> SentWithFocus(const SDL_Event& e);
    bool Known() const { return known_; }
    // Whether the key (a scan code of the key state) is down; false when not known.
    bool Down(uint8_t scanCode) const;

private:
    ServerKeyboard() = default;
    void Take(const char (&keys)[32]);

    bool known_ = false;
    std::array<uint8_t, 32> keys_{};  // one bit a server key code
};

// The scan code of the key the server numbers so, by the numbering known here; 0 for none.
uint8_t ScanCodeOfServerKey(unsigned code);

}  // namespace platform
