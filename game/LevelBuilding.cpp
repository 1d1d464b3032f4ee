#include "game/LevelBuilding.h"

#include <filesystem>
#include <vector>

#include "game/Globals.h"
#include "game/frmGame.h"
#include "platform/Paths.h"
#include "world/Rounding.h"
#include "world/clsBackground.h"

// The levels of levels.dat, 1-based (declared with the level data).
#include "game/LevelStructure.h"

namespace LevelStructure {

namespace {

const char* const kDefaultTexture = "_default.bmp";
const char* const kDefaultBackground = "_default.jpg";

// A file name that stays inside its folder: no separators, not empty, "." or "..", and no NUL,
// which would end the name early (a name of one NUL is the folder itself).
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string WithoutTrailingSpaces(const std::string& s) {
    const size_t end = s.find_last_not_of(' ');
    return end == std::string::npos ? "" : s.substr(0, end + 1);
}

void BuildBlocks(const LevelRecord& r, const TextureFolder& textures) {
    gBlocks.assign(static_cast<size_t>(r.BlockCount) + 1, clsblock{});
    for (int32_t i = 0; i <= r.BlockCount; ++i) {
        const BlockRecord& b = r.Blocks[static_cast<size_t>(i)];
        clsblock& block = gBlocks[static_cast<size_t>(i)];
        block.create(b.X, b.Y, b.Z, b.ScaleX, b.ScaleY, b.ScaleZ);
        block.ScaleTextureSide(b.ScaleTextureSide);
        block.ScaleTextureTop(b.ScaleTextureTop);
        block.scaleX(b.ScaleX);
        block.scaleY(b.ScaleY);
        block.scalez(b.ScaleZ);
        block.Texture(textures.Choose(r, b.TextureA), "A", gTexturePath);
        block.Texture(textures.Choose(r, b.TextureB), "B", gTexturePath);
        block.Texture(textures.Choose(r, b.TextureC), "C", gTexturePath);
        block.Texture(textures.Choose(r, b.TextureD), "D", gTexturePath);
        block.changeactioncode(b.ActionCode);
    }
}

void BuildRamps(const LevelRecord& r, const TextureFolder& textures) {
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
        ramp.Texture(textures.Choose(r, m.TextureA), "A", gTexturePath);
        ramp.Texture(textures.Choose(r, m.TextureB), "B", gTexturePath);
    }
}

void BuildPlatforms(const LevelRecord& r, const TextureFolder& textures) {
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
        platform.Texture(textures.Choose(r, p.TextureA), "A", gTexturePath);
        platform.Texture(textures.Choose(r, p.TextureB), "B", gTexturePath);
        platform.Texture(textures.Choose(r, p.TextureC), "C", gTexturePath);
        platform.Texture(textures.Choose(r, p.TextureD), "D", gTexturePath);
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

// Counts beyond the records held would read past them; such a kind is left alone.
bool Holds(int32_t count, size_t records) { return count >= 0 && static_cast<size_t>(count) < records; }

}  // namespace

TextureFolder::TextureFolder(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec)) files_.insert(entry.path().filename().string());
}

std::string TextureFolder::Choose(const LevelRecord& record, int16_t index) const {
    if (index < 0 || index > record.TextureCount || static_cast<size_t>(index) >= record.TextureNames.size())
        return kDefaultTexture;
    const std::string& name = record.TextureNames[static_cast<size_t>(index)];
    return IsPlainFileName(name) && files_.count(name) ? name : kDefaultTexture;
}

void BuildLevel(const LevelRecord& record, bool setBackground) {
    const TextureFolder textures(gTexturePath);
    if (Holds(record.BlockCount, record.Blocks.size())) BuildBlocks(record, textures);
    if (Holds(record.RampCount, record.Ramps.size())) BuildRamps(record, textures);
    if (Holds(record.PlatformCount, record.Platforms.size())) BuildPlatforms(record, textures);
    if (Holds(record.StarCount, record.Stars.size())) BuildStars(record);
    if (setBackground) {
        // The stored name is padded with spaces, which are no part of the file's name.
        const std::string name = WithoutTrailingSpaces(record.BackgroundFile);
        gBackground.create(gBackgroundPath + (IsPlainFileName(name) ? name : kDefaultBackground));
    }
    frmGame::ResetFPSCounter();
}

void BuildLevel(int32_t level, bool setBackground) {
    if (level < 1 || static_cast<size_t>(level) >= gLevelRecords.size()) return;
    BuildLevel(gLevelRecords[static_cast<size_t>(level)], setBackground);
}

}  // namespace LevelStructure
