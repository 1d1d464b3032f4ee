// What moves: platforms along their legs, the block's hop and fall, the star's spin and the
// animated texture's frames.
#include <gtest/gtest.h>

#include "game/Globals.h"
#include "shared/TrackRecords.h"
#include "tests/support/play/WorldFakeDevice.h"
#include "world/AnimatedTextures.h"
#include "world/clsMovingPlatform.h"
#include "world/clsStar.h"
#include "world/clsblock.h"

#include "game/LevelStructure.h"

namespace {

// Sets the game state (and a level with the given gravity) for one test.
class PlayState {
public:
    explicit PlayState(int16_t state, float gravity = 0) : state_(gGameState), level_(gCurrentLevel), records_(gLevelRecords) {
        gGameState = state;
        gLevelRecords.assign(2, LevelRecord{});
        gLevelRecords[1].Settings.Gravity = gravity;
        gCurrentLevel = 1;
    }
    ~PlayState() {
        gGameState = state_;
        gCurrentLevel = level_;
        gLevelRecords = records_;
    }

private:
    int16_t state_;
    int32_t level_;
    std::vector<LevelRecord> records_;
};

clsMovingPlatform Platform(uint8_t speed, uint8_t distance, uint8_t direction, bool loopBack) {
    clsMovingPlatform p;
    p.create(0, 0, 0);
    p.Xpos(0);
    p.Ypos(1);
    p.Zpos(5);
    p.Mspeed(speed);
    p.Mdist(distance);
    p.Mdir(direction);
    p.MloopBack(loopBack);
    return p;
}

}  // namespace

TEST(MovingPlatform, ShuttlesWithLoopBackReversingExactlyOnItsEnds) {
    WorldFakeDevice device;
    clsMovingPlatform p = Platform(10, 2, 3, true);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_FLOAT_EQ(p.GetVelocity().X, 0.1f) << i;
        p.move();
        EXPECT_FLOAT_EQ(p.Xpos(), i / 10.0f) << i;
        EXPECT_FALSE(p.GetChangeDir());
    }
    EXPECT_EQ(p.Xpos(), 2.0f);
    EXPECT_FLOAT_EQ(p.GetVelocity().X, 0.0f);
    p.move();  // the 21st move reverses
    EXPECT_TRUE(p.GetChangeDir());
    EXPECT_EQ(p.Xpos(), 2.0f);
    EXPECT_EQ(p.GetOrigin().X, 2.0f);
    EXPECT_EQ(p.Mdir(), 2);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_FLOAT_EQ(p.GetVelocity().X, -0.1f) << i;
        p.move();
        EXPECT_NEAR(p.Xpos(), 2.0f - i / 10.0f, 1e-6f) << i;
    }
    EXPECT_EQ(p.Xpos(), 0.0f);
    p.move();  // the 42nd reverses again
    EXPECT_TRUE(p.GetChangeDir());
    EXPECT_EQ(p.Mdir(), 3);
    EXPECT_FLOAT_EQ(p.Ypos(), 1);  // only x ever changes
    EXPECT_FLOAT_EQ(p.Zpos(), 5);
}

TEST(MovingPlatform, WithoutLoopBackRunsTheLegAgain) {
    WorldFakeDevice device;
    clsMovingPlatform p = Platform(10, 2, 3, false);
    for (int i = 0; i < 20; ++i) p.move();
    EXPECT_EQ(p.Xpos(), 2.0f);
    p.move();
    EXPECT_EQ(p.Xpos(), 0.0f);
    EXPECT_FALSE(p.GetChangeDir());
    EXPECT_EQ(p.Mdir(), 3);
    p.move();
    EXPECT_FLOAT_EQ(p.Xpos(), 0.1f);
}

