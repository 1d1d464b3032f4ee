// Turns a level's record into the live track objects (gBlocks, gRamps, gMovingPlatforms,
// gStars) and, on request, its background. Runs on every restart, preview and device reset,
// making fresh objects each time.
#pragma once
#include <cstdint>

#include "shared/TextureFolder.h"
#include "shared/TrackRecords.h"
#include "world/TrackObjects.h"

namespace LevelStructure {

// Builds gLevelRecords(level); only setBackground true also remakes the background picture.
void BuildLevel(int32_t level, bool setBackground);
// The same for a record at hand.
void BuildLevel(const LevelRecord& record, bool setBackground);

}  // namespace LevelStructure
