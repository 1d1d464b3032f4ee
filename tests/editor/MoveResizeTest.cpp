// Moving and resizing the selection: the bounds and refusals of each kind, and the collision
// planes following the object.
#include <gtest/gtest.h>

#include <limits>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

using selection::MoveSelected;
using selection::ScaleSelected;

namespace {

const char* const kPauseFirst = "You must pause the moving platforms before you can alter them";

}  // namespace

class MoveResize : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    clsblock& Block() { return gBlocks[0]; }
    EditorTestBed bed;
};

TEST_F(MoveResize, ABlockStaysWithinThePositionControlsRanges) {
    struct Case {
        float from;
        int32_t delta;
        float to;
    };
    for (const Case& c : {Case{50, 1, 50}, Case{-50, -1, -50}, Case{49.5f, 1, 49.5f}, Case{49.0f, 1, 50.0f},
                          Case{-49.5f, -1, -49.5f}}) {
        SCOPED_TRACE(c.from);
        Block().Xpos(c.from);
        MoveSelected(c.delta, 0, 0);
        EXPECT_EQ(Block().Xpos(), c.to);
    }
    Block().Ypos(0);
    MoveSelected(0, -1, 0);
    EXPECT_EQ(Block().Ypos(), 0.0f);
    Block().Ypos(50);
    MoveSelected(0, 1, 0);
    EXPECT_EQ(Block().Ypos(), 50.0f);
    Block().Zpos(2500);
    MoveSelected(0, 0, 1);
    EXPECT_EQ(Block().Zpos(), 2500);
    Block().Zpos(0);
    MoveSelected(0, 0, -1);
    EXPECT_EQ(Block().Zpos(), 0);
    EXPECT_TRUE(bed.messages.empty());  // refusals are silent
}

TEST_F(MoveResize, EachAxisOfABlockMovesOnItsOwn) {
    Block().Xpos(50);
    MoveSelected(1, 1, 0);
    EXPECT_EQ(Block().Xpos(), 50.0f);
    EXPECT_EQ(Block().Ypos(), 1.0f);
    EXPECT_EQ(frmMain.txt_Y.Text, "1");
}

TEST_F(MoveResize, EveryBlockMoveSnapsItsDepthToAWholeUnit) {
    struct Case {
        float z;
        int32_t dx, dz;
        float to;
    };
    for (const Case& c : {Case{12.4f, 0, 1, 13}, Case{12.4f, 1, 0, 12}, Case{12.5f, 1, 0, 12}, Case{12.5f, 0, 1, 13}}) {
        SCOPED_TRACE(testing::Message() << c.z << " by " << c.dx << ", " << c.dz);
        gBlocks[0].create(0, 0, c.z, 1, 1, 1);
        MoveSelected(c.dx, 0, c.dz);
        EXPECT_EQ(Block().GetPosition().Z, c.to);
    }
}

TEST_F(MoveResize, RampsAndStarsMoveInWholeUnitsWithoutBounds) {
    frmMain.mnu_Ramp_Click();
    gRamps[0].Xpos(50);
    MoveSelected(1, 0, 0);
    EXPECT_EQ(gRamps[0].Xpos(), 51);
    EXPECT_EQ(frmMain.UpDownX.Value, 50);  // shown at the control's limit
    gRamps[0].Ypos(0);
    MoveSelected(0, -1, 0);
    EXPECT_EQ(gRamps[0].Ypos(), 0);
    EXPECT_TRUE(Highlighted(gRamps[0]));

    frmMain.mnu_Star_Click();
    MoveSelected(-60, 0, 3000);
    EXPECT_EQ(gStars[0].Xpos(), -60);
    EXPECT_EQ(gStars[0].Zpos(), 3001);
    gStars[0].Ypos(0);
    MoveSelected(0, -1, 0);
    EXPECT_EQ(gStars[0].Ypos(), 0);
    gStars[0].Xpos(std::numeric_limits<int32_t>::max());
    MoveSelected(1, 0, 0);  // past the whole numbers' end: not taken
    EXPECT_EQ(gStars[0].Xpos(), std::numeric_limits<int32_t>::max());
}

TEST_F(MoveResize, APlatformMovesAndResizesOnlyWhilePaused) {
    frmMain.mnu_MovingPlatform_Click();  // pauses
    clsMovingPlatform& platform = gMovingPlatforms[0];
    frmMain.cmd_pause_Click();  // running
    MoveSelected(1, 0, 0);
    ScaleSelected(0, 3, 0);
    EXPECT_EQ(bed.messages, std::vector<std::string>(2, kPauseFirst));
    EXPECT_EQ(platform.Xpos(), 0.0f);
    EXPECT_EQ(platform.scaleY(), 1.0f);
    EXPECT_TRUE(Highlighted(platform));  // the refresh ran

    frmMain.cmd_pause_Click();
    MoveSelected(60, 1, -1);  // no bounds, but Y and Z keep above -1
    ScaleSelected(0, 3, 0);
    EXPECT_EQ(platform.Xpos(), 60.0f);
    EXPECT_EQ(platform.Ypos(), 1.0f);
    EXPECT_EQ(platform.Zpos(), 0.0f);
    EXPECT_EQ(platform.GetInitalXpos(), 60.0f);  // where a pause puts it back
    EXPECT_EQ(platform.scaleY(), 3.0f);
    EXPECT_TRUE(Highlighted(platform));
}

