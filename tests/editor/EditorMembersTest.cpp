// The track classes' members that the editor uses, under the editor's rules: highlights,
// texture stretching, a platform's start values, and falls, hops and spins on every draw.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorGlobals.h"
#include "editor/EditorRules.h"
#include "platform/Paths.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

namespace {

std::vector<int32_t> Colours(const clsblock& block) {
    std::vector<int32_t> colours;
    for (const d3d::LitVertex& v : block.GetVertices()) colours.push_back(v.Diffuse);
    return colours;
}

// 18 side vertices (faces A, B, C) and 6 top ones.
std::vector<int32_t> BoxColours(int32_t side, int32_t top) {
    std::vector<int32_t> colours(18, side);
    colours.insert(colours.end(), 6, top);
    return colours;
}

}  // namespace

class EditorMembers : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    clsblock& Block() { return gBlocks[0]; }
    EditorTestBed bed;
};

TEST_F(EditorMembers, AHighlightComesOffAsTheBoxsPlainColours) {
    clsblock block;
    block.create(0, 0, 0, 3, 2, 4);
    block.SelectBlock();
    EXPECT_EQ(Colours(block), BoxColours(0x00888888, 0x00888888));
    block.UnSelectBlock();
    EXPECT_EQ(Colours(block), BoxColours(0x009A9A9A, 0x00FFFFFF));

    // A size write lightens the sides' upper edge; taking a highlight off writes plain sides.
    block.scaleY(3);
    int lighter = 0;
    for (const d3d::LitVertex& v : block.GetVertices()) lighter += v.Diffuse == 0x00BBBBBB;
    EXPECT_EQ(lighter, 9);  // the y = 1 vertices of faces A, B and C
    block.SelectBlock();
    block.UnSelectBlock();
    EXPECT_EQ(Colours(block), BoxColours(0x009A9A9A, 0x00FFFFFF));

    clsMovingPlatform platform;
    platform.create(0, 0, 0);
    platform.SelectBlock();
    platform.UnSelectBlock();
    for (int i = 0; i < 24; ++i) EXPECT_EQ(platform.GetVertices()[i].Diffuse, i < 18 ? 0x009A9A9A : 0x00FFFFFF);

    clsRamp ramp;
    ramp.create(0, 0, 0);
    ramp.SelectRamp();
    for (const d3d::LitVertex& v : ramp.GetVertices()) EXPECT_EQ(v.Diffuse, 0x00888888);
    ramp.UnSelectramp();
    for (int i = 0; i < 18; ++i) EXPECT_EQ(ramp.GetVertices()[i].Diffuse, i < 6 ? 0x00FFFFFF : 0x009A9A9A);
}

TEST_F(EditorMembers, TheGameKeepsItsOwnFormsOfTheSharedMembers) {
    gWorldRules = WorldRules{};
    clsblock block;
    block.create(0, 0, 0, 1, 1, 1);
    block.scaleY(3);
    EXPECT_EQ(Colours(block), BoxColours(0x009A9A9A, 0x00FFFFFF));  // plain sides
    block.Xpos(4);
    block.SelectBlock();
    EXPECT_EQ(block.GetCollisionPlane(1).D, 0.0f);  // the planes wait for a fall or hop

    clsRamp ramp;
    ramp.create(0, 0, 0);
    ramp.Xpos(4);
    ramp.UpdateChanges();
    EXPECT_EQ(ramp.GetCollisionPlane(1).D, 0.0f);  // the planes wait for a turn or resize

    clsMovingPlatform platform;
    platform.create(0, 0, 0);
    platform.Xpos(1);
    platform.scaleX(2);
    EXPECT_EQ(platform.GetCollisionPlane(1).D, 0.0f);  // the planes wait for a move
    platform.Mdir(3);
    platform.Mspeed(100);
    platform.Mdist(1);
    platform.MloopBack(true);
    for (int i = 0; i < 3; ++i) platform.move();
    platform.ResetToOrigin();  // to the origin the loop-back moved
    EXPECT_EQ(platform.Xpos(), platform.GetOrigin().X);
    EXPECT_NE(platform.Xpos(), 1.0f);
    InstallEditorRules();
}

TEST_F(EditorMembers, EveryEditBringsTheCollisionPlanesAlong) {
    // Picks and test runs meet an object where it is drawn, after every kind of edit.
    Block().Xpos(4);
    EXPECT_EQ(Block().GetCollisionPlane(1).D, 4.0f);  // x = 4, normal -X

    clsMovingPlatform platform;
    platform.create(0, 0, 0);
    platform.Xpos(4);
    EXPECT_EQ(platform.GetCollisionPlane(1).D, 4.0f);
    platform.scaleX(2);
    EXPECT_EQ(platform.GetCollisionPlane(2).D, -6.0f);  // the right side at x = 6
    platform.Mdir(3);
    platform.Mspeed(100);
    platform.Mdist(5);
    platform.move();
    platform.ResetToOrigin();  // back where it was placed, and so are its planes
    EXPECT_EQ(platform.GetCollisionPlane(1).D, 4.0f);

    clsRamp ramp;
    ramp.create(0, 0, 0);
    ramp.Xpos(4);
    EXPECT_EQ(ramp.GetCollisionPlane(1).D, 4.0f);
    ramp.Ypos(2);
    EXPECT_EQ(ramp.GetCollisionPlane(5).D, 2.0f);  // the bottom at y = 2, normal -Y
}