TEST(MovingPlatform, StandingStillAndStopped) {
    WorldFakeDevice device;
    clsMovingPlatform still = Platform(0, 2, 3, true);
    still.move();
    EXPECT_EQ(still.Xpos(), 0.0f);
    EXPECT_EQ(still.GetVelocity().X, 0.0f);

    clsMovingPlatform noLeg = Platform(10, 0, 2, true);
    noLeg.move();
    EXPECT_EQ(noLeg.Mdir(), 3);
    noLeg.move();
    EXPECT_EQ(noLeg.Mdir(), 2);
    EXPECT_EQ(noLeg.Xpos(), 0.0f);

    clsMovingPlatform other = Platform(10, 2, 7, true);
    other.move();
    EXPECT_EQ(other.Xpos(), 0.0f);
    EXPECT_EQ(other.GetVelocity().X, 0.0f);

    clsMovingPlatform stopped = Platform(10, 2, 3, true);
    stopped.stopMoving();
    stopped.move();
    EXPECT_EQ(stopped.Xpos(), 0.0f);
    EXPECT_FLOAT_EQ(stopped.GetVelocity().X, 0.1f);  // still reports the step it would make
}

TEST(MovingPlatform, PlanesStayFromCreateUntilTheFirstMove) {
    WorldFakeDevice device;
    clsMovingPlatform p = Platform(10, 2, 3, true);
    EXPECT_FLOAT_EQ(p.GetCollisionPlane(3).D, -1.0f);  // top of the unit box at the origin
    p.move();
    EXPECT_FLOAT_EQ(p.GetCollisionPlane(3).D, -2.0f);  // now at y = 1 + 1
    EXPECT_FLOAT_EQ(p.GetCollisionPlane(1).D, 0.1f);
}

TEST(MovingPlatform, ResetToOriginGoesToTheStartOfTheCurrentLeg) {
    WorldFakeDevice device;
    clsMovingPlatform p = Platform(50, 1, 3, true);
    for (int i = 0; i < 4; ++i) p.move();  // 0.5, 1.0, reverse, 0.5
    EXPECT_FLOAT_EQ(p.Xpos(), 0.5f);
    p.ResetToOrigin();
    EXPECT_FLOAT_EQ(p.Xpos(), 1.0f);
}

TEST(MovingPlatform, AlignTexureCoordsAppliesAtOnce) {
    WorldFakeDevice device;
    clsMovingPlatform p = Platform(0, 0, 0, false);
    p.scaleX(3);
    p.AlignTexureCoords(1, 2);
    EXPECT_FLOAT_EQ(p.GetVertices()[1].Tu, 2.0f);  // face A, x = 1
    EXPECT_EQ(p.ScaleTextureSide(), 2);
    p.AlignTexureCoords(2, 0);
    EXPECT_FLOAT_EQ(p.GetVertices()[19].Tu, 3.0f);  // top follows the size
    EXPECT_EQ(p.ScaleTextureTop(), 0);
}

TEST(Block, HopTakesTwentyTwoDrawsAndEndsOnItsBase) {
    WorldFakeDevice device;
    PlayState playing(STATE_PLAYING);
    clsblock block;
    block.create(0, 5, 0, 1, 1, 1);
    block.Bounce();
    block.draw();
    EXPECT_FLOAT_EQ(block.Ypos(), 5.0f);
    block.draw();
    EXPECT_NEAR(block.Ypos(), 5.19f, 1e-5f);
    block.draw();
    EXPECT_NEAR(block.Ypos(), 5.36f, 1e-5f);
    for (int i = 4; i <= 11; ++i) block.draw();
    EXPECT_NEAR(block.Ypos(), 6.0f, 1e-5f);
    for (int i = 12; i <= 21; ++i) block.draw();
    EXPECT_NEAR(block.Ypos(), 5.0f, 1e-5f);
    EXPECT_NE(block.fallvel(), 0.0f);  // still hopping
    block.draw();                      // the 22nd ends it
    EXPECT_EQ(block.Ypos(), 5.0f);
    EXPECT_EQ(block.fallvel(), 0.0f);
    block.draw();
    EXPECT_EQ(block.Ypos(), 5.0f);
    EXPECT_FLOAT_EQ(block.GetCollisionPlane(3).D, -6.0f);
}

