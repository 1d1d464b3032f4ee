// A new track: one plain 2 x 1 x 2 block at the origin, selected and highlighted, normal
// gravity and the default background, the camera at the start of the track.
#include <gtest/gtest.h>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "tests/editor/support/EditorTestBed.h"
#include "world/TrackObjects.h"
#include "world/clsBackground.h"

class NewTrack : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    EditorTestBed bed;
};

TEST_F(NewTrack, HoldsOneHighlightedPlainBlockAtTheOrigin) {
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gRampCount, -1);
    EXPECT_EQ(gPlatformCount, -1);
    EXPECT_EQ(gStarCount, -1);
    ASSERT_EQ(gBlocks.size(), 1u);
    const clsblock& block = gBlocks[0];
    EXPECT_EQ(block.Xpos(), 0.0f);
    EXPECT_EQ(block.Ypos(), 0.0f);
    EXPECT_EQ(block.Zpos(), 0);
    EXPECT_EQ(block.scaleX(), 2.0f);
    EXPECT_EQ(block.scaleY(), 1.0f);
    EXPECT_EQ(block.scalez(), 2.0f);  // no create: the depth is not kept 0.1 short
    EXPECT_EQ(block.changeactioncode(), 0);
    for (const std::string& name : {block.GetTextureA(), block.GetTextureB(), block.GetTextureC(), block.GetTextureD()})
        EXPECT_EQ(name, "_default.bmp");
    for (const d3d::LitVertex& v : block.GetVertices()) EXPECT_EQ(v.Diffuse, 0x00888888);
    // The size writes left the planes current: the top at y = 1, the right side at x = 2.
    EXPECT_EQ(block.GetCollisionPlane(3).D, -1.0f);
    EXPECT_EQ(block.GetCollisionPlane(2).D, -2.0f);

    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_BLOCK);
    EXPECT_EQ(gSelectedIndex, 0);
    EXPECT_EQ(gSelectedFace, 1);
}

TEST_F(NewTrack, HasNormalGravityAndTheDefaultBackgroundInPictureMenuAndFile) {
    frmMain.mnu_low_Click();
    frmMain.mnu_background_Click(5);
    frmMain.NewTrack();
    EXPECT_EQ(gTrackSettings.Gravity, 0.025f);
    EXPECT_TRUE(frmMain.mnu_normal.Checked);
    EXPECT_FALSE(frmMain.mnu_low.Checked);
    EXPECT_TRUE(frmMain.mnu_backgrounds[0].Checked);
    for (int i = 1; i < 6; ++i) EXPECT_FALSE(frmMain.mnu_backgrounds[i].Checked);
    EXPECT_EQ(gBackgroundFile, FixedLengthText("_default.jpg", 50));
    EXPECT_EQ(gBackground.ImageName(), bed.folder.Path() + "/backgrounds/_default.jpg");
}

TEST_F(NewTrack, PutsTheCameraBackAtTheStartOfTheTrack) {
    frmMain.VScroll1.Value = 700;
    frmMain.VScroll1_Change();
    EXPECT_EQ(gCameraEye.Z, 282.0f);
    frmMain.NewTrack();
    EXPECT_EQ(frmMain.VScroll1.Value, 1000);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gCameraLookAt.Z, 0.0f);
}

TEST_F(NewTrack, LetsThePlatformsRunAndSaysSoOnThePauseButton) {
    gPlatformsPaused = true;
    frmMain.cmd_pause.Caption = "UnPause Platforms";
    frmMain.NewTrack();
    EXPECT_FALSE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
}

TEST_F(NewTrack, LeavesNothingOfTheOldTracksOtherObjectsForTheNextInsert) {
    gRamps.resize(2);
    gRamps[1].rotate();
    gMovingPlatforms.resize(1);
    gMovingPlatforms[0].changeactioncode(4);
    gMovingPlatforms[0].Xpos(7);
    gStars.resize(3);
    gStars[0].Xpos(5);
    gRampCount = 1;
    gPlatformCount = 0;
    gStarCount = 2;
    frmMain.NewTrack();
    EXPECT_TRUE(gRamps.empty());
    EXPECT_TRUE(gMovingPlatforms.empty());
    EXPECT_TRUE(gStars.empty());
    // An insert that grows an emptied kind gets a fresh object.
    gRamps.resize(1);
    EXPECT_EQ(gRamps[0].GetRotation(), 0);
}
