#include "world/TrackObjects.h"

std::vector<clsblock> gBlocks;
std::vector<clsRamp> gRamps;
std::vector<clsMovingPlatform> gMovingPlatforms;
std::vector<clsStar> gStars;
