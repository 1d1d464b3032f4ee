#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/OptionsFile.h"
#include "platform/D3DXMath.h"
#include "tests/support/play/PlayRig.h"
#include "world/clsPlayer.h"

using d3d::CallKind;

namespace {

class Player : public ::testing::Test {
protected:
    // Draws one play step at the nominal 40 ms.
    void Step() {
        rig.clock.AdvanceMs(40);
        gPlayer.draw();
    }

    PlayRig rig;
};

}  // namespace

TEST_F(Player, SpeedRulesFormSumsInDoubleAndStoreSingles) {
    int calls = 0;
    while (gPlayer.ForwardVelocity() < 0.6 && calls < 100) {
        gPlayer.accelerate();
        ++calls;
    }
    EXPECT_EQ(calls, 30);  // float steps would take 31 and stop at 0.62
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.6000000238418579f);
    gPlayer.accelerate();
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.6000000238418579f);

    gPlayer.ForwardVelocity(0.59f);
    gPlayer.accelerate();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.61f);
    gPlayer.accelerate();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.61f);

    gPlayer.ForwardVelocity(0.03f);
    gPlayer.deccelerate();
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.0f);
    gPlayer.SetPlayerOnIce();
    gPlayer.ForwardVelocity(0.5f);
    gPlayer.deccelerate();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.49f);
    gPlayer.setplayernotonice();
    gPlayer.deccelerate();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.45f);
}

TEST_F(Player, SidewaysSpeedKeepsWithinOneUnitAndSteersAtFixedSpeeds) {
    gPlayer.MoveRight();
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.12f);
    gPlayer.Moveleft();
    EXPECT_EQ(gPlayer.HorizontalVelocity(), -0.12f);
    gPlayer.HorizontalVelocity(1.0f);
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 1.0f);
    gPlayer.HorizontalVelocity(-1.0f);
    EXPECT_EQ(gPlayer.HorizontalVelocity(), -1.0f);
    gPlayer.HorizontalVelocity(1.0001f);
    EXPECT_EQ(gPlayer.HorizontalVelocity(), -1.0f);
    gPlayer.HorizontalVelocity(-1.5f);
    EXPECT_EQ(gPlayer.HorizontalVelocity(), -1.0f);
}

TEST_F(Player, CollisionBoxHangsFromThePositionAndNeverTurns) {
    gPlayer.SetBouncePad();
    Step();  // a spin turns the mesh, not the box
    const d3d::Vector3 at = gPlayer.GetPosition();
    const d3d::Vector4 topLeftFront = gPlayer.GetCollisionPoint(1);
    const d3d::Vector4 bottomRightBack = gPlayer.GetCollisionPoint(8);
    EXPECT_FLOAT_EQ(topLeftFront.X, at.X - 0.4f);
    EXPECT_FLOAT_EQ(topLeftFront.Y, at.Y + 0.8f);
    EXPECT_FLOAT_EQ(topLeftFront.Z, at.Z);
    EXPECT_FLOAT_EQ(bottomRightBack.X, at.X + 0.4f);
    EXPECT_FLOAT_EQ(bottomRightBack.Y, at.Y);
    EXPECT_FLOAT_EQ(bottomRightBack.Z, at.Z - 0.8f);
    EXPECT_EQ(topLeftFront.W, 0.0f);

    const d3d::Vector4 centre = gPlayer.CalculateCollisionBoxCentre();
    EXPECT_FLOAT_EQ(centre.Y, at.Y + 0.4f);
    EXPECT_FLOAT_EQ(centre.Z, at.Z - 0.4f);
    EXPECT_EQ(centre.W, 1.0f);

    EXPECT_FLOAT_EQ(gPlayer.CalculateEffectiveRadius({0, 1, 0}), 0.4f);
    const float d = std::sqrt(0.5f);
    EXPECT_FLOAT_EQ(gPlayer.CalculateEffectiveRadius({d, 0, -d}), 0.8f * d);
}