TEST_F(MoveResize, TheFinishJumpPadsAndTurboPadsKeepTheirSize) {
    for (auto insert : {&editor::MainForm::mnu_Endlevel_Click, &editor::MainForm::mnu_BouncePad_Click,
                        &editor::MainForm::mnu_turbo_Click}) {
        (frmMain.*insert)();
        const float height = gBlocks[static_cast<size_t>(gBlockCount)].scaleY();
        ScaleSelected(0, 4, 0);
        EXPECT_EQ(gBlocks[static_cast<size_t>(gBlockCount)].scaleY(), height);
    }
    EXPECT_EQ(bed.messages, std::vector<std::string>(3, "This block type cannot be resized"));

    frmMain.mnu_building_Click();
    ScaleSelected(5, 6, 7);
    EXPECT_EQ(gBlocks[4].scaleX(), 5.0f);
    EXPECT_EQ(gBlocks[4].scaleY(), 6.0f);
    EXPECT_EQ(gBlocks[4].scalez(), 7.0f);
    EXPECT_TRUE(Highlighted(gBlocks[4]));
    frmMain.mnu_ice_Click();
    ScaleSelected(0, 0, 9);
    EXPECT_EQ(gBlocks[5].scalez(), 9.0f);
    EXPECT_EQ(gBlocks[5].scaleX(), 2.0f);
    EXPECT_EQ(bed.messages.size(), 3u);
}

TEST_F(MoveResize, NoSizeChangesNothingButStillRefreshes) {
    frmMain.UpDown1.Value = 7;  // a stale panel
    ScaleSelected(0, 0, 0);
    EXPECT_EQ(Block().scaleX(), 2.0f);
    EXPECT_EQ(frmMain.UpDown1.Value, 1);

    frmMain.mnu_Ramp_Click();
    gRamps[0].UnSelectramp();
    gRamps[0].draw();  // a buffer of the vertices as they are
    bed.Device().ClearRecording();
    ScaleSelected(0, 0, 0);  // the ramp's vertex buffer is made again even so, at its next draw
    gRamps[0].draw();
    EXPECT_GE(bed.Device().CountOf(d3d::CallKind::CreateVertexBuffer), 1u);
    EXPECT_EQ(gRamps[0].scalez(), 2);
    ScaleSelected(40000, -3, 5);  // a size a ramp cannot hold, and none
    EXPECT_EQ(gRamps[0].scaleX(), 1);
    EXPECT_EQ(gRamps[0].scaleY(), 1);
    EXPECT_EQ(gRamps[0].scalez(), 5);

    frmMain.mnu_Star_Click();
    ScaleSelected(3, 3, 3);
    EXPECT_EQ(frmMain.UpDown1.Value, 1);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(MoveResize, NothingSelectedMovesNothingAndResizesNothing) {
    gHasSelection = false;
    frmMain.UpDownX.Value = 7;
    MoveSelected(1, 1, 1);
    EXPECT_EQ(Block().Xpos(), 0.0f);
    EXPECT_EQ(frmMain.UpDownX.Value, 7);  // a move without a selection does not even refresh
    ScaleSelected(3, 3, 3);
    EXPECT_EQ(Block().scaleX(), 2.0f);
    EXPECT_EQ(frmMain.UpDownX.Value, 0);  // a resize does

    gHasSelection = true;
    gSelectedIndex = 5;  // an object that is gone
    MoveSelected(1, 0, 0);
    ScaleSelected(3, 3, 3);
    EXPECT_EQ(Block().Xpos(), 0.0f);
    EXPECT_EQ(Block().scaleX(), 2.0f);
}

TEST_F(MoveResize, TheCollisionPlanesFollowEveryMoveAndResize) {
    // Picks and test runs find the object where it is drawn.
    MoveSelected(3, 0, 0);
    EXPECT_EQ(Block().GetCollisionPlane(1).D, 3.0f);  // the left side at x = 3, normal -X
    ScaleSelected(0, 5, 0);
    EXPECT_EQ(Block().GetCollisionPlane(3).D, -5.0f);  // the top at y = 5

    frmMain.mnu_Ramp_Click();
    MoveSelected(4, 0, 0);
    EXPECT_EQ(gRamps[0].GetCollisionPlane(1).D, 4.0f);
    ScaleSelected(3, 0, 0);
    EXPECT_EQ(gRamps[0].GetCollisionPlane(2).D, -7.0f);  // the right side at x = 7

    frmMain.mnu_MovingPlatform_Click();
    MoveSelected(-2, 0, 0);
    EXPECT_EQ(gMovingPlatforms[0].GetCollisionPlane(1).D, -2.0f);
    ScaleSelected(4, 0, 0);
    EXPECT_EQ(gMovingPlatforms[0].GetCollisionPlane(2).D, -2.0f);  // the right side at x = 2
    frmMain.Combo1.ListIndex = 2;
    frmMain.Combo1_Click();
    EXPECT_EQ(gMovingPlatforms[0].GetCollisionPlane(2).D, -2.0f);
}

TEST_F(MoveResize, ResettingNoPlatformsDoesNothing) {
    selection::ResetMovingPlatforms();
    gMovingPlatforms.resize(2);  // objects beyond the track's count are not the track's
    clsMovingPlatform& stray = gMovingPlatforms[1];
    stray.create(0, 0, 0);
    stray.Xpos(4);
    stray.Mdir(3);
    stray.Mspeed(50);
    stray.Mdist(5);
    stray.move();
    selection::ResetMovingPlatforms();
    EXPECT_EQ(gPlatformCount, -1);
    EXPECT_EQ(stray.Xpos(), 4.5f);
}
