#include "platform/sdl/WindowKeys.h"

#include "platform/Keyboard.h"
#include "platform/sdl/SdlKeyChanges.h"
#include "platform/sdl/ServerKeyboard.h"

namespace platform {

WindowKeys::WindowKeys(SDL_Window* window, dinput::Keyboard* keyboard)
    : window_(window),
      keyboard_(keyboard),
      serverEvents_(ServerKeyEventsTell(window)),
      serverWindow_(ServerWindowOf(window)),
      serverEventsOn_(serverEvents_) {
    if (!serverEvents_) return;
    const ServerKeyboard server(window);
    for (int code = 1; code < 256; ++code) down_[static_cast<size_t>(code)] = server.Down(static_cast<uint8_t>(code));
}

void WindowKeys::Take(const SDL_Event& e, bool boxUp) {
    if (!keyboard_) return;
    if (serverEvents_) TakeFromServer(e, boxUp);
    else TakeFromSdl(e, boxUp);
}

void WindowKeys::TakeFromServer(const SDL_Event& e, bool boxUp) {
    if (const std::optional<ServerKeyEvent> key = ServerKeyEventOf(e); key && key->scanCode != 0) {
        bool& down = down_[key->scanCode];
        if (key->down && down) return;  // a repeat
        down = key->down;
        if (!key->down || (!boxUp && key->window == serverWindow_))
            keyboard_->SetKey(key->scanCode, key->down, e.common.timestamp);
        return;
    }
    const std::optional<ServerKeyboard> sent = ServerKeyboard::SentWithFocus(e);
    if (!sent) return;
    for (int code = 1; code < 256; ++code) {
        const auto key = static_cast<uint8_t>(code);
        const bool down = sent->Down(key);
        if (!down) keyboard_->SetKey(key, false, e.common.timestamp);
        down_[key] = down;  // one pressed elsewhere makes no press here
    }
}

void WindowKeys::TakeFromSdl(const SDL_Event& e, bool boxUp) {
    const auto held = [this](uint8_t key) { return keyboard_->IsDown(key); };
    for (const KeyChange& change : SdlKeyChanges(window_, e, held))
        if (!change.down || !boxUp) keyboard_->SetKey(change.scanCode, change.down, e.common.timestamp);
}

}  // namespace platform