TEST_F(Player, DrawMovesByTheSpeedsAndTheCameraFollowsAlongZOnly) {
    const d3d::Vector3 eye = gCameraEye, lookAt = gCameraLookAt;
    gPlayer.HorizontalVelocity(0.12f);
    gPlayer.verticalvelocity(-0.1f);
    gPlayer.ForwardVelocity(0.5f);
    Step();
    Step();
    EXPECT_FLOAT_EQ(gPlayer.Posx(), 0.24f);
    EXPECT_FLOAT_EQ(gPlayer.PosY(), 2.8f);
    EXPECT_FLOAT_EQ(gPlayer.Posz(), 2.0f);
    EXPECT_EQ(gCameraEye.X, eye.X);
    EXPECT_EQ(gCameraEye.Y, eye.Y);
    EXPECT_FLOAT_EQ(gCameraEye.Z, eye.Z + 1.0f);
    EXPECT_FLOAT_EQ(gCameraLookAt.Z, lookAt.Z + 1.0f);
    EXPECT_EQ(gCameraLookAt.Y, lookAt.Y);
    const d3d::Matrix view = rig.device.GetTransform(d3d::TS_VIEW);
    const d3d::Matrix expected = d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, {0, 1, 0});
    EXPECT_EQ(view.m43, expected.m43);
    const d3d::Matrix world = rig.device.GetTransform(d3d::TS_WORLD);
    EXPECT_FLOAT_EQ(world.m41, 0.24f);
    EXPECT_FLOAT_EQ(world.m43, 2.0f);
}

TEST_F(Player, BouncePadSpinsTwoWholeTurnsInTwentyFiveDraws) {
    gPlayer.SetBouncePad();
    for (int i = 0; i < 24; ++i) Step();
    EXPECT_TRUE(gPlayer.BounceFlag());
    Step();
    EXPECT_FALSE(gPlayer.BounceFlag());
    EXPECT_EQ(gPlayer.FlipAngle(), 750.0f);
    gPlayer.resetPLayer();
    EXPECT_FALSE(gPlayer.BounceFlag());
    EXPECT_EQ(gPlayer.FlipAngle(), 720.0f);
}

TEST_F(Player, OnIceTheVehicleSkidsOnlyWhenSlidingWithoutTheMatchingArrow) {
    gPlayer.SetPlayerOnIce();
    gPlayer.MoveRight();
    Step();
    EXPECT_NEAR(rig.device.GetTransform(d3d::TS_WORLD).m11, std::cos(0.17453292f), 1e-6);
    gKeyboardState[dinput::DIK_RIGHT] = dinput::KEY_DOWN;
    Step();
    EXPECT_EQ(rig.device.GetTransform(d3d::TS_WORLD).m11, 1.0f);
    gPlayer.HorizontalVelocity(0);
    gKeyboardState[dinput::DIK_RIGHT] = 0;
    Step();
    EXPECT_EQ(rig.device.GetTransform(d3d::TS_WORLD).m11, 1.0f);
    gPlayer.Moveleft();
    Step();
    EXPECT_NEAR(rig.device.GetTransform(d3d::TS_WORLD).m13, -std::sin(0.17453292f), 1e-6);
}

