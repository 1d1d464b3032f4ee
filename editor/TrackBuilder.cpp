#include "editor/TrackBuilder.h"

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "shared/Rounding.h"
#include "shared/TextureFolder.h"
#include "world/TrackObjects.h"

namespace {

// The editor makes each block as a unit box at the origin and moves it with the setters, so
// that a position a setter refuses leaves the origin's value.
void PlaceBlock(clsblock& block, const BlockRecord& b) {
    block.create(0, 0, 0, 1, 1, 1);
    block.Xpos(b.X);
    block.Ypos(b.Y);
    block.Zpos(RoundHalfEven<int32_t>(b.Z));
}

// The names an object's faces show: a table that holds each, for the record a save writes.
LoadRepairs::Names FaceNames(const TrackBox& box) {
    return {box.GetTextureA(), box.GetTextureB(), box.GetTextureC(), box.GetTextureD()};
}
LoadRepairs::Names FaceNames(const clsRamp& ramp) { return {ramp.GetTextureA(), ramp.GetTextureB()}; }
LoadRepairs::Names FaceNames(const clsStar&) { return {}; }

// Builds the object from its record, its values that are not numbers replaced, and notes in
// repairs what the object did not keep of the record as stored.
template <class Object, class Record, class Build>
void Made(size_t index, Object& object, const Record& stored, Build build, LoadRepairs::List* repairs) {
    Record finite = stored;
    TrackCodec::ReplaceNonFinite(finite);
    build(object, finite);
    if (!repairs) return;
    const LoadRepairs::Names faces = FaceNames(object);
    repairs->Add(index, stored, FileIO::RecordOf(object, faces), faces);
}

// What a star keeps beside itself: the materials and textures of its model's few parts.
constexpr uint64_t kStarMaterialBytes = 256;
// What the view of the track files for each block, ramp and platform: its place, size and
// bucket.
constexpr uint64_t kViewBytes = 48;

}  // namespace

void TrackBuilder::Count(Kind kind, int32_t count) {
    switch (kind) {
        case Kind::Block:
            textures_.emplace(file_.Level, TextureFolder(gTexturePath));
            return TrackBuilding::MakeBlocks(count);
        case Kind::Platform:
            return TrackBuilding::MakePlatforms(count);
        case Kind::Ramp:
            return TrackBuilding::MakeRamps(count);
        case Kind::Star:
            starModel_ = TrackBuilding::StarModel();
            return TrackBuilding::MakeStars(count);
    }
}

void TrackBuilder::Take(size_t index, const BlockRecord& stored) {
    Made(index, gBlocks.emplace_back(), stored, [this](clsblock& block, const BlockRecord& b) {
        TrackBuilding::BuildBlock(block, b, *textures_, PlaceBlock);
    }, repairs_);
}

void TrackBuilder::Take(size_t index, const MovingPlatformRecord& stored) {
    Made(index, gMovingPlatforms.emplace_back(), stored,
         [this](clsMovingPlatform& platform, const MovingPlatformRecord& p) {
             TrackBuilding::BuildPlatform(platform, p, *textures_);
         },
         repairs_);
}

void TrackBuilder::Take(size_t index, const RampRecord& stored) {
    Made(index, gRamps.emplace_back(), stored,
         [this](clsRamp& ramp, const RampRecord& m) { TrackBuilding::BuildRamp(ramp, m, *textures_); }, repairs_);
}

void TrackBuilder::Take(size_t index, const StarRecord& stored) {
    Made(index, gStars.emplace_back(), stored,
         [this](clsStar& star, const StarRecord& s) { TrackBuilding::BuildStar(star, s, starModel_); }, repairs_);
}

uint64_t TrackBuilder::Bytes(const TrackCodec::TrackFile& shape) {
    const LevelRecord& r = shape.Level;
    const auto objects = [](int32_t upperBound) { return static_cast<uint64_t>(int64_t{upperBound} + 1); };
    const uint64_t blocks = objects(r.BlockCount), platforms = objects(r.PlatformCount),
                   ramps = objects(r.RampCount), stars = objects(r.StarCount);
    // Blocks get room to grow by half (TrackBuilding::MakeBlocks).
    return (blocks + blocks / 2) * sizeof(clsblock) + platforms * sizeof(clsMovingPlatform) +
           ramps * sizeof(clsRamp) + stars * (sizeof(clsStar) + kStarMaterialBytes) +
           (blocks + platforms + ramps) * kViewBytes;
}
