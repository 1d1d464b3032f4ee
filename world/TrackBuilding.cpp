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

void MakeBlocks(int32_t upperBound) {
    // Room to grow into: a new block in a full array moves every block into new memory, which
    // on a large track takes most of a second. Room never used takes no memory.
    const size_t count = static_cast<size_t>(upperBound + 1);
    if (gBlocks.capacity() < count) {
        gBlocks.clear();
        gBlocks.reserve(count + count / 2);
    }
    gBlocks.assign(count, clsblock{});
}

void MakeRamps(int32_t upperBound) { gRamps.assign(static_cast<size_t>(upperBound + 1), clsRamp{}); }

void MakePlatforms(int32_t upperBound) {
    gMovingPlatforms.assign(static_cast<size_t>(upperBound + 1), clsMovingPlatform{});
}

void MakeStars(int32_t upperBound) { gStars.assign(static_cast<size_t>(upperBound + 1), clsStar{}); }

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
    for (size_t i = 0; i < gBlocks.size(); ++i) BuildBlock(gBlocks[i], r.Blocks[i], textures, place);
}

void BuildRamps(const LevelRecord& r, const LevelTextures& textures) {
    MakeRamps(r.RampCount);
    for (size_t i = 0; i < gRamps.size(); ++i) BuildRamp(gRamps[i], r.Ramps[i], textures);
}

void BuildPlatforms(const LevelRecord& r, const LevelTextures& textures) {
    MakePlatforms(r.PlatformCount);
    for (size_t i = 0; i < gMovingPlatforms.size(); ++i) BuildPlatform(gMovingPlatforms[i], r.Platforms[i], textures);
}

void BuildStars(const LevelRecord& r) {
    MakeStars(r.StarCount);
    const std::string model = StarModel();
    for (size_t i = 0; i < gStars.size(); ++i) BuildStar(gStars[i], r.Stars[i], model);
}

}  // namespace TrackBuilding
