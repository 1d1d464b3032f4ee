#include <gtest/gtest.h>

#include <set>

#include "game/LevelStructure.h"
#include "game/LevelCompletion.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/frmGame.h"
#include "tests/support/play/PlayRig.h"
#include "ui/GUI.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

using d3d::CallKind;

namespace {

// Level 1 with blocks told apart by their X (their index); the player at z = 10.
class Frame : public ::testing::Test {
protected:
    void SetUp() override {
        gCurrentLevel = 1;
        gLevelRecords.assign(2, LevelRecord{});
        gBlocks.clear();
        gMovingPlatforms.assign(1, clsMovingPlatform{});
        gMovingPlatforms[0].create(100, 0, 1000);
        gLevelRecords[1].PlatformCount = 0;
        gPlayer.Posz(10);
    }

    void TearDown() override {
        gLevelRecords.assign(1, LevelRecord{});
        gBlocks.clear();
        gMovingPlatforms.clear();
        gGameState = STATE_LOADED;
    }

    void AddBlock(float z, float depth) {
        clsblock block;
        block.create(static_cast<float>(gBlocks.size()), 0, z, 1, 1, 1);
        block.scalez(depth);
        gBlocks.push_back(block);
        gLevelRecords[1].BlockCount = static_cast<int32_t>(gBlocks.size()) - 1;
    }

    // The X of every object drawn since the last call.
    std::set<float> Drawn() {
        std::set<float> xs;
        for (const auto& call : rig.device.CallsOf(CallKind::SetTransform))
            if (call.State == d3d::TS_WORLD) xs.insert(call.Transform.m41);
        rig.device.ClearRecording();
        return xs;
    }

    // Menu buttons drawn since the recording was last cleared: screen quads sent from memory.
    int ButtonDraws() const {
        int count = 0;
        for (const auto& draw : rig.device.DrawCalls())
            count += draw.FromMemory && draw.Fvf == d3d::FVF_SCREENVERTEX;
        return count;
    }

    PlayRig rig;
};

}  // namespace

TEST_F(Frame, PlayDrawsBlocksOnlyInsideTheDepthWindowAroundThePlayer) {
    AddBlock(60, 1);      // 0: begins exactly 50 ahead, not drawn
    AddBlock(59, 1);      // 1: just inside
    AddBlock(-20, 5);     // 2: ends exactly 25 behind, not drawn
    AddBlock(-20, 5.5f);  // 3: reaches just past it
    AddBlock(210, 1);     // 4: far ahead
    rig.device.ClearRecording();
    frmGame::DrawLevel(false);
    EXPECT_EQ(Drawn(), (std::set<float>{1, 3, 100}));  // and the platform, always

    frmGame::DrawLevel(true);  // level select shows everything
    EXPECT_EQ(Drawn(), (std::set<float>{0, 1, 2, 3, 4, 100}));
}

TEST_F(Frame, LoopsStopAtTheLevelsCountsNotTheArraysSizes) {
    AddBlock(10, 1);
    AddBlock(11, 1);
    gLevelRecords[1].BlockCount = 0;  // the second block is left over from another level
    gLevelRecords[1].PlatformCount = -1;
    rig.device.ClearRecording();
    frmGame::DrawLevel(false);
    EXPECT_EQ(Drawn(), (std::set<float>{0}));
}

TEST_F(Frame, PauseMenuShowsTheTrackAndButtonsButNoVehicleOrText) {
    AddBlock(10, 1);
    gButtons[2].setrenderpass(1);  // a blank button still draws its quad
    gButtons[2].enabled(true);
    gPlayer.ForwardVelocity(0.5f);
    gGameState = STATE_PAUSE;
    rig.device.ClearRecording();
    frmGame::Render();
    EXPECT_EQ(ButtonDraws(), 1);
    EXPECT_EQ(Drawn(), (std::set<float>{0, 100}));
    EXPECT_EQ(gPlayer.Posz(), 10.0f);  // the player was not drawn, so it did not move

    gGameState = STATE_PLAYING;
    frmGame::Render();
    EXPECT_EQ(ButtonDraws(), 0);  // no buttons in play
    EXPECT_EQ(gPlayer.Posz(), 10.5f);
    gButtons.Clear();
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
