// Building a level's objects from its record: the order of the writes, the rounding of ramp
// and star positions, the exact-name texture lookup and what a build leaves alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/frmGame.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/play/WorldFakeDevice.h"
#include "world/clsBackground.h"

#include "game/LevelStructure.h"

namespace {

class LevelBuildingTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedTextures_ = gTexturePath;
        savedBackgrounds_ = gBackgroundPath;
        gTexturePath = folder_.File("textures/");
        gBackgroundPath = folder_.File("backgrounds/");
        std::filesystem::create_directories(gTexturePath);
        std::filesystem::create_directories(gBackgroundPath);
        for (const char* name : {"_default.bmp", "grass.bmp", "Stone.bmp", "wood.bmp", "metal.bmp"}) Touch(gTexturePath + name);
        std::filesystem::create_directories(gTexturePath + "folder.bmp");  // not an ordinary file
        gBlocks.clear();
        gRamps.clear();
        gMovingPlatforms.clear();
        gStars.clear();
    }
    void TearDown() override {
        gTexturePath = savedTextures_;
        gBackgroundPath = savedBackgrounds_;
    }

    static void Touch(const std::string& path) { std::ofstream(path) << "x"; }

    static LevelRecord Level() {
        LevelRecord r;
        r.TextureNames = {"grass.bmp", "stone.bmp", "wood.bmp", "metal.bmp", "../grass.bmp", "", "..", "folder.bmp"};
        r.TextureCount = static_cast<int16_t>(r.TextureNames.size() - 1);
        BlockRecord b;
        b.X = 2.5f;
        b.Y = 1;
        b.Z = 3.5f;
        b.ScaleX = 4;
        b.ScaleY = 1;
        b.ScaleZ = 3;
        b.ScaleTextureSide = 2;
        b.TextureA = 0;
        b.TextureB = 2;
        b.TextureC = 3;
        b.TextureD = 1;  // "stone.bmp": the folder holds "Stone.bmp"
        b.ActionCode = ACTION_FINISH;
        r.Blocks = {b};
        r.BlockCount = 0;
        return r;
    }

    ScratchFolder folder_;
    WorldFakeDevice device_;
    std::string savedTextures_, savedBackgrounds_;
};

}  // namespace

TEST_F(LevelBuildingTest, BlocksTakeTheirRecordInOrder) {
    TotalFrames = 99;
    LevelStructure::BuildLevel(Level(), false);
    ASSERT_EQ(gBlocks.size(), 1u);
    const clsblock& block = gBlocks[0];
    EXPECT_FLOAT_EQ(block.Xpos(), 2.5f);  // blocks keep their fractions
    EXPECT_FLOAT_EQ(block.GetPosition().Z, 3.5f);
    EXPECT_FLOAT_EQ(block.scalez(), 3.0f);  // the size write after create stores the full depth
    EXPECT_FLOAT_EQ(block.GetVertices()[1].Tu, 2.0f);  // the repeat was in place before the sizes
    EXPECT_EQ(block.changeactioncode(), ACTION_FINISH);
    EXPECT_EQ(block.GetTextureA(), "grass.bmp");
    EXPECT_EQ(block.GetTextureB(), "wood.bmp");
    EXPECT_EQ(block.GetTextureC(), "metal.bmp");
    EXPECT_EQ(block.GetTextureD(), "_default.bmp");
    const std::vector<std::string> loads{gTexturePath + "grass.bmp", gTexturePath + "wood.bmp",
                                         gTexturePath + "metal.bmp", gTexturePath + "_default.bmp"};
    EXPECT_EQ(device_.TextureLoads, loads);
    EXPECT_EQ(TotalFrames, 0);
}

// The texture of each index is chosen once for the build: every face gets the choice of its
// index, each file is read once, and each block fills one vertex buffer.
TEST_F(LevelBuildingTest, EveryFaceGetsTheTextureChosenForItsIndex) {
    LevelRecord r = Level();
    const TextureFolder folder(gTexturePath);
    const int16_t indexes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1, 300};
    r.Blocks.clear();
    for (int16_t a : indexes) {
        BlockRecord b = Level().Blocks[0];
        b.TextureA = a;
        b.TextureB = static_cast<int16_t>(a + 1);
        b.TextureC = 2;
        b.TextureD = static_cast<int16_t>(-a);
        r.Blocks.push_back(b);
    }
    r.BlockCount = static_cast<int32_t>(r.Blocks.size()) - 1;
    LevelStructure::BuildLevel(r, false);
    ASSERT_EQ(gBlocks.size(), r.Blocks.size());
    for (size_t i = 0; i < r.Blocks.size(); ++i) {
        const BlockRecord& b = r.Blocks[i];
        EXPECT_EQ(gBlocks[i].GetTextureA(), folder.Choose(r, b.TextureA)) << i;
        EXPECT_EQ(gBlocks[i].GetTextureB(), folder.Choose(r, b.TextureB)) << i;
        EXPECT_EQ(gBlocks[i].GetTextureC(), folder.Choose(r, b.TextureC)) << i;
        EXPECT_EQ(gBlocks[i].GetTextureD(), folder.Choose(r, b.TextureD)) << i;
    }
    EXPECT_EQ(device_.TextureLoads.size(), 4u);  // grass, wood, metal and the default
    for (clsblock& block : gBlocks) block.draw();
    EXPECT_EQ(device_.Buffers.size(), r.Blocks.size());  // one for each block's first draw
}

