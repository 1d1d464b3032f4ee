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

// The last index to visit: the level's upper bound, limited to what the array holds.
template <typename T>
int32_t LastIndex(int32_t upperBound, const std::vector<T>& objects) {
    return std::min(upperBound, static_cast<int32_t>(objects.size()) - 1);
}

inline int32_t LastBlock() { return LastIndex(CurrentLevelRecord().BlockCount, gBlocks); }
inline int32_t LastRamp() { return LastIndex(CurrentLevelRecord().RampCount, gRamps); }
inline int32_t LastPlatform() { return LastIndex(CurrentLevelRecord().PlatformCount, gMovingPlatforms); }
inline int32_t LastStar() { return LastIndex(CurrentLevelRecord().StarCount, gStars); }

inline clsblock& BlockAt(int32_t i) { return gBlocks[static_cast<size_t>(i)]; }
inline clsRamp& RampAt(int32_t i) { return gRamps[static_cast<size_t>(i)]; }
inline clsMovingPlatform& PlatformAt(int32_t i) { return gMovingPlatforms[static_cast<size_t>(i)]; }
inline clsStar& StarAt(int32_t i) { return gStars[static_cast<size_t>(i)]; }

}  // namespace CollisionDetection
