// The track world linked on its own and played under rules like the editor's: its numbers,
// queries and hooks come from gWorldRules alone.
#include <cmath>

#include <gtest/gtest.h>

#include "platform/D3DXMath.h"
#include "shared/KeyboardState.h"
#include "shared/TrackRecords.h"
#include "tests/world/EditorRulesWorld.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

using WorldUnderEditorRules = EditorRulesWorld;

TEST_F(WorldUnderEditorRules, ThePlayerStartsAtTheRulesHeightAndRestsTheRulesGapAboveATop) {
    EXPECT_FLOAT_EQ(gPlayer.PosY(), 3.5f);
    AddBlock(-2, 0, 0, 4, 1, 10);
    Place(0, 1.001f, 2);
    for (int step = 0; step < 10; ++step) {
        Frame();
        EXPECT_NEAR(gPlayer.PosY(), 1.001f, 1e-6) << step;
        EXPECT_TRUE(gCanJump) << step;
    }
    // Landing from above also ends the gap above the top.
    Place(0, 1.3f, 2);
    gPlayer.verticalvelocity(-0.5f);
    Frame();
    EXPECT_NEAR(gPlayer.PosY(), 1.001f, 1e-6);
}

TEST_F(WorldUnderEditorRules, TheFinishEndsTheRunThroughTheRulesAndPlaysNothing) {
    AddBlock(-2, 0, 0, 4, 1, 10, ACTION_FINISH);
    AddStar(0, 1, 2);  // touched in the same step: the finish ends the step before the stars
    Place(0, 1.001f, 2);
    CollisionDetection::CheckCollisions();
    EXPECT_TRUE(gPlayer.DeathStatus());
    EXPECT_EQ(heard.finishes, 1);
    EXPECT_TRUE(heard.sounds.empty());
    EXPECT_TRUE(gStars[0].visible());
    EXPECT_EQ(heard.starsTaken, 0);
}

TEST_F(WorldUnderEditorRules, GravityIsAskedEveryStepSoAChangeActsOnTheNext) {
    Place(0, 20, 2);
    CollisionDetection::CheckCollisions();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.025f);
    gravity = 0.0125f;
    CollisionDetection::CheckCollisions();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.0375f);

    // A falling block speeds up by the gravity of the moment it is drawn.
    AddBlock(10, 5, 0, 2, 1, 2);
    gBlocks[0].Fall();
    gBlocks[0].draw();
    EXPECT_FLOAT_EQ(gBlocks[0].fallvel(), 0.0125f);
    gravity = 0.025f;
    gBlocks[0].draw();
    EXPECT_FLOAT_EQ(gBlocks[0].fallvel(), 0.0375f);
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 5 - 0.0125f - 0.0375f);
}

TEST_F(WorldUnderEditorRules, LandingOnAFallingBlockLiftsThePlayerByTheRulesGap) {
    AddBlock(-2, 0, 0, 4, 1, 10, ACTION_FALLING);
    Place(0, 1.001f, 2);
    CollisionDetection::CheckCollisions();
    const clsblock& block = gBlocks[0];
    EXPECT_FLOAT_EQ(gPlayer.PosY(), static_cast<float>(0.0 + 1.0 + block.fallvel() + 0.001));
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), static_cast<float>(-block.fallvel() - 0.001));
}

TEST_F(WorldUnderEditorRules, BelowTheRulesFallLimitTheRunEndsWithoutAFallSound) {
    Place(0, -12, 2);  // inside the game's fall-sound band: the editor's band is empty
    gravity = 0;
    CollisionDetection::CheckCollisions();
    EXPECT_TRUE(heard.sounds.empty());
    Place(0, -40, 2);
    CollisionDetection::CheckCollisions();
    EXPECT_FALSE(gPlayer.DeathStatus());
    Place(0, -40.01f, 2);
    CollisionDetection::CheckCollisions();
    EXPECT_TRUE(gPlayer.DeathStatus());
    EXPECT_EQ(heard.falls, 1);
    EXPECT_TRUE(heard.sounds.empty());
}