TEST_F(LevelBuildingTest, NamesThatWouldLeaveTheFolderOrIndexesOutOfRangeGiveTheDefault) {
    LevelRecord r = Level();
    const TextureFolder textures(gTexturePath);
    for (int16_t index : {1, 4, 5, 6, 7, 8, -1, 300}) EXPECT_EQ(textures.Choose(r, index), "_default.bmp") << index;
    EXPECT_EQ(textures.Choose(r, 0), "grass.bmp");
    r.TextureCount = 1;  // names past the count are not part of the level
    EXPECT_EQ(textures.Choose(r, 2), "_default.bmp");
}

TEST_F(LevelBuildingTest, RampsAndStarsRoundHalvesToEven) {
    LevelRecord r = Level();
    RampRecord m;
    m.X = 2.5f;
    m.Y = 3.5f;
    m.Z = 2.5f;
    m.ScaleX = 2.5f;
    m.ScaleY = 3.5f;
    m.ScaleZ = 1.5f;
    m.Rotation = 3;
    m.TextureA = 0;
    m.TextureB = 1;
    r.Ramps = {m};
    r.RampCount = 0;
    r.Stars = {{2.5f, 3.5f, -0.5f}};
    r.StarCount = 0;
    LevelStructure::BuildLevel(r, false);

    ASSERT_EQ(gRamps.size(), 1u);
    const clsRamp& ramp = gRamps[0];
    EXPECT_EQ(ramp.Xpos(), 2);
    EXPECT_EQ(ramp.Ypos(), 4);
    EXPECT_EQ(ramp.Zpos(), 2);
    EXPECT_EQ(ramp.scaleX(), 2);
    EXPECT_EQ(ramp.scaleY(), 4);
    EXPECT_EQ(ramp.scalez(), 2);
    EXPECT_EQ(ramp.GetRotation(), 3);
    EXPECT_EQ(ramp.GetTextureA(), "grass.bmp");
    EXPECT_EQ(ramp.GetTextureB(), "_default.bmp");
    EXPECT_FLOAT_EQ(ramp.GetGradient(), -2.0f);  // rotation 3: -(4 / 2)

    ASSERT_EQ(gStars.size(), 1u);
    EXPECT_EQ(gStars[0].Xpos(), 2);
    EXPECT_EQ(gStars[0].Ypos(), 4);
    EXPECT_EQ(gStars[0].Zpos(), 0);  // -0.5 rounds to 0
    EXPECT_TRUE(gStars[0].visible());
}

TEST_F(LevelBuildingTest, PlatformsKeepFractionsAndTheirLegStartsThere) {
    LevelRecord r = Level();
    MovingPlatformRecord p;
    static_cast<BlockRecord&>(p) = r.Blocks[0];
    p.Direction = 3;
    p.Speed = 10;
    p.Distance = 4;
    p.LoopBack = 255;
    r.Platforms = {p};
    r.PlatformCount = 0;
    LevelStructure::BuildLevel(r, false);
    ASSERT_EQ(gMovingPlatforms.size(), 1u);
    const clsMovingPlatform& platform = gMovingPlatforms[0];
    EXPECT_FLOAT_EQ(platform.Xpos(), 2.5f);
    EXPECT_FLOAT_EQ(platform.GetOrigin().X, 2.5f);
    EXPECT_FLOAT_EQ(platform.GetOrigin().Z, 3.5f);
    EXPECT_TRUE(platform.MloopBack());
    EXPECT_EQ(platform.Mdir(), 3);
    EXPECT_EQ(platform.Mspeed(), 10);
    EXPECT_EQ(platform.Mdist(), 4);
    EXPECT_EQ(platform.changeactioncode(), ACTION_FINISH);
    EXPECT_FLOAT_EQ(platform.GetVertices()[1].Tu, 4.0f);  // the repeat is written after the sizes
    EXPECT_FLOAT_EQ(platform.GetCollisionPlane(2).D, -1.0f);  // unit planes at the origin until it moves
    EXPECT_EQ(platform.GetTextureD(), "_default.bmp");
}

