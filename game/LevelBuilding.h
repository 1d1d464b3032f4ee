// Turns a level's record into the live track objects (gBlocks, gRamps, gMovingPlatforms,
// gStars) and, on request, its background. Runs on every restart, preview and device reset,
// making fresh objects each time.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>

#include "game/TrackRecords.h"
#include "world/TrackObjects.h"

namespace LevelStructure {

// Builds gLevelRecords(level); only setBackground true also remakes the background picture.
void BuildLevel(int32_t level, bool setBackground);
// The same for a record at hand.
void BuildLevel(const LevelRecord& record, bool setBackground);

// The texture file names a level may use: the ordinary files of one folder, matched exactly.
class TextureFolder {
public:
    explicit TextureFolder(const std::string& folder);
    // The record's texture name at index when the folder holds a file of exactly that name,
    // otherwise "_default.bmp". Names that would leave the folder never match.
    std::string Choose(const LevelRecord& record, int16_t index) const;

private:
    std::unordered_set<std::string> files_;
};

}  // namespace LevelStructure
