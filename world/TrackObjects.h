// The live objects of the level built last. Users loop by the counts of the current level's
// record, not by these arrays' sizes: a kind the level lacks keeps the previous level's objects.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "world/clsMovingPlatform.h"
#include "world/clsRamp.h"
#include "world/clsStar.h"
#include "world/clsblock.h"

extern std::vector<clsblock> gBlocks;
extern std::vector<clsRamp> gRamps;
extern std::vector<clsMovingPlatform> gMovingPlatforms;
extern std::vector<clsStar> gStars;

// The last index to visit of a kind: the level's upper bound, lowered to what the array
// holds (a level that could not be built keeps fewer objects than its counts say).
template <class TrackObject>
int32_t LastHeld(int32_t upperBound, const std::vector<TrackObject>& objects) {
    return std::min(upperBound, static_cast<int32_t>(objects.size()) - 1);
}