TEST_F(LevelBuildingTest, KindsWithACountOfMinusOneKeepThePreviousObjects) {
    LevelRecord first = Level();
    first.Ramps.assign(2, RampRecord{});
    first.RampCount = 1;
    first.Stars.assign(3, StarRecord{});
    first.StarCount = 2;
    LevelStructure::BuildLevel(first, false);
    gRamps[1].Xpos(42);

    LevelRecord second = Level();
    second.Blocks.push_back(second.Blocks[0]);
    second.BlockCount = 1;
    LevelStructure::BuildLevel(second, false);
    EXPECT_EQ(gBlocks.size(), 2u);
    ASSERT_EQ(gRamps.size(), 2u);
    EXPECT_EQ(gRamps[1].Xpos(), 42);
    EXPECT_EQ(gStars.size(), 3u);
    EXPECT_TRUE(gMovingPlatforms.empty());
}

TEST_F(LevelBuildingTest, CountsPastTheRecordsHeldAreLeftAlone) {
    LevelRecord r = Level();
    r.RampCount = 5;  // no ramp records at all
    r.BlockCount = 3;
    LevelStructure::BuildLevel(r, false);
    EXPECT_TRUE(gRamps.empty());
    EXPECT_TRUE(gBlocks.empty());
}

TEST_F(LevelBuildingTest, BackgroundOnlyWhenAskedWithoutItsPadding) {
    gBackground.create(gBackgroundPath + "before.jpg");
    LevelRecord r = Level();
    r.BackgroundFile = "bk003.jpg" + std::string(41, ' ');
    LevelStructure::BuildLevel(r, false);
    EXPECT_EQ(gBackground.ImageName(), gBackgroundPath + "before.jpg");
    LevelStructure::BuildLevel(r, true);
    EXPECT_EQ(gBackground.ImageName(), gBackgroundPath + "bk003.jpg");

    r.BackgroundFile = "../../etc/passwd";
    LevelStructure::BuildLevel(r, true);
    EXPECT_EQ(gBackground.ImageName(), gBackgroundPath + "_default.jpg");

    r.BackgroundFile = std::string(1, '\0') + std::string(49, ' ');  // would name the folder itself
    LevelStructure::BuildLevel(r, true);
    EXPECT_EQ(gBackground.ImageName(), gBackgroundPath + "_default.jpg");
}

// The menus lay their screen out again on every arrow press; the picture is read once.
TEST_F(LevelBuildingTest, TheBackgroundPictureIsReadAgainOnlyWhenItCanHaveChanged) {
    Touch(gBackgroundPath + "a.jpg");
    Touch(gBackgroundPath + "b.jpg");
    auto loadsOf = [this](const std::string& file) {
        return std::count(device_.TextureLoads.begin(), device_.TextureLoads.end(), gBackgroundPath + file);
    };
    gBackground.create(gBackgroundPath + "a.jpg");
    gBackground.create(gBackgroundPath + "a.jpg");
    EXPECT_EQ(loadsOf("a.jpg"), 1);
    gBackground.create(gBackgroundPath + "b.jpg");
    gBackground.create(gBackgroundPath + "a.jpg");
    EXPECT_EQ(loadsOf("a.jpg"), 2);
    gBackground.resetbackground();
    gBackground.create(gBackgroundPath + "a.jpg");
    EXPECT_EQ(loadsOf("a.jpg"), 3);
    {
        WorldFakeDevice other;  // a new device holds none of the old one's pictures
        gBackground.create(gBackgroundPath + "a.jpg");
        EXPECT_EQ(std::count(other.TextureLoads.begin(), other.TextureLoads.end(), gBackgroundPath + "a.jpg"), 1);
    }
    // A picture that could not be read is tried again, not taken as read.
    gBackground.create(gBackgroundPath + "missing.jpg");
    gBackground.create(gBackgroundPath + "missing.jpg");
    EXPECT_EQ(loadsOf("missing.jpg"), 2);
}

TEST_F(LevelBuildingTest, BuildsTheLevelNamedByIndex) {
    const std::vector<LevelRecord> saved = gLevelRecords;
    gLevelRecords.assign(3, LevelRecord{});
    gLevelRecords[2] = Level();
    LevelStructure::BuildLevel(2, false);
    EXPECT_EQ(gBlocks.size(), 1u);
    gBlocks.clear();
    LevelStructure::BuildLevel(7, false);  // no such level: nothing happens
    EXPECT_TRUE(gBlocks.empty());
    gLevelRecords = saved;
}
