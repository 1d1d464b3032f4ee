#include "platform/sdl/SdlKeyChanges.h"

#include "platform/Keyboard.h"
#include "platform/sdl/ServerKeyboard.h"

namespace platform {

std::vector<KeyChange> SdlKeyChanges(SDL_Window* window, const SDL_Event& e,
                                     const std::function<bool(uint8_t)>& held) {
    std::vector<KeyChange> changes;
    switch (e.type) {
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                const ServerKeyboard server(window);
                for (int code = 1; code < 256 && server.Known(); ++code) {
                    const auto key = static_cast<uint8_t>(code);
                    if (held(key) && !server.Down(key)) changes.push_back({key, false});
                }
            }
            break;
        case SDL_KEYDOWN:
            if (!e.key.repeat) changes.push_back({dinput::ScanCodeFromSdl(e.key.keysym.scancode), true});
            break;
        case SDL_KEYUP: {
            const uint8_t key = dinput::ScanCodeFromSdl(e.key.keysym.scancode);
            if (!ServerKeyboard(window).Down(key)) changes.push_back({key, false});
            break;
        }
        default: break;
    }
    return changes;
}

}  // namespace platform
