// The test player's drawing in play mode, on the editor's rules and a clock moved by hand: it
// moves the vehicle, lets the camera follow along Z, turns it on jump pads and plays its
// explosion to the end of the run.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/EditorGlobals.h"
#include "platform/D3DXMath.h"
#include "shared/DeviceAndCamera.h"
#include "shared/KeyboardState.h"
#include "tests/editor/support/PlayScene.h"
#include "world/clsPlayer.h"

namespace {

class PlayerDrawing : public ::testing::Test {
protected:
    d3d::RecordingDevice& Device() { return scene.bed.Device(); }
    // The world transform of the vehicle's mesh in one draw.
    d3d::Matrix MeshTransform() {
        Device().ClearRecording();
        gPlayer.draw();
        const auto& draws = Device().DrawCalls();
        return draws.empty() ? d3d::Matrix{} : draws.front().State.World;
    }
    PlayScene scene;
};

TEST_F(PlayerDrawing, EveryRunStartsHalfAUnitHigherThanTheGamesAtRest) {
    gPlayer.ForwardVelocity(0.5f);
    gPlayer.SetBouncePad();
    gPlayer.explode();
    gPlayer.DeathStatus(true);
    gPlayer.resetPLayer();
    EXPECT_EQ(gPlayer.Posx(), 0.0f);
    EXPECT_EQ(gPlayer.PosY(), 3.5f);
    EXPECT_EQ(gPlayer.Posz(), 1.0f);
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.0f);
    EXPECT_FALSE(gPlayer.getexplodeStatus() || gPlayer.DeathStatus() || gPlayer.BounceFlag());
    EXPECT_EQ(gPlayer.FlipAngle(), 720.0f);
    EXPECT_EQ(gPlayer.ExplosionFrame(), 1);
}

TEST_F(PlayerDrawing, TheCameraFollowsOnlyAlongZByTheForwardSpeed) {
    gPlayer.HorizontalVelocity(0.12f);
    gPlayer.verticalvelocity(0.3f);
    gPlayer.ForwardVelocity(0.46f);
    gPlayer.draw();
    gPlayer.draw();
    EXPECT_FLOAT_EQ(gPlayer.Posx(), 0.24f);
    EXPECT_FLOAT_EQ(gPlayer.PosY(), 4.1f);
    EXPECT_FLOAT_EQ(gPlayer.Posz(), 1.92f);
    EXPECT_EQ(gCameraEye.X, 0.0f);
    EXPECT_EQ(gCameraEye.Y, 25.0f);
    EXPECT_FLOAT_EQ(gCameraEye.Z, -18.0f + 0.92f);
    EXPECT_EQ(gCameraLookAt.X, 0.0f);
    EXPECT_EQ(gCameraLookAt.Y, 8.0f);
    EXPECT_FLOAT_EQ(gCameraLookAt.Z, 0.92f);
    const d3d::Matrix view = Device().GetTransform(d3d::TS_VIEW);
    EXPECT_EQ(view.m43, d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, {0, 1, 0}).m43);
}

TEST_F(PlayerDrawing, AJumpPadSpinShowsTwentyFiveAnglesWithoutTheIceSkidTurn) {
    gKeyboardState.fill(0);  // sliding right on ice with the Right key up would turn the vehicle
    gPlayer.SetPlayerOnIce();
    gPlayer.HorizontalVelocity(0.12f);
    gPlayer.SetBouncePad();
    int shown = 0;
    while (gPlayer.BounceFlag() && shown < 40) {
        const float angle = gPlayer.FlipAngle();
        const d3d::Matrix world = MeshTransform();
        const d3d::Matrix spin = d3dx::MatrixMultiply(
            d3dx::MatrixMultiply(d3dx::MatrixTranslation(0, 0, 0.4f),
                                 d3dx::MatrixRotationY(static_cast<float>(-angle * 0.017453292))),
            d3dx::MatrixTranslation(0, 0, -0.4f));
        const d3d::Matrix expected =
            d3dx::MatrixMultiply(spin, d3dx::MatrixTranslation(gPlayer.Posx(), gPlayer.PosY(), gPlayer.Posz()));
        EXPECT_NEAR(world.m11, expected.m11, 1e-5) << angle;
        EXPECT_NEAR(world.m13, expected.m13, 1e-5) << angle;
        EXPECT_NEAR(world.m41, expected.m41, 1e-5) << angle;
        EXPECT_NEAR(world.m43, expected.m43, 1e-5) << angle;
        EXPECT_EQ(angle, 30.0f * static_cast<float>(shown));
        ++shown;
    }
    EXPECT_EQ(shown, 25);  // 0 to 720: 720 still turns, the step to 750 ends the spin
    EXPECT_EQ(gPlayer.FlipAngle(), 750.0f);
    // The spin over, the skid shows again.
    EXPECT_NEAR(MeshTransform().m11, std::cos(0.17453292f), 1e-6);
}

TEST_F(PlayerDrawing, TheExplosionAdvancesAfterMoreThan85MsAndEndsTheRunAtFrameSixteen) {
    gPlayer.HorizontalVelocity(0.12f);
    gPlayer.ForwardVelocity(0.5f);
    gPlayer.explode();
    const d3d::Vector3 eye = gCameraEye;
    gPlayer.draw();  // the first call takes over the timer of the last advance
    const int32_t first = gPlayer.ExplosionFrame();
    scene.bed.clock.AdvanceMs(85);
    gPlayer.draw();
    EXPECT_EQ(gPlayer.ExplosionFrame(), first);  // exactly 85 ms: not yet
    scene.bed.clock.AdvanceMs(1);
    gPlayer.draw();
    EXPECT_EQ(gPlayer.ExplosionFrame(), first + 1);

    while (gPlayer.ExplosionFrame() < 16) {
        ASSERT_FALSE(gPlayer.DeathStatus()) << gPlayer.ExplosionFrame();
        scene.bed.clock.AdvanceMs(200);  // a long pause still advances one frame a call
        const int32_t before = gPlayer.ExplosionFrame();
        gPlayer.draw();
        ASSERT_EQ(gPlayer.ExplosionFrame(), before + 1);
    }
    EXPECT_FALSE(gPlayer.DeathStatus());  // frame 16 reached in this call
    gPlayer.draw();
    EXPECT_TRUE(gPlayer.DeathStatus());  // the call that begins at 16
    EXPECT_TRUE(scene.bed.messages.empty());

    // Nothing moved meanwhile.
    EXPECT_EQ(gPlayer.Posx(), 0.0f);
    EXPECT_EQ(gPlayer.Posz(), 1.0f);
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), 0.12f);
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.5f);
    EXPECT_EQ(gCameraEye.Z, eye.Z);
}

}  // namespace
