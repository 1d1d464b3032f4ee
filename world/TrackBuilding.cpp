#include "world/TrackBuilding.h"

#include "platform/Paths.h"
#include "shared/AssetFolders.h"
#include "shared/Rounding.h"
#include "world/TrackObjects.h"

namespace TrackBuilding {
namespace {

// Faces A to D of a block or platform.
template <class Box>
void TextureFaces(Box& box, const BlockRecord& b, const LevelTextures& textures) {
    box.Texture(textures.Of(b.TextureA), "A", gTexturePath);
    box.Texture(textures.Of(b.TextureB), "B", gTexturePath);
    box.Texture(textures.Of(b.TextureC), "C", gTexturePath);
    box.Texture(textures.Of(b.TextureD), "D", gTexturePath);
}

}  // namespace

LevelTextures::LevelTextures(const LevelRecord& r, const TextureFolder& folder) : fallback_(folder.Choose(r, -1)) {
    for (size_t k = 0; k < r.TextureNames.size() && k <= INT16_MAX; ++k)
        names_.push_back(folder.Choose(r, static_cast<int16_t>(k)));
}

const std::string& LevelTextures::Of(int16_t index) const {
    return index >= 0 && static_cast<size_t>(index) < names_.size() ? names_[static_cast<size_t>(index)] : fallback_;
}

namespace {

size_t CountOf(int32_t upperBound) { return static_cast<size_t>(int64_t{upperBound} + 1); }

// The array emptied, with room for count objects: they are appended as they are built, so
// that a build stopped halfway has made no more than it built.
template <class Object>
void Emptied(std::vector<Object>& objects, size_t count) {
    objects.clear();
    objects.reserve(count);
}

}  // namespace

void MakeBlocks(int32_t upperBound) {
    // Emptied as the other kinds are, with room to grow into besides: a new block in a full
    // array moves every block into new memory, which on a large track takes most of a second.
    // Room never used takes no memory.
    const size_t count = CountOf(upperBound);
    gBlocks.clear();
    if (gBlocks.capacity() < count) gBlocks.reserve(count + count / 2);
}

void MakeRamps(int32_t upperBound) { Emptied(gRamps, CountOf(upperBound)); }
void MakePlatforms(int32_t upperBound) { Emptied(gMovingPlatforms, CountOf(upperBound)); }
void MakeStars(int32_t upperBound) { Emptied(gStars, CountOf(upperBound)); }

void BuildBlock(clsblock& block, const BlockRecord& b, const LevelTextures& textures, PlaceBlock place) {
    place(block, b);
    block.ScaleTextureSide(b.ScaleTextureSide);
    block.ScaleTextureTop(b.ScaleTextureTop);
    block.scaleX(b.ScaleX);
    block.scaleY(b.ScaleY);
    block.scalez(b.ScaleZ);
    TextureFaces(block, b, textures);
    block.changeactioncode(b.ActionCode);
}

void BuildRamp(clsRamp& ramp, const RampRecord& m, const LevelTextures& textures) {
    ramp.create(0, 0, 0);
    ramp.Xpos(RoundHalfEven<int32_t>(m.X));
    ramp.Ypos(RoundHalfEven<int32_t>(m.Y));
    ramp.Zpos(RoundHalfEven<int32_t>(m.Z));
    for (int turn = 0; turn < m.Rotation; ++turn) ramp.rotate();
    ramp.scaleX(RoundHalfEven<int16_t>(m.ScaleX));
    ramp.scaleY(RoundHalfEven<int16_t>(m.ScaleY));
    ramp.scalez(RoundHalfEven<int16_t>(m.ScaleZ));
    ramp.Texture(textures.Of(m.TextureA), "A", gTexturePath);
    ramp.Texture(textures.Of(m.TextureB), "B", gTexturePath);
}

void BuildPlatform(clsMovingPlatform& platform, const MovingPlatformRecord& p, const LevelTextures& textures) {
    platform.create(0, 0, 0);
    platform.Xpos(p.X);
    platform.Ypos(p.Y);
    platform.Zpos(p.Z);
    platform.scaleX(p.ScaleX);
    platform.scaleY(p.ScaleY);
    platform.scalez(p.ScaleZ);
    platform.changeactioncode(p.ActionCode);
    platform.Mdir(p.Direction);
    platform.Mspeed(p.Speed);
    platform.Mdist(p.Distance);
    platform.MloopBack(p.LoopBack != 0);
    platform.ScaleTextureSide(p.ScaleTextureSide);
    platform.ScaleTextureTop(p.ScaleTextureTop);
    TextureFaces(platform, p, textures);
}

std::string StarModel() { return platform::ProgramPath("models/orb.x"); }

void BuildStar(clsStar& star, const StarRecord& s, const std::string& model) {
    star.load(model);
    star.Xpos(RoundHalfEven<int32_t>(s.X));
    star.Ypos(RoundHalfEven<int32_t>(s.Y));
    star.Zpos(RoundHalfEven<int32_t>(s.Z));
}

void BuildBlocks(const LevelRecord& r, const LevelTextures& textures, PlaceBlock place) {
    MakeBlocks(r.BlockCount);
    for (size_t i = 0; i < CountOf(r.BlockCount); ++i) BuildBlock(gBlocks.emplace_back(), r.Blocks[i], textures, place);
}

void BuildRamps(const LevelRecord& r, const LevelTextures& textures) {
    MakeRamps(r.RampCount);
    for (size_t i = 0; i < CountOf(r.RampCount); ++i) BuildRamp(gRamps.emplace_back(), r.Ramps[i], textures);
}

void BuildPlatforms(const LevelRecord& r, const LevelTextures& textures) {
    MakePlatforms(r.PlatformCount);
    for (size_t i = 0; i < CountOf(r.PlatformCount); ++i)
        BuildPlatform(gMovingPlatforms.emplace_back(), r.Platforms[i], textures);
}

void BuildStars(const LevelRecord& r) {
    MakeStars(r.StarCount);
    const std::string model = StarModel();
    for (size_t i = 0; i < CountOf(r.StarCount); ++i) BuildStar(gStars.emplace_back(), r.Stars[i], model);
}

}  // namespace TrackBuilding
