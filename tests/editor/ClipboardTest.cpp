// Copy, cut and paste: what each kind takes into the clipboard, what a paste builds from it in
// front of the camera, and how the Edit menu differs from the keys.
#include <gtest/gtest.h>

#include "editor/Clipboard.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

using selection::CopySelection;
using selection::PasteClipboard;

class Clipboard : public ::testing::Test {
protected:
    void SetUp() override {
        bed.Start();
        gCameraEye.Z = -10.0f;  // pastes stand at Z 8
    }
    static void Select(int32_t kind, int32_t index) {
        gSelectedType = kind;
        gSelectedIndex = index;
        gHasSelection = true;
    }
    static clsblock& LastBlockObject() { return gBlocks[static_cast<size_t>(gBlockCount)]; }
    EditorTestBed bed;
};

TEST_F(Clipboard, AFallingBlockPastesWithItsCodeLookAndSizeInFrontOfTheCamera) {
    frmMain.mnu_fallingBlock_Click();
    clsblock& copied = gBlocks[1];
    copied.Texture("brick.bmp", "C", gTexturePath);
    copied.AlignTexureCoords(0, 3);
    copied.AlignTexureCoords(1, 2);
    const d3d::Vector3 copiedAt = copied.GetPosition();
    CopySelection(false);
    PasteClipboard();
    ASSERT_EQ(gBlockCount, 2);
    const clsblock& pasted = gBlocks[2];
    EXPECT_EQ(pasted.changeactioncode(), 4);
    EXPECT_EQ(FaceTextures(pasted), FaceTextures(gBlocks[1]));
    EXPECT_EQ(pasted.scaleX(), 2.0f);
    EXPECT_EQ(pasted.scalez(), 2.0f);
    EXPECT_EQ(pasted.scaleY(), 1.0f);
    EXPECT_EQ(pasted.ScaleTextureTop(), 3);
    EXPECT_EQ(pasted.ScaleTextureSide(), 2);
    EXPECT_EQ(XYZ(pasted.GetPosition()), (std::array<float, 3>{0, 0, 8}));
    EXPECT_TRUE(Highlighted(pasted));
    EXPECT_EQ(gSelectedIndex, 2);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(XYZ(gBlocks[1].GetPosition()), XYZ(copiedAt));
    EXPECT_FALSE(Highlighted(gBlocks[1]));
    EXPECT_EQ(frmMain.txt_Z.Text, "8");
}

TEST_F(Clipboard, BlockSizesGoInWholeUnitsAndAnAxisRoundedToNothingKeepsItsNewSize) {
    gBlocks[0].scaleX(2.5f);
    gBlocks[0].scaleY(1.0f);
    gBlocks[0].scalez(3.5f);
    CopySelection(false);
    EXPECT_EQ(gClipboardScale, (std::array<int32_t, 3>{2, 1, 4}));
    PasteClipboard();
    EXPECT_EQ(LastBlockObject().scaleX(), 2.0f);
    EXPECT_EQ(LastBlockObject().scalez(), 4.0f);

    Select(KIND_BLOCK, 0);
    gBlocks[0].scaleX(0.4f);
    gBlocks[0].scalez(0.4f);
    CopySelection(false);
    PasteClipboard();
    EXPECT_EQ(LastBlockObject().scaleX(), 1.0f);
    EXPECT_EQ(LastBlockObject().scalez(), 0.9f);  // a new block is 0.1 short in depth
}

TEST_F(Clipboard, ARampPastesWithItsTurnsAndExactSizes) {
    frmMain.mnu_Ramp_Click();
    clsRamp& ramp = gRamps[0];
    for (int i = 0; i < 3; ++i) ramp.rotate();
    ramp.scaleX(3);
    ramp.Texture("brick.bmp", "B", gTexturePath);
    CopySelection(false);
    PasteClipboard();
    ASSERT_EQ(gRampCount, 1);
    EXPECT_EQ(gRamps[1].GetRotation(), 3);
    EXPECT_EQ(gRamps[1].scaleX(), 3);
    EXPECT_EQ(gRamps[1].scalez(), 2);
    EXPECT_EQ(gRamps[1].GetTextureB(), "brick.bmp");
    EXPECT_EQ(gRamps[1].Ypos(), 1);
    EXPECT_EQ(gRamps[1].Zpos(), 8);
    EXPECT_TRUE(Highlighted(gRamps[1]));
    EXPECT_TRUE(frmMain.cmd_ramp.Enabled);

    // With every ramp deleted, the next paste is a fresh ramp, not the old one turned on.
    selection::DeleteSelected();
    Select(KIND_RAMP, 0);
    selection::DeleteSelected();
    ASSERT_EQ(gRampCount, -1);
    PasteClipboard();
    EXPECT_EQ(gRamps[0].GetRotation(), 3);

    frmMain.mnu_Ramp_Click();  // rotation 0: no turn
    CopySelection(false);
    PasteClipboard();
    EXPECT_EQ(gRamps[2].GetRotation(), 0);
}

