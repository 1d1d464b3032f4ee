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

void BuildBlocks(const LevelRecord& r, const LevelTextures& textures, PlaceBlock place) {
    // Room to grow into: a new block in a full array moves every block into new memory, which
    // on a large track takes most of a second. Room never used takes no memory.
    const size_t count = static_cast<size_t>(r.BlockCount) + 1;
    if (gBlocks.capacity() < count) {
        gBlocks.clear();
        gBlocks.reserve(count + count / 2);
    }
    gBlocks.assign(count, clsblock{});
    for (int32_t i = 0; i <= r.BlockCount; ++i) {
        const BlockRecord& b = r.Blocks[static_cast<size_t>(i)];
        clsblock& block = gBlocks[static_cast<size_t>(i)];
        place(block, b);
        block.ScaleTextureSide(b.ScaleTextureSide);
        block.ScaleTextureTop(b.ScaleTextureTop);
        block.scaleX(b.ScaleX);
        block.scaleY(b.ScaleY);
        block.scalez(b.ScaleZ);
        TextureFaces(block, b, textures);
        block.changeactioncode(b.ActionCode);
    }
}

void BuildRamps(const LevelRecord& r, const LevelTextures& textures) {
    gRamps.assign(static_cast<size_t>(r.RampCount) + 1, clsRamp{});
    for (int32_t i = 0; i <= r.RampCount; ++i) {
        const RampRecord& m = r.Ramps[static_cast<size_t>(i)];
        clsRamp& ramp = gRamps[static_cast<size_t>(i)];
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
}

void BuildPlatforms(const LevelRecord& r, const LevelTextures& textures) {
    gMovingPlatforms.assign(static_cast<size_t>(r.PlatformCount) + 1, clsMovingPlatform{});
    for (int32_t i = 0; i <= r.PlatformCount; ++i) {
        const MovingPlatformRecord& p = r.Platforms[static_cast<size_t>(i)];
        clsMovingPlatform& platform = gMovingPlatforms[static_cast<size_t>(i)];
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
}

void BuildStars(const LevelRecord& r) {
    const std::string model = platform::ProgramPath("models/orb.x");
    gStars.assign(static_cast<size_t>(r.StarCount) + 1, clsStar{});
    for (int32_t i = 0; i <= r.StarCount; ++i) {
        const StarRecord& s = r.Stars[static_cast<size_t>(i)];
        clsStar& star = gStars[static_cast<size_t>(i)];
        star.load(model);
        star.Xpos(RoundHalfEven<int32_t>(s.X));
        star.Ypos(RoundHalfEven<int32_t>(s.Y));
        star.Zpos(RoundHalfEven<int32_t>(s.Z));
    }
}

}  // namespace TrackBuilding
