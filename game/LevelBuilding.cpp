#include "game/LevelBuilding.h"

#include <vector>

#include "game/Globals.h"
#include "game/frmGame.h"
#include "shared/TrackCodec.h"
#include "world/TrackBuilding.h"
#include "world/clsBackground.h"

// The levels of levels.dat, 1-based (declared with the level data).
#include "game/LevelStructure.h"

namespace LevelStructure {

namespace {

const char* const kDefaultBackground = "_default.jpg";

std::string WithoutTrailingSpaces(const std::string& s) {
    const size_t end = s.find_last_not_of(' ');
    return end == std::string::npos ? "" : s.substr(0, end + 1);
}

// The game makes each block at its place and size at once.
void PlaceBlock(clsblock& block, const BlockRecord& b) { block.create(b.X, b.Y, b.Z, b.ScaleX, b.ScaleY, b.ScaleZ); }

// Counts beyond the records held would read past them; such a kind is left alone.
bool Holds(int32_t count, size_t records) { return count >= 0 && static_cast<size_t>(count) < records; }

}  // namespace

void BuildLevel(const LevelRecord& record, bool setBackground) {
    const TrackBuilding::LevelTextures textures(record, TextureFolder(gTexturePath));
    if (Holds(record.BlockCount, record.Blocks.size())) TrackBuilding::BuildBlocks(record, textures, PlaceBlock);
    if (Holds(record.RampCount, record.Ramps.size())) TrackBuilding::BuildRamps(record, textures);
    if (Holds(record.PlatformCount, record.Platforms.size())) TrackBuilding::BuildPlatforms(record, textures);
    if (Holds(record.StarCount, record.Stars.size())) TrackBuilding::BuildStars(record);
    if (setBackground) {
        // The stored name is padded with spaces, which are no part of the file's name.
        const std::string name = WithoutTrailingSpaces(record.BackgroundFile);
        gBackground.create(gBackgroundPath + (TrackCodec::IsPlainFileName(name) ? name : kDefaultBackground));
    }
    frmGame::ResetFPSCounter();
}

void BuildLevel(int32_t level, bool setBackground) {
    if (level < 1 || static_cast<size_t>(level) >= gLevelRecords.size()) return;
    BuildLevel(gLevelRecords[static_cast<size_t>(level)], setBackground);
}

}  // namespace LevelStructure
