// Deleting the selection: the object goes, the later objects of its kind move down one index
// with everything they hold, a kind can be emptied and refilled afresh, and the platforms
// start again from where they were placed.
#include <gtest/gtest.h>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

using selection::DeleteSelected;

class Deleting : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    static void Select(int32_t kind, int32_t index) {
        gSelectedType = kind;
        gSelectedIndex = index;
        gHasSelection = true;
    }
    // A block of its own look at X = x: size, place off the whole units, textures, repeats, code.
    static void AddBlock(float x, uint8_t code) {
        frmMain.mnu_block_Click();
        clsblock& block = gBlocks[static_cast<size_t>(gBlockCount)];
        block.Xpos(x);
        block.Ypos(x / 4);
        block.ScaleTextureTop(static_cast<uint8_t>(x));
        block.scaleX(x + 1);
        block.Texture("brick.bmp", "B", gTexturePath);
        block.changeactioncode(code);
    }
    EditorTestBed bed;
};

TEST_F(Deleting, TheLastOfThreeBlocksGoesAndTheOthersStayAsTheyWere) {
    AddBlock(3, 4);
    AddBlock(5, 6);
    const d3d::Vector3 first = gBlocks[0].GetPosition(), second = gBlocks[1].GetPosition();
    DeleteSelected();  // the block just inserted
    EXPECT_EQ(gBlockCount, 1);
    EXPECT_EQ(gBlocks.size(), 2u);
    EXPECT_EQ(XYZ(gBlocks[0].GetPosition()), XYZ(first));
    EXPECT_EQ(XYZ(gBlocks[1].GetPosition()), XYZ(second));
    EXPECT_EQ(gBlocks[1].changeactioncode(), 4);
    EXPECT_FALSE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_BLOCK);  // which kind and index were selected is kept
    EXPECT_EQ(gSelectedIndex, 2);
}

TEST_F(Deleting, AMiddleBlockHandsItsIndexToTheNextWithAllItHolds) {
    AddBlock(3, 4);
    AddBlock(5, 6);
    gCameraEye.Z = -16.5f;  // the last one stands at Z 1.5
    AddBlock(7, 0);
    const d3d::Vector3 third = gBlocks[2].GetPosition(), fourth = gBlocks[3].GetPosition();
    Select(KIND_BLOCK, 1);
    DeleteSelected();
    ASSERT_EQ(gBlockCount, 2);
    EXPECT_EQ(XYZ(gBlocks[1].GetPosition()), XYZ(third));
    EXPECT_EQ(gBlocks[1].scaleX(), 6.0f);
    EXPECT_EQ(gBlocks[1].ScaleTextureTop(), 5);
    EXPECT_EQ(gBlocks[1].changeactioncode(), 6);
    EXPECT_EQ(FaceTextures(gBlocks[1]), (std::vector<std::string>{"_default.bmp", "brick.bmp", "_default.bmp", "_default.bmp"}));
    // A Z between whole units stays where it was.
    EXPECT_EQ(XYZ(gBlocks[2].GetPosition()), XYZ(fourth));
    EXPECT_EQ(fourth.Z, 1.5f);
    EXPECT_EQ(gBlocks[2].changeactioncode(), 0);
    EXPECT_EQ(gBlocks[2].ScaleTextureTop(), 7);
    EXPECT_FALSE(Highlighted(gBlocks[1]));
}

TEST_F(Deleting, TheFirstOfThreeRampsLeavesTheOthersWithTheirTurns) {
    for (int turns : {0, 2, 1}) {
        frmMain.mnu_Ramp_Click();
        clsRamp& ramp = gRamps[static_cast<size_t>(gRampCount)];
        for (int i = 0; i < turns; ++i) ramp.rotate();
        ramp.Xpos(10 * turns);
        ramp.scaleY(static_cast<int16_t>(turns + 1));
        ramp.Texture(turns == 2 ? "brick.bmp" : "stone.bmp", "A", gTexturePath);
    }
    Select(KIND_RAMP, 0);
    DeleteSelected();
    ASSERT_EQ(gRampCount, 1);
    EXPECT_EQ(gRamps[0].GetRotation(), 2);
    EXPECT_EQ(gRamps[1].GetRotation(), 1);
    EXPECT_EQ(gRamps[0].Xpos(), 20);
    EXPECT_EQ(gRamps[1].Xpos(), 10);
    EXPECT_EQ(gRamps[0].scaleY(), 3);
    EXPECT_EQ(gRamps[0].GetTextureA(), "brick.bmp");
    EXPECT_EQ(gRamps[1].GetTextureA(), "stone.bmp");
}

