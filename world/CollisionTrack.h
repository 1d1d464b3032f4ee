// What the collision module reads of the current level: its record, its object arrays and
// the player. The upper bounds come from the level record; an object the arrays do not hold
// is treated as absent rather than read past their end.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace CollisionDetection {

inline const LevelRecord& CurrentLevelRecord() { return gLevelRecords[static_cast<size_t>(gCurrentLevel)]; }

inline int32_t LastBlock() { return LastHeld(CurrentLevelRecord().BlockCount, gBlocks); }
inline int32_t LastRamp() { return LastHeld(CurrentLevelRecord().RampCount, gRamps); }
inline int32_t LastPlatform() { return LastHeld(CurrentLevelRecord().PlatformCount, gMovingPlatforms); }
inline int32_t LastStar() { return LastHeld(CurrentLevelRecord().StarCount, gStars); }

inline clsblock& BlockAt(int32_t i) { return gBlocks[static_cast<size_t>(i)]; }
inline clsRamp& RampAt(int32_t i) { return gRamps[static_cast<size_t>(i)]; }
inline clsMovingPlatform& PlatformAt(int32_t i) { return gMovingPlatforms[static_cast<size_t>(i)]; }
inline clsStar& StarAt(int32_t i) { return gStars[static_cast<size_t>(i)]; }

}  // namespace CollisionDetection
