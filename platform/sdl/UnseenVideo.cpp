#include "platform/sdl/UnseenVideo.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>

namespace platform {
namespace {

bool DrawsOffTheScreen(std::string_view driver) { return driver == "offscreen" || driver == "dummy"; }

// SDL_VIDEODRIVER is a list of driver names, separated by commas, in any case.
bool NamedOnPurpose(std::string_view driver) {
    const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    std::string_view names = hint ? hint : "";
    while (!names.empty()) {
        const size_t comma = names.find(',');
        const std::string_view name = names.substr(0, comma);
        if (name.size() == driver.size() && SDL_strncasecmp(name.data(), driver.data(), name.size()) == 0) return true;
        names = comma == std::string_view::npos ? std::string_view() : names.substr(comma + 1);
    }
    return false;
}

}  // namespace

std::string UnseenVideo() {
    const char* started = SDL_GetCurrentVideoDriver();
    const std::string_view driver = started ? started : "";
    if (!DrawsOffTheScreen(driver) || NamedOnPurpose(driver)) return {};
    const char* display = std::getenv("DISPLAY");
    return "no display could be opened (" + (display ? "DISPLAY=" + std::string(display) : "DISPLAY not set") +
           "), only SDL's " + std::string(driver) + " video driver, whose windows no one sees";
}

}  // namespace platform
