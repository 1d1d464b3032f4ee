#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace platform {
namespace {

std::function<void(const std::string&, const std::string&)> gHandler;

// A box can be shown only where a display exists; the offscreen and dummy drivers have none.
bool HasDisplay() {
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver && (std::string_view(driver) == "offscreen" || std::string_view(driver) == "dummy")) return false;
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

}  // namespace

void MessageBox(const std::string& text, const std::string& title) {
    if (gHandler) {
        gHandler(text, title);
        return;
    }
    if (HasDisplay() &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(), nullptr) == 0) {
        return;
    }
    std::cerr << title << ": " << text << std::endl;
}

void SetMessageBoxHandler(std::function<void(const std::string& text, const std::string& title)> handler) {
    gHandler = std::move(handler);
}

}  // namespace platform
