// The live objects of the track built last. Users loop up to the program's upper bounds (the
// rules' LastIndex), not by these arrays' sizes: a kind the track lacks may keep the previous
// track's objects.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "world/clsMovingPlatform.h"
#include "world/clsRamp.h"
#include "world/clsStar.h"
#include "world/WorldRules.h"
#include "world/clsblock.h"

extern std::vector<clsblock> gBlocks;
extern std::vector<clsRamp> gRamps;
extern std::vector<clsMovingPlatform> gMovingPlatforms;
extern std::vector<clsStar> gStars;

// The last index to visit of a kind: the track's upper bound, lowered to what the array
// holds (a level that could not be built keeps fewer objects than its counts say).
template <class TrackObject>
int32_t LastHeld(int32_t upperBound, const std::vector<TrackObject>& objects) {
    return std::min(upperBound, static_cast<int32_t>(objects.size()) - 1);
}

inline int32_t LastBlock() { return LastHeld(gWorldRules.LastIndex(TrackKind::Block), gBlocks); }
inline int32_t LastRamp() { return LastHeld(gWorldRules.LastIndex(TrackKind::Ramp), gRamps); }
inline int32_t LastPlatform() { return LastHeld(gWorldRules.LastIndex(TrackKind::Platform), gMovingPlatforms); }
inline int32_t LastStar() { return LastHeld(gWorldRules.LastIndex(TrackKind::Star), gStars); }
