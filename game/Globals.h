// State shared by the game's modules for the whole run.
#pragma once
#include <cstdint>
#include <string>

#include "shared/AssetFolders.h"

// What the main loop does, what a frame shows and what keys and clicks mean.
enum GameState : int16_t {
    STATE_LOADED = -1,
    STATE_LEAVING = 0,
    STATE_MAINMENU = 1,
    STATE_PLAYING = 2,
    STATE_LEVELSELECT = 3,
    STATE_PAUSE = 4,
    STATE_NAMEENTRY = 5,
    STATE_LEVELDONE = 6,
    STATE_OPTIONS = 7,
    STATE_ZONEMENU = 8,
    STATE_INSTRUCTIONS1 = 9,
    STATE_INSTRUCTIONS2 = 10,
    STATE_INSTRUCTIONS3 = 11,
    STATE_LOADING = 12,
    STATE_USERLEVELS = 14,
};

extern int16_t gGameState;
extern bool gRunning;
extern int32_t gCurrentLevel;      // 1-based level being shown or played
extern int32_t gStarsCollected;    // stars picked up in the current attempt
extern uint32_t gLevelStartTick;   // start of the current stretch of play, for the statistics

namespace Globals {
// s without blanks and control characters (codes 32 and below) at either end.
std::string TrimControlChars(const std::string& s);
}  // namespace Globals
