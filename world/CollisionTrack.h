// What the collision module reads of the track: its object arrays, up to the last indexes
// the rules give (TrackObjects.h), and the player.
#pragma once
#include <cstdint>

#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace CollisionDetection {

inline clsblock& BlockAt(int32_t i) { return gBlocks[static_cast<size_t>(i)]; }
inline clsRamp& RampAt(int32_t i) { return gRamps[static_cast<size_t>(i)]; }
inline clsMovingPlatform& PlatformAt(int32_t i) { return gMovingPlatforms[static_cast<size_t>(i)]; }
inline clsStar& StarAt(int32_t i) { return gStars[static_cast<size_t>(i)]; }

}  // namespace CollisionDetection
