#include "platform/sdl/ServerKeyboard.h"

#include "platform/Keyboard.h"
#include "platform/sdl/X11Of.h"

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/keysym.h>
#endif

namespace platform {
namespace {

// The server key code of a scan code: X servers that read the keyboard through the kernel's
// event devices number a key by the kernel's code plus 8, and the kernel's codes are the scan
// codes for the keys of the original keyboard; the keys added later (those with 0x80 in the
// scan code) it numbers apart. 0 for a key without one.
unsigned ServerCode(uint8_t scanCode) {
    using namespace dinput;
    constexpr unsigned kOffset = 8;
    if (scanCode < 0x80) return scanCode + kOffset;
    switch (scanCode) {
        case DIK_NUMPADENTER: return 96 + kOffset;
        case DIK_RCONTROL: return 97 + kOffset;
        case DIK_DIVIDE: return 98 + kOffset;
        case DIK_SYSRQ: return 99 + kOffset;
        case DIK_RMENU: return 100 + kOffset;
        case DIK_HOME: return 102 + kOffset;
        case DIK_UP: return 103 + kOffset;
        case DIK_PRIOR: return 104 + kOffset;
        case DIK_LEFT: return 105 + kOffset;
        case DIK_RIGHT: return 106 + kOffset;
        case DIK_END: return 107 + kOffset;
        case DIK_DOWN: return 108 + kOffset;
        case DIK_NEXT: return 109 + kOffset;
        case DIK_INSERT: return 110 + kOffset;
        case DIK_DELETE: return 111 + kOffset;
        case DIK_PAUSE: return 119 + kOffset;
        case DIK_LWIN: return 125 + kOffset;
        case DIK_RWIN: return 126 + kOffset;
        case DIK_APPS: return 127 + kOffset;
        default: return 0;
    }
}

// The scan code of each server key code; an added key wins over an original one of the same
// number, which the key state does not name.
std::array<uint8_t, 256> ScanCodesOfServerKeys() {
    std::array<uint8_t, 256> scanCodes{};
    for (int scanCode = 1; scanCode < 256; ++scanCode)
        if (const unsigned code = ServerCode(static_cast<uint8_t>(scanCode)); code != 0 && code < scanCodes.size())
            scanCodes[code] = static_cast<uint8_t>(scanCode);
    return scanCodes;
}

}  // namespace

uint8_t ScanCodeOfServerKey(unsigned code) {
    static const std::array<uint8_t, 256> scanCodes = ScanCodesOfServerKeys();
    return code != 0 && code < scanCodes.size() ? scanCodes[code] : 0;
}

ServerKeyboard::ServerKeyboard(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    if (!X11Of(window, info)) return;
    Display* display = info.info.x11.display;
    // The numbering above, where Enter and the Up arrow are where it puts them.
    if (XKeysymToKeycode(display, XK_Return) != ServerCode(dinput::DIK_RETURN) ||
        XKeysymToKeycode(display, XK_Up) != ServerCode(dinput::DIK_UP))
        return;
    char keys[32];
    XQueryKeymap(display, keys);
    Take(keys);
#else
    (void)window;
#endif
}

std::optional<ServerKeyboard> ServerKeyboard::SentWithFocus(const SDL_Event& e) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (e.type != SDL_SYSWMEVENT || e.syswm.msg->subsystem != SDL_SYSWM_X11) return std::nullopt;
    const XEvent& x = e.syswm.msg->msg.x11.event;
    if (x.type != KeymapNotify) return std::nullopt;
    ServerKeyboard sent;
    sent.Take(x.xkeymap.key_vector);
    return sent;
#else
    (void)e;
    return std::nullopt;
#endif
}

void ServerKeyboard::Take(const char (&keys)[32]) {
    for (size_t i = 0; i < keys_.size(); ++i) keys_[i] = static_cast<uint8_t>(keys[i]);
    known_ = true;
}

bool ServerKeyboard::Down(uint8_t scanCode) const {
    const unsigned code = known_ ? ServerCode(scanCode) : 0;
    return code != 0 && (keys_[code / 8] & (1u << (code % 8))) != 0;
}

}  // namespace platform
