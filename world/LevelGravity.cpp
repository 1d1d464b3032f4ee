#include "world/LevelGravity.h"

#include <vector>

#include "game/Globals.h"
#include "shared/TrackRecords.h"

// The levels of levels.dat, 1-based (declared with the level data).
#include "game/LevelStructure.h"

float CurrentLevelGravity() {
    if (gCurrentLevel < 1 || static_cast<size_t>(gCurrentLevel) >= gLevelRecords.size()) return 0.0f;
    return gLevelRecords[static_cast<size_t>(gCurrentLevel)].Settings.Gravity;
}