TEST_F(Clipboard, APlatformCopiedWhileRunningPastesWithItsGivenDirectionAndStartsWhereItIsPasted) {
    frmMain.mnu_MovingPlatform_Click();
    clsMovingPlatform& running = gMovingPlatforms[0];
    running.Mdist(1);
    running.Mspeed(100);
    running.MloopBack(true);
    running.AlignTexureCoords(0, 4);
    frmMain.cmd_pause_Click();
    for (int step = 0; step < 3; ++step) frmMain.MovePlatforms();
    ASSERT_EQ(running.Mdir(), clsMovingPlatform::kTowardsMinusX);
    CopySelection(false);
    frmMain.mnu_Paste_Click();
    ASSERT_EQ(gPlatformCount, 1);
    const clsMovingPlatform& pasted = gMovingPlatforms[1];
    EXPECT_EQ(pasted.Mdir(), clsMovingPlatform::kTowardsPlusX);
    EXPECT_EQ(pasted.GetinitalMDir(), clsMovingPlatform::kTowardsPlusX);
    EXPECT_EQ(pasted.Mspeed(), 100);
    EXPECT_EQ(pasted.Mdist(), 1);
    EXPECT_TRUE(pasted.MloopBack());
    EXPECT_EQ(pasted.TextAlignTop(), 4);
    EXPECT_EQ(pasted.scaleX(), 2.0f);
    // The menu stopped the platforms, and the pasted one stands where it was pasted.
    EXPECT_TRUE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "UnPause Platforms");
    EXPECT_EQ(XYZ(pasted.GetPosition()), (std::array<float, 3>{0, 0, 8}));
    EXPECT_EQ(XYZ(pasted.GetOrigin()), XYZ(pasted.GetPosition()));
    EXPECT_GE(bed.host.focusRequests, 1);

    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("pasted.lvl")));
    ASSERT_TRUE(FileIO::LoadTrack(bed.folder.File("pasted.lvl")));
    EXPECT_EQ(gMovingPlatforms[1].Zpos(), 8.0f);
}

TEST_F(Clipboard, PastingTwiceStacksTwoObjectsAndSelectsTheSecond) {
    CopySelection(false);
    PasteClipboard();
    PasteClipboard();
    ASSERT_EQ(gBlockCount, 2);
    EXPECT_EQ(XYZ(gBlocks[1].GetPosition()), XYZ(gBlocks[2].GetPosition()));
    EXPECT_EQ(gSelectedIndex, 2);
    EXPECT_FALSE(Highlighted(gBlocks[1]));
    EXPECT_TRUE(Highlighted(gBlocks[2]));
}

TEST_F(Clipboard, CutThenPasteMovesTheObjectToThePastePlace) {
    frmMain.mnu_ice_Click();
    gBlocks[1].Xpos(7);
    frmMain.mnu_cut_Click();
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_FALSE(gHasSelection);
    EXPECT_EQ(frmMain.txt_X.Text, "0");
    frmMain.mnu_Paste_Click();
    ASSERT_EQ(gBlockCount, 1);
    EXPECT_EQ(gBlocks[1].changeactioncode(), 3);
    EXPECT_EQ(gBlocks[1].Xpos(), 0.0f);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedIndex, 1);
}

TEST_F(Clipboard, AStarIsNotCopiedAndACutDeletesIt) {
    frmMain.mnu_Star_Click();
    frmMain.mnu_cut_Click();
    EXPECT_EQ(gStarCount, -1);
    EXPECT_FALSE(gHasSelection);
    EXPECT_FALSE(gClipboardFull);
    frmMain.mnu_Paste_Click();
    EXPECT_EQ(gBlockCount, 0);  // an empty clipboard builds nothing

    Select(KIND_BLOCK, 0);
    CopySelection(false);
    frmMain.mnu_Star_Click();
    CopySelection(false);
    frmMain.mnu_cut_Click();
    PasteClipboard();  // the block copied before
    EXPECT_EQ(gStarCount, -1);
    EXPECT_EQ(gBlockCount, 1);
    EXPECT_EQ(FaceTextures(gBlocks[1]), FaceTextures(gBlocks[0]));
}

TEST_F(Clipboard, PasteBeforeAnyCopyBuildsNothingButTheMenuStillRefreshes) {
    gBlocks[0].scaleY(6);
    frmMain.txt_height.Text = "stale";
    PasteClipboard();
    EXPECT_EQ(frmMain.txt_height.Text, "stale");
    frmMain.mnu_Paste_Click();
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(frmMain.txt_height.Text, "6");
}

TEST_F(Clipboard, CopyOrCutWithNothingSelectedStoresAndDeletesNothing) {
    gHasSelection = false;
    frmMain.mnu_copy_Click();
    frmMain.mnu_cut_Click();
    EXPECT_FALSE(gClipboardFull);
    EXPECT_EQ(gBlockCount, 0);
}

TEST_F(Clipboard, TheEditMenuActsInPlayModeToo) {
    gEditorMode = MODE_PLAY;
    frmMain.mnu_copy_Click();
    frmMain.mnu_Paste_Click();
    EXPECT_EQ(gBlockCount, 1);
}