TEST_F(Player, ExplosionShowsPicturesTwoToFourteenThreeDrawsEachThenDiesOnce) {
    gPlayer.ForwardVelocity(0.5f);
    gPlayer.explode();
    const d3d::Vector3 eye = gCameraEye;
    std::vector<std::string> shown;
    int draws = 0;
    while (!gPlayer.DeathStatus() && draws < 100) {
        rig.device.ClearRecording();
        Step();
        ++draws;
        for (const auto& draw : rig.device.DrawCalls()) {
            EXPECT_EQ(draw.Type, d3d::PT_POINTLIST);
            EXPECT_EQ(draw.RenderState(d3d::RS_ZWRITEENABLE), 0u);
            EXPECT_EQ(draw.RenderState(d3d::RS_ALPHABLENDENABLE), 1u);
            shown.push_back(draw.Texture ? std::static_pointer_cast<d3d::FakeTexture>(draw.Texture)->Path : "");
        }
    }
    EXPECT_EQ(rig.EffectsPlayed(), std::vector<int>{5});
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "");  // no pictures in the scratch folder
    EXPECT_EQ(shown.size(), 13u * 3);  // the old timer skips picture 1; 2..14 three draws each
    EXPECT_EQ(gDeathCount, 1);
    EXPECT_EQ(gPlayer.Posz(), 1.0f);  // nothing moves while exploding
    EXPECT_EQ(gCameraEye.Z, eye.Z);
}

TEST_F(Player, ExplodingAgainDoesNotRestartTheExplosion) {
    gPlayer.explode();
    for (int i = 0; i < 10; ++i) Step();
    const int32_t frame = gPlayer.ExplosionFrame();
    EXPECT_GT(frame, 3);
    gPlayer.explode();
    Step();
    EXPECT_GE(gPlayer.ExplosionFrame(), frame);
    const d3d::PointVertex& sprite = gPlayer.ExplosionVertex();
    EXPECT_EQ(static_cast<uint32_t>(sprite.Diffuse), 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(sprite.Y, 4.0f);
    EXPECT_FLOAT_EQ(sprite.Z, 0.5f);
}

TEST_F(Player, MissingModelSkinsAndPicturesAreLoggedAndPlayGoesOn) {
    gPlayer.load(platform::ProgramPath("models/player.x"));
    EXPECT_EQ(gPlayer.MaterialCount(), 0);
    gPlayer.ForwardVelocity(0.3f);
    Step();  // no mesh to draw, yet the camera follows
    EXPECT_TRUE(rig.device.DrawCalls().empty());
    EXPECT_FLOAT_EQ(gCameraEye.Z, -18.0f + 0.3f);
    const std::string log = rig.CloseLog();
    EXPECT_NE(log.find("player.x"), std::string::npos);
    EXPECT_NE(log.find("explode16.bmp"), std::string::npos);
}

TEST_F(Player, ShippedVehicleLoadsWithSkinsAndKeyedExplosionPictures) {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    if (!assets) GTEST_SKIP() << "VELORUNE_ASSETS names no generated assets";
    platform::SetProgramFolder(assets);
    gPlayer.load(platform::ProgramPath("models/player.x"));
    platform::SetProgramFolder(rig.folder.Path());
    EXPECT_EQ(gPlayer.MaterialCount(), 3);
    size_t skins = 0, pictures = 0;
    for (const auto& call : rig.device.CallsOf(CallKind::CreateTextureFromFile)) {
        if (call.Text.find("/skins/player_") != std::string::npos && call.Texture) ++skins;
        if (call.Text.find("/misc/explode") == std::string::npos) continue;
        ASSERT_TRUE(call.Texture) << call.Text;
        const auto& options = std::static_pointer_cast<d3d::FakeTexture>(call.Texture)->Options;
        EXPECT_EQ(options.ColorKey, 0xFF000000u);
        EXPECT_EQ(options.Format, d3d::TextureFormat::A1R5G5B5);
        ++pictures;
    }
    EXPECT_EQ(pictures, 16u);
    EXPECT_EQ(skins, 3u);

    Step();  // the mesh stays inside the collision box
    for (const auto& draw : rig.device.DrawCalls())
        for (const auto& v : draw.VerticesAs<d3d::MeshVertex>()) {
            EXPECT_LE(std::abs(v.X), 0.4f);
            EXPECT_GE(v.Y, 0.0f);
            EXPECT_LE(v.Y, 0.8f);
            EXPECT_GE(v.Z, -0.8f);
            EXPECT_LE(v.Z, 0.0f);
        }
    EXPECT_EQ(rig.device.DrawCalls().size(), 3u);
}
