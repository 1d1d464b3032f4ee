// The live objects of the level built last. Users loop by the counts of the current level's
// record, not by these arrays' sizes: a kind the level lacks keeps the previous level's objects.
#pragma once
#include <vector>

#include "world/clsMovingPlatform.h"
#include "world/clsRamp.h"
#include "world/clsStar.h"
#include "world/clsblock.h"

extern std::vector<clsblock> gBlocks;
extern std::vector<clsRamp> gRamps;
extern std::vector<clsMovingPlatform> gMovingPlatforms;
extern std::vector<clsStar> gStars;