TEST_F(Deleting, AStarGoesWithoutHandingOnItsHighlight) {
    frmMain.mnu_Star_Click();
    frmMain.mnu_Star_Click();
    gStars[1].Xpos(4);
    Select(KIND_STAR, 0);
    gStars[0].selectstar();
    gStars[1].unSelectStar();
    DeleteSelected();
    ASSERT_EQ(gStarCount, 0);
    EXPECT_EQ(gStars[0].Xpos(), 4);
    EXPECT_EQ(SkinDrawn(gStars[0], bed.Device()), "StarSkin.bmp");

    Select(KIND_STAR, 0);
    DeleteSelected();
    EXPECT_EQ(gStarCount, -1);
    EXPECT_TRUE(gStars.empty());  // nothing left to draw or pick
}

TEST_F(Deleting, TheOnlyBlockEmptiesTheKindAndTheNextBlockIsAFreshOne) {
    frmMain.NewTrack();
    gBlocks[0].changeactioncode(1);  // the finish
    gBlocks[0].ScaleTextureTop(3);
    DeleteSelected();
    EXPECT_EQ(gBlockCount, -1);
    EXPECT_TRUE(gBlocks.empty());
    frmMain.mnu_block_Click();
    ASSERT_EQ(gBlockCount, 0);
    EXPECT_EQ(gBlocks[0].changeactioncode(), 0);
    EXPECT_EQ(gBlocks[0].ScaleTextureTop(), 0);
}

TEST_F(Deleting, APlatformNotTheLastPutsEveryOtherBackWhereItWasPlacedWithItsOwnCode) {
    for (uint8_t code : {3, 4, 6}) {
        frmMain.mnu_MovingPlatform_Click();
        clsMovingPlatform& platform = gMovingPlatforms[static_cast<size_t>(gPlatformCount)];
        platform.Xpos(10.0f * code);
        platform.changeactioncode(code);
        platform.Mdist(1);
        platform.Mspeed(100);
    }
    frmMain.cmd_pause_Click();  // running
    for (int step = 0; step < 2; ++step) frmMain.MovePlatforms();  // each runs out and turns back
    ASSERT_EQ(gMovingPlatforms[0].Mdir(), clsMovingPlatform::kTowardsMinusX);
    ASSERT_NE(gMovingPlatforms[2].Xpos(), 60.0f);
    Select(KIND_PLATFORM, 1);
    DeleteSelected();
    ASSERT_EQ(gPlatformCount, 1);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const clsMovingPlatform& platform = gMovingPlatforms[i];
        EXPECT_EQ(platform.Xpos(), i == 0 ? 30.0f : 60.0f);
        EXPECT_EQ(XYZ(platform.GetOrigin()), XYZ(platform.GetPosition()));
        EXPECT_EQ(platform.Mdir(), clsMovingPlatform::kTowardsPlusX);
        EXPECT_EQ(platform.changeactioncode(), i == 0 ? 3 : 6);
    }
}

TEST_F(Deleting, TheLastPlatformLeavesTheOthersRunningFromWhereTheyAre) {
    frmMain.mnu_MovingPlatform_Click();
    frmMain.mnu_MovingPlatform_Click();
    frmMain.cmd_pause_Click();
    for (int step = 0; step < 7; ++step) frmMain.MovePlatforms();
    const float x = gMovingPlatforms[0].Xpos();
    ASSERT_NE(x, 0.0f);
    DeleteSelected();  // the second, inserted last
    EXPECT_EQ(gPlatformCount, 0);
    EXPECT_EQ(gMovingPlatforms[0].Xpos(), x);
    frmMain.MovePlatforms();
    EXPECT_NE(gMovingPlatforms[0].Xpos(), x);
}

TEST_F(Deleting, ThePanelShowsThatNothingIsSelected) {
    AddBlock(3, 0);
    gBlocks[1].scaleY(7);
    selection::ShowSelection();
    ASSERT_EQ(frmMain.txt_height.Text, "7");
    DeleteSelected();
    EXPECT_EQ(frmMain.txt_height.Text, "1");
    EXPECT_EQ(frmMain.txt_X.Text, "0");
}

TEST_F(Deleting, NothingSelectedDeletesNothing) {
    AddBlock(3, 0);
    gHasSelection = false;
    DeleteSelected();
    EXPECT_EQ(gBlockCount, 1);
    Select(KIND_RAMP, 0);  // a kind the track has none of
    DeleteSelected();
    EXPECT_EQ(gBlockCount, 1);
    EXPECT_EQ(gRampCount, -1);
    EXPECT_FALSE(gHasSelection);
}
