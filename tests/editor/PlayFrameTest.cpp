// The main loop's frame in play mode: the keys, a restart when the run is over, the
// collision step, the drawing with the player after the track and the sparks last, then the
// platforms unless paused.
#include <gtest/gtest.h>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/Keyboard.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/PlayScene.h"
#include "world/TrackObjects.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

namespace {

class PlayFrame : public ::testing::Test {
protected:
    PlayScene scene;
};

TEST_F(PlayFrame, KeysAreReadThenTheStepRunsThenThePlayerMovesInTheSameFrame) {
    PlayScene::AddBlock(-2, 0, 0, 4, 1, 40);
    scene.EnterPlayMode();
    PlayScene::Place(0, 1.001f, 2);
    scene.bed.Key(dinput::DIK_UP, true);
    scene.bed.RunFrames(1);
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.02f);
    EXPECT_FLOAT_EQ(gPlayer.Posz(), 2.02f);
    EXPECT_NEAR(gPlayer.PosY(), 1.001f, 1e-6);  // the step held it on the top
    EXPECT_FLOAT_EQ(gCameraEye.Z, -18.0f + 0.02f);
}

TEST_F(PlayFrame, ARunOverAtTheStartOfAFrameRestartsBeforeThatFramesStep) {
    PlayScene::AddBlock(20, 0, 0, 2, 1, 2);
    scene.EnterPlayMode();
    PlayScene::Place(4, -50, 30, 0.1f, -1, 0.5f);
    gCameraEye.Z = 11;
    gParticles.AddStarExplosion(0, 2, 5);
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(1);
    EXPECT_FALSE(gPlayer.DeathStatus());
    EXPECT_EQ(gPlayer.Posx(), 0.0f);
    EXPECT_FLOAT_EQ(gPlayer.PosY(), 3.5f - 0.025f);  // the step ran after the restart, and the draw
    EXPECT_EQ(gPlayer.Posz(), 1.0f);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gParticles.ParticleCount(), 0);
}

TEST_F(PlayFrame, ThePlayerIsDrawnAfterTheWholeTrackAndTheSparksLast) {
    PlayScene::AddBlock(-2, 0, 0, 4, 1, 40);
    PlayScene::AddPlatform(-2, 0, 45, 4, 1, 4, 3, 5, 5);
    PlayScene::AddStar(0, 3, 8);
    scene.EnterPlayMode();
    gParticles.AddStarExplosion(0, 2, 5);
    PlayScene::Place(0, 1.001f, 2);
    scene.bed.RunFrames(1);
    scene.bed.Device().ClearRecording();
    scene.bed.RunFrames(1);
    std::vector<std::string> drawn;
    for (const d3d::DrawCall& draw : scene.bed.Device().DrawCalls()) {
        const std::string path = draw.TexturePath();
        const std::string folder = path.substr(0, path.find_last_of('/'));
        const std::string what = draw.Fvf == d3d::FVF_SCREENVERTEX ? "background"
                                 : draw.Type == d3d::PT_POINTLIST  ? "sparks"
                                                                   : folder.substr(folder.find_last_of('/') + 1);
        if (drawn.empty() || drawn.back() != what) drawn.push_back(what);
    }
    // The track's faces, the star's skins, then the vehicle's skins, its shadow and the sparks.
    ASSERT_GE(drawn.size(), 5u);
    EXPECT_EQ(drawn.front(), "background");
    EXPECT_EQ(drawn[1], "textures");
    EXPECT_EQ(drawn[2], "skins");  // the star
    EXPECT_EQ(drawn.back(), "sparks");
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "textures"), 1);  // no track object after the player
}

TEST_F(PlayFrame, PlatformsMoveAfterTheDrawingUnlessPausedAndAPausedOneHoldsThePlayerStill) {
    PlayScene::AddPlatform(-2, 0, 0, 4, 1, 20, 3, 10, 5);
    PlayScene::AddBlock(20, 0, 0, 2, 1, 2);
    scene.EnterPlayMode();
    PlayScene::Place(0, 1.001f, 2);
    scene.bed.RunFrames(1);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), -1.9f);
    EXPECT_NEAR(gPlayer.Posx(), 0.1f, 1e-6);  // carried by the move it makes this frame

    gPlatformsPaused = true;
    scene.bed.RunFrames(5);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), -1.9f);
    EXPECT_NEAR(gPlayer.Posx(), 0.1f, 1e-6);
    EXPECT_NEAR(gPlayer.PosY(), 1.001f, 1e-6);
}

TEST_F(PlayFrame, ObjectsFarFromThePlayerAreDrawnAndMoveOnToo) {
    PlayScene::AddBlock(-2, 0, 0, 4, 1, 10);
    PlayScene::AddBlock(-2, 30, 400, 4, 1, 10);
    PlayScene::AddStar(0, 5, 300);
    scene.EnterPlayMode();
    gBlocks[1].Fall();
    const int32_t angle = gStars[0].GetSpinAngle();
    scene.bed.RunFrames(3);
    EXPECT_FLOAT_EQ(gBlocks[1].Ypos(), 30.0f - 0.025f - 0.05f - 0.075f);
    EXPECT_EQ(gStars[0].GetSpinAngle(), angle + 15);
}

TEST_F(PlayFrame, EditModeRunsNoStepAndDrawsNoPlayer) {
    PlayScene::Place(0, 10, 2);
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(2);
    EXPECT_EQ(gPlayer.PosY(), 10.0f);
    EXPECT_TRUE(gPlayer.DeathStatus());
}

}  // namespace
