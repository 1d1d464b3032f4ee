#include "platform/sdl/FreshPresses.h"

#include <algorithm>

#include "platform/Keyboard.h"
#include "platform/sdl/SdlKeyChanges.h"
#include "platform/sdl/ServerKeyboard.h"

namespace platform {

FreshPresses::FreshPresses(SDL_Window* window, std::span<const SDL_Scancode> keys)
    : window_(window), serverEvents_(ServerKeyEventsTell(window)), serverEventsOn_(serverEvents_) {
    const ServerKeyboard server(window);
    const uint8_t* held = SDL_GetKeyboardState(nullptr);
    for (SDL_Scancode key : keys) {
        codes_.push_back(dinput::ScanCodeFromSdl(key));
        down_.push_back(serverEvents_ ? server.Down(codes_.back()) : held[key] != 0);
    }
}

bool FreshPresses::Fresh(const SDL_Event& e) {
    if (serverEvents_) {
        const std::optional<ServerKeyEvent> key = ServerKeyEventOf(e);
        return key && Change(key->scanCode, key->down);
    }
    const auto held = [this](uint8_t code) {
        const int i = Index(code);
        return i >= 0 && down_[static_cast<size_t>(i)];
    };
    bool fresh = false;
    for (const KeyChange& change : SdlKeyChanges(window_, e, held))
        fresh = Change(change.scanCode, change.down) || fresh;
    return fresh;
}

bool FreshPresses::Change(uint8_t scanCode, bool down) {
    const int i = Index(scanCode);
    if (i < 0) return false;
    const bool fresh = down && !down_[static_cast<size_t>(i)];
    down_[static_cast<size_t>(i)] = down;
    return fresh;
}

int FreshPresses::Index(uint8_t scanCode) const {
    const auto at = std::find(codes_.begin(), codes_.end(), scanCode);
    return scanCode == 0 || at == codes_.end() ? -1 : static_cast<int>(at - codes_.begin());
}

}  // namespace platform
