#include "game/Globals.h"

int16_t gGameState = STATE_LOADED;
bool gRunning = false;
int32_t gCurrentLevel = 0;
int32_t gStarsCollected = 0;
uint32_t gLevelStartTick = 0;

namespace Globals {

std::string TrimControlChars(const std::string& s) {
    auto visible = [](char c) { return static_cast<unsigned char>(c) > 32; };
    size_t first = 0;
    while (first < s.size() && !visible(s[first])) ++first;
    size_t last = s.size();
    while (last > first && !visible(s[last - 1])) --last;
    return s.substr(first, last - first);
}

}  // namespace Globals
