// The track objects made from their records, as both programs build them: each array is
// replaced by new objects, set up through their own setters (which keep their limits).
#pragma once
#include <string>
#include <vector>

#include "shared/TextureFolder.h"
#include "shared/TrackRecords.h"

class clsblock;
class clsMovingPlatform;
class clsRamp;
class clsStar;

namespace TrackBuilding {

// The texture file of every index the level's records may name, chosen once for the whole
// build rather than face by face.
class LevelTextures {
public:
    LevelTextures(const LevelRecord& r, const TextureFolder& folder);
    // The file chosen for the index; an index the level lacks gets what the folder gives it.
    const std::string& Of(int16_t index) const;

private:
    std::vector<std::string> names_;
    std::string fallback_;
};

// How a program makes a new block and puts it where its record says; the two programs do
// this each in their own way.
using PlaceBlock = void (*)(clsblock& block, const BlockRecord& b);

// Every record of the kind, 0 to its count; the caller makes sure the records are there.
// Positions and sizes a ramp or star holds as whole numbers are rounded, halves to even.
// A block is placed first, then given its texture repeats, size, faces and action code.
void BuildBlocks(const LevelRecord& r, const LevelTextures& textures, PlaceBlock place);
void BuildRamps(const LevelRecord& r, const LevelTextures& textures);
void BuildPlatforms(const LevelRecord& r, const LevelTextures& textures);
void BuildStars(const LevelRecord& r);

// The same a record at a time, for a track built as its file is read: the kind's array emptied
// with room for upperBound + 1 objects (none for -1), and then each appended to it new and
// built from its record, so that a build stopped halfway holds only what it built.
void MakeBlocks(int32_t upperBound);
void MakeRamps(int32_t upperBound);
void MakePlatforms(int32_t upperBound);
void MakeStars(int32_t upperBound);
void BuildBlock(clsblock& block, const BlockRecord& b, const LevelTextures& textures, PlaceBlock place);
void BuildRamp(clsRamp& ramp, const RampRecord& m, const LevelTextures& textures);
void BuildPlatform(clsMovingPlatform& platform, const MovingPlatformRecord& p, const LevelTextures& textures);
// model: the star's model file, StarModel().
void BuildStar(clsStar& star, const StarRecord& s, const std::string& model);
std::string StarModel();

}  // namespace TrackBuilding