TEST_F(WorldUnderEditorRules, OnlyObjectsUpToTheRulesBoundsTakePartAndNoneBeyondTheArrays) {
    AddBlock(-2, 0, 0, 4, 1, 10);
    Place(0, 1.001f, 2);
    blockBound = -1;  // the editor keeps the slot of the last block it deleted
    EXPECT_EQ(CollisionDetection::GatherNearbyPlanes(), 0);
    ShadowCorner corner;
    const d3d::Vector3 ground = gShadow.FindGroundPoint({0, 1.4f, 2}, corner, 1);
    EXPECT_FLOAT_EQ(ground.Y, 0.0f);
    EXPECT_EQ(corner.Kind, GROUND_NONE);

    blockBound = 5;  // a bound past the array is lowered to what it holds
    EXPECT_EQ(CollisionDetection::GatherNearbyPlanes(), 5);
    EXPECT_EQ(LastBlock(), 0);
}

TEST_F(WorldUnderEditorRules, BlocksHopAndStarsSpinOnEveryDrawWhileTheRulesAnimate) {
    AddBlock(0, 2, 0, 1, 1, 1);
    AddStar(0, 5, 0);
    gBlocks[0].Bounce();
    gBlocks[0].draw();
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 2.0f);  // t = -1: 1 - t^2 = 0
    gBlocks[0].draw();
    EXPECT_GT(gBlocks[0].Ypos(), 2.0f);
    for (int i = 0; i < 72; ++i) gStars[0].draw();
    EXPECT_EQ(gStars[0].GetSpinAngle(), 360);
    gStars[0].draw();
    EXPECT_EQ(gStars[0].GetSpinAngle(), 1);

    gWorldRules.Animating = [] { return false; };
    const float y = gBlocks[0].Ypos();
    gBlocks[0].draw();
    gStars[0].draw();
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), y);
    EXPECT_EQ(gStars[0].GetSpinAngle(), 1);
}

TEST_F(WorldUnderEditorRules, TheJumpPadSpinReplacesTheIceSkidTurn) {
    gravity = 0;
    gKeyboardState.fill(0);  // the Right key is up: sliding right on ice would turn the vehicle
    auto firstWorldTransform = [this] {
        for (const d3d::RecordedCall& call : device.CallsOf(d3d::CallKind::SetTransform))
            if (call.State == d3d::TS_WORLD) return call.Transform;
        return d3d::Matrix{};
    };
    Place(0, 10, 2);
    gPlayer.SetPlayerOnIce();
    gPlayer.HorizontalVelocity(0.12f);
    gPlayer.SetBouncePad();  // the spin starts at 0 degrees
    device.ClearRecording();
    gPlayer.draw();
    const d3d::Matrix spinOnly = firstWorldTransform();
    const d3d::Matrix expected = d3dx::MatrixTranslation(gPlayer.Posx(), gPlayer.PosY(), gPlayer.Posz());
    const float got[] = {spinOnly.m11, spinOnly.m13, spinOnly.m31, spinOnly.m33, spinOnly.m41, spinOnly.m43};
    const float want[] = {expected.m11, expected.m13, expected.m31, expected.m33, expected.m41, expected.m43};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << i;

    gWorldRules.SpinKeepsIceSkid = true;  // the game's way: the skid turn stays under the spin
    gPlayer.SetBouncePad();
    device.ClearRecording();
    gPlayer.draw();
    EXPECT_GT(std::abs(firstWorldTransform().m13), 0.1f);
}

TEST_F(WorldUnderEditorRules, KillJumpAndExplosionReachTheProgramOnlyThroughTheHooks) {
    gPlayer.Jump(false);
    EXPECT_EQ(heard.jumps, 0);
    gPlayer.Jump(true);
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.35f);
    EXPECT_EQ(heard.jumps, 1);
    EXPECT_EQ(heard.sounds, std::vector<int16_t>{1});

    AddBlock(-2, 0, 0, 4, 1, 10, ACTION_INSTANTKILL);
    Place(0, 1.001f, 2);
    gPlayer.verticalvelocity(0);
    CollisionDetection::CheckCollisions();
    EXPECT_TRUE(gPlayer.getexplodeStatus());
    EXPECT_EQ(heard.kills, 1);
    gPlayer.Jump(true);  // no jump while exploding
    EXPECT_EQ(heard.jumps, 1);
    for (int frame = 0; frame < 40 && !gPlayer.DeathStatus(); ++frame) {
        clock.AdvanceMs(86);
        gPlayer.draw();
    }
    EXPECT_TRUE(gPlayer.DeathStatus());
    EXPECT_EQ(heard.explosionEnds, 1);
}
