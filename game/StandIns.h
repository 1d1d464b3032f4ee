// Temporary stand-ins for services that later work replaces: the keyboard, the track
// world, the menus and collision. Each keeps the interface the game calls.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/LevelBuilding.h"
#include "game/TrackRecords.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"

extern bool gCanJump;

struct StandInEffect {
    void create() {}
    void resetParticles() {}
    void draw() {}
};
extern StandInEffect gShadow;

// The keyboard focus and the zone choice of the menus.
extern int32_t gTabIndex;
extern int32_t gTabMax;
extern int16_t gZone;
extern int16_t gZoneFirstLevel;
extern int16_t gZoneLastLevel;

// Level completion.
extern int32_t gPendingSeconds;
extern int32_t gPendingHundredths;
extern bool gRecordPending;  // a finish produced a record that still waits for its name
namespace frmGame {
void InsertHighScore(const std::string& PlayerName, int32_t Seconds, int32_t Hundredths);
}
extern std::vector<LevelRecord> gLevelRecords;  // levels 1..gLevelCount; index 0 unused
namespace LevelStructure {
extern int32_t gLevelCount;
bool LoadLevels();
void ReadLevelHeader();
}  // namespace LevelStructure
namespace CollisionDetection {
void CheckCollisions();
}