TEST_F(EditorMembers, StretchingABlocksTexturesStoresTheRepeatAndKeepsThePlanes) {
    Block().Zpos(3);
    Block().AlignTexureCoords(1, 3);
    EXPECT_EQ(Block().TextureScaleAlignside(), 3);
    EXPECT_EQ(Block().ScaleTextureSide(), 3);
    EXPECT_EQ(Block().GetVertices()[4].Tu, 3.0f);  // face A's far corner
    EXPECT_EQ(Block().GetVertices()[4].Tv, 3.0f);
    EXPECT_EQ(Block().GetCollisionPlane(4).D, 3.0f);  // the front at z = 3, normal -Z

    Block().AlignTexureCoords(0, 0);  // the top follows the size again: 2 by 2
    EXPECT_EQ(Block().TextureScaleAlignTop(), 0);
    EXPECT_EQ(Block().GetVertices()[22].Tu, 2.0f);
    EXPECT_EQ(Block().GetVertices()[22].Tv, 2.0f);
}

TEST_F(EditorMembers, APlatformRemembersTheDirectionAndPlaceItWasGiven) {
    clsMovingPlatform platform;
    platform.create(0, 0, 0);
    platform.Xpos(1);
    platform.Ypos(2);
    platform.Zpos(6);
    platform.Mdir(2);
    platform.Mspeed(100);
    platform.Mdist(1);
    platform.MloopBack(true);
    for (int i = 0; i < 3; ++i) platform.move();  // one unit to the left, then the loop-back
    EXPECT_EQ(platform.Mdir(), 3);
    EXPECT_EQ(platform.GetinitalMDir(), 2);
    EXPECT_EQ(platform.GetInitalXpos(), 1.0f);
    EXPECT_EQ(platform.GetInitalYpos(), 2.0f);
    EXPECT_EQ(platform.GetInitalZpos(), 6.0f);
    EXPECT_NE(platform.GetOrigin().X, 1.0f);  // the loop-back moved the origin

    platform.move();
    platform.ResetToOrigin();  // back where it was placed, not to the shifted origin
    EXPECT_EQ(platform.Xpos(), 1.0f);
    EXPECT_EQ(platform.GetPosition().Z, 6.0f);

    platform.Mdir(1);
    platform.move();
    platform.Xpos(5);
    platform.Mdir(1);
    platform.ResetToOrigin();  // direction 1 stays where it is
    EXPECT_EQ(platform.Xpos(), 5.0f);
}

TEST_F(EditorMembers, AStarTurnsFiveDegreesEveryDrawAndWrapsPast360) {
    clsStar star;
    star.load(platform::ProgramPath("models/orb.x"));
    for (int i = 0; i < 71; ++i) star.draw();
    EXPECT_EQ(star.GetSpinAngle(), 355);
    star.draw();
    EXPECT_EQ(star.GetSpinAngle(), 360);
    star.draw();
    EXPECT_EQ(star.GetSpinAngle(), 1);
}

TEST_F(EditorMembers, AStarsHighlightSwapsItsFirstSkin) {
    clsStar star;
    star.load(platform::ProgramPath("models/orb.x"));
    star.selectstar();
    EXPECT_EQ(SkinDrawn(star, bed.Device()), "StarSkin_selected.bmp");
    star.unSelectStar();
    EXPECT_EQ(SkinDrawn(star, bed.Device()), "StarSkin.bmp");
}

TEST_F(EditorMembers, AMissingSkinOrPictureLeavesTheObjectDrawableWithoutIt) {
    // A skins folder without the selected skin, and a texture name no file has.
    std::filesystem::remove(bed.folder.File("skins"));
    std::filesystem::create_directory(bed.folder.File("skins"));
    std::filesystem::copy_file(GeneratedAssets() + "/skins/StarSkin.bmp", bed.folder.File("skins/StarSkin.bmp"));
    clsStar star;
    star.load(platform::ProgramPath("models/orb.x"));
    star.selectstar();
    EXPECT_EQ(SkinDrawn(star, bed.Device()), "StarSkin.bmp");

    clsStar meshless;
    meshless.load(platform::ProgramPath("models/no such model.x"));
    meshless.selectstar();
    bed.Device().ClearRecording();
    meshless.draw();
    EXPECT_TRUE(bed.Device().DrawCalls().empty());

    Block().Texture("no such picture.bmp", "D", gTexturePath);
    EXPECT_EQ(Block().GetTextureD(), "no such picture.bmp");
    bed.Device().ClearRecording();
    Block().draw();
    EXPECT_EQ(bed.Device().DrawCalls().size(), 4u);
    EXPECT_EQ(bed.Device().DrawCalls().back().Texture, nullptr);
}

TEST_F(EditorMembers, AHopRunsOnEveryDrawAndEndsOnItsBase) {
    Block().Ypos(2);
    Block().Bounce();
    float t = -1.0f;
    int draws = 0;
    while (true) {
        Block().draw();
        ++draws;
        if (t >= 1.1f) break;
        EXPECT_FLOAT_EQ(Block().Ypos(), 2.0f + 1.0f - t * t) << draws;
        t += 0.1f;
        ASSERT_LT(draws, 30);
    }
    EXPECT_EQ(draws, 22);
    EXPECT_EQ(Block().Ypos(), 2.0f);
    EXPECT_EQ(Block().fallvel(), 0.0f);
}

TEST_F(EditorMembers, AFallingBlockDropsByTheEditedTracksGravity) {
    Block().Ypos(10);
    Block().Fall();
    const float drops[] = {0.025f, 0.05f, 0.075f};
    float y = 10;
    for (float drop : drops) {
        Block().draw();
        y -= drop;
        EXPECT_NEAR(Block().Ypos(), y, 1e-5f);
    }
}

TEST_F(EditorMembers, ThePlayerStartsHalfAUnitHigherThanInTheGame) {
    gPlayer.resetPLayer();
    EXPECT_EQ(gPlayer.PosY(), 3.5f);
    EXPECT_EQ(gPlayer.Posx(), 0.0f);
    EXPECT_EQ(gPlayer.Posz(), 1.0f);
}
