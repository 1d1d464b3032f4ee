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

// The keyboard focus and the zone choice of the menus.
extern int32_t gTabIndex;
extern int32_t gTabMax;
extern int16_t gZone;
extern int16_t gZoneFirstLevel;
extern int16_t gZoneLastLevel;

namespace CollisionDetection {
void CheckCollisions();
}
