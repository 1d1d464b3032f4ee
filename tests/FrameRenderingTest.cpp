#include <gtest/gtest.h>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/StandIns.h"
#include "game/frmGame.h"
#include "tests/support/PlayRig.h"
#include "world/clsPlayer.h"

using d3d::CallKind;

namespace {

// Level 1 with blocks at the given (Zpos, depth); the player at z = 10.
class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        gCurrentLevel = 1;
        gLevelRecords.assign(2, LevelRecord{});
        gBlocks.clear();
        gRamps.clear();
        gMovingPlatforms.assign(1, StandInTrackObject{1000, 1, 0});
        gStars.clear();
        gLevelRecords[1].PlatformCount = 0;
        gPlayer.Posz(10);
    }

    void TearDown() override {
        gLevelRecords.clear();
        gBlocks.clear();
        gMovingPlatforms.clear();
        gGameState = STATE_LOADED;
    }

    void AddBlock(int32_t z, float depth) {
        gBlocks.push_back({z, depth, 0});
        gLevelRecords[1].BlockCount = static_cast<int32_t>(gBlocks.size()) - 1;
    }

    PlayRig rig;
};

}  // namespace

TEST_F(Frame, PlayDrawsBlocksOnlyInsideTheDepthWindowAroundThePlayer) {
    AddBlock(60, 1);      // begins exactly 50 ahead: not drawn
    AddBlock(59, 1);      // just inside
    AddBlock(-20, 5);     // ends exactly 25 behind: not drawn
    AddBlock(-20, 5.5f);  // reaches just past it
    AddBlock(210, 1);     // far ahead
    frmGame::DrawLevel(false);
    EXPECT_EQ(gBlocks[0].DrawCount, 0);
    EXPECT_EQ(gBlocks[1].DrawCount, 1);
    EXPECT_EQ(gBlocks[2].DrawCount, 0);
    EXPECT_EQ(gBlocks[3].DrawCount, 1);
    EXPECT_EQ(gBlocks[4].DrawCount, 0);
    EXPECT_EQ(gMovingPlatforms[0].DrawCount, 1);  // platforms are always drawn

    frmGame::DrawLevel(true);  // level select shows everything
    EXPECT_EQ(gBlocks[0].DrawCount, 1);
    EXPECT_EQ(gBlocks[4].DrawCount, 1);
}

TEST_F(Frame, LoopsStopAtTheLevelsCountsNotTheArraysSizes) {
    AddBlock(10, 1);
    AddBlock(11, 1);
    gLevelRecords[1].BlockCount = 0;  // the second block is left over from another level
    gLevelRecords[1].PlatformCount = -1;
    frmGame::DrawLevel(false);
    EXPECT_EQ(gBlocks[0].DrawCount, 1);
    EXPECT_EQ(gBlocks[1].DrawCount, 0);
    EXPECT_EQ(gMovingPlatforms[0].DrawCount, 0);
}

TEST_F(Frame, PauseMenuShowsTheTrackAndButtonsButNoVehicleOrText) {
    AddBlock(10, 1);
    gButtons[2].Enabled = true;
    gPlayer.ForwardVelocity(0.5f);
    gGameState = STATE_PAUSE;
    frmGame::Render();
    EXPECT_EQ(gBlocks[0].DrawCount, 1);
    EXPECT_EQ(gButtons[2].DrawCount, 1);
    EXPECT_EQ(gPlayer.Posz(), 10.0f);  // the player was not drawn, so it did not move

    gGameState = STATE_PLAYING;
    frmGame::Render();
    EXPECT_EQ(gButtons[2].DrawCount, 1);  // no buttons in play
    EXPECT_EQ(gPlayer.Posz(), 10.5f);
    gButtons[2] = StandInButton{};
}

TEST_F(Frame, OneClearScenePresentPerFrameAndNoneWhileTheDeviceIsLost) {
    gGameState = STATE_MAINMENU;
    frmGame::Render();
    EXPECT_EQ(rig.device.CountOf(CallKind::Clear), 1u);
    EXPECT_EQ(rig.device.CountOf(CallKind::BeginScene), 1u);
    EXPECT_EQ(rig.device.CountOf(CallKind::Present), 1u);

    rig.device.ClearRecording();
    rig.device.SetCooperativeLevelResult(d3d::D3DERR_DEVICENOTRESET);
    frmGame::Render();
    EXPECT_EQ(rig.device.CountOf(CallKind::Clear), 0u);
    EXPECT_EQ(rig.device.CountOf(CallKind::Present), 0u);
}
