// Video no one can see. Where no video driver with a display can start (DISPLAY naming no X
// server, say), SDL falls back to one that draws off the screen: a program's window there is
// never seen, and a box there waits for an answer no one can give. Such a driver serves only
// where SDL_VIDEODRIVER names it on purpose (tests draw through it).
#pragma once
#include <string>

namespace platform {

// With SDL's video started: empty when its windows can be seen (or are unseen on purpose),
// else why not, in words for the program's message.
std::string UnseenVideo();

}  // namespace platform