TEST(Block, FallsByTheLevelsGravityOnlyWhilePlaying) {
    WorldFakeDevice device;
    for (const float gravity : {0.025f, 0.01f}) {
        PlayState playing(STATE_PLAYING, gravity);
        clsblock block;
        block.create(0, 10, 0, 1, 1, 1);
        block.Fall();
        block.draw();
        EXPECT_FLOAT_EQ(block.Ypos(), 10 - gravity);
        block.draw();
        EXPECT_FLOAT_EQ(block.Ypos(), 10 - 3 * gravity);
        EXPECT_FLOAT_EQ(block.fallvel(), 2 * gravity);
        gGameState = STATE_PAUSE;
        block.draw();
        EXPECT_FLOAT_EQ(block.Ypos(), 10 - 3 * gravity);
        EXPECT_FLOAT_EQ(block.GetCollisionPlane(5).D, 10 - 3 * gravity);
    }
}

TEST(Block, DrawsItsFourFacesScaledThenMoved) {
    WorldFakeDevice device;
    clsblock block;
    block.create(1, 2, 3, 2, 1, 3);
    block.draw();
    ASSERT_EQ(device.Draws.size(), 4u);
    for (uint32_t f = 0; f < 4; ++f) {
        EXPECT_EQ(device.Draws[f].Start, f * 6);
        EXPECT_EQ(device.Draws[f].Count, 2u);
    }
    EXPECT_FLOAT_EQ(device.Draws[0].World.m33, 2.9f);
    EXPECT_FLOAT_EQ(device.Draws[0].World.m43, 3.0f);
}

TEST(Star, SpinsFiveDegreesPerDrawDuringPlayAndWrapsToOne) {
    WorldFakeDevice device;
    clsStar star;
    star.load("/nowhere/orb.x");  // a missing model draws nothing but keeps the star's state
    EXPECT_TRUE(star.visible());
    {
        PlayState menu(STATE_MAINMENU);
        star.draw();
        EXPECT_EQ(star.GetSpinAngle(), 0);
    }
    PlayState playing(STATE_PLAYING);
    for (int i = 0; i < 72; ++i) star.draw();
    EXPECT_EQ(star.GetSpinAngle(), 360);
    star.draw();
    EXPECT_EQ(star.GetSpinAngle(), 1);
    star.GetStar();
    star.draw();
    EXPECT_FALSE(star.visible());
    EXPECT_EQ(star.GetSpinAngle(), 1);
}

TEST(Star, PositionWrites) {
    clsStar star;
    star.Xpos(-1);
    star.Ypos(-1);
    star.Zpos(3);
    EXPECT_EQ(star.Xpos(), -1);
    EXPECT_EQ(star.Ypos(), 0);
    EXPECT_EQ(star.Zpos(), 3);
}

TEST(AnimatedTextures, CycleOnlyTheExactNames) {
    AnimatedTextures::InitAnimatedTextures();
    EXPECT_EQ(AnimatedTextures::NextAnimationFrame("AnimationTest_0.bmp"), "AnimationTest_1.bmp");
    EXPECT_EQ(AnimatedTextures::NextAnimationFrame("AnimationTest_3.bmp"), "AnimationTest_0.bmp");
    EXPECT_EQ(AnimatedTextures::NextAnimationFrame("animationtest_0.bmp"), "");
    EXPECT_EQ(AnimatedTextures::NextAnimationFrame("textures/AnimationTest_0.bmp"), "");
    EXPECT_FALSE(AnimatedTextures::IsAnimatedTexture(""));
    EXPECT_TRUE(AnimatedTextures::IsAnimatedTexture("AnimationTest_2.bmp"));
}

TEST(Block, AnimatedFacesStepToTheNextFrame) {
    WorldFakeDevice device;
    AnimatedTextures::InitAnimatedTextures();
    clsblock block;
    block.create(0, 0, 0, 1, 1, 1);
    block.Texture("AnimationTest_3.bmp", "d", "/tex/");
    block.Texture("stone.bmp", "A", "/tex/");
    block.Texture("x.bmp", "E", "/tex/");
    block.UpdateAnimatedTexture();
    EXPECT_EQ(block.GetTextureD(), "AnimationTest_0.bmp");
    EXPECT_EQ(block.GetTextureA(), "stone.bmp");
    EXPECT_EQ(device.TextureLoads.back(), gTexturePath + "AnimationTest_0.bmp");
}
