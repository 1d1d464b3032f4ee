// What landing on special blocks, stars, explosions and falls do within a collision step.
#include <gtest/gtest.h>

#include <vector>

#include "game/Globals.h"
#include "game/LevelCompletion.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "tests/support/play/PlayTestBed.h"
#include "ui/FontFieldTable.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

using CollisionDetection::CheckCollisions;

namespace {

// One special block 6 x 2 x 20 with its top at Y = 2, the player resting on it.
void StandOn(PlayTestBed& bed, uint8_t actionCode) {
    bed.Gravity(0.02f);
    bed.AddBlock(-3, 0, 0, 6, 2, 20, actionCode);
    bed.Build();
    bed.Place(0, 2.0001f, 5);
}

TEST(CollisionResponses, JumpPadLaunchesOncePerStepAndHopsTheBlock) {
    PlayTestBed bed;
    StandOn(bed, ACTION_JUMPPAD);
    bed.rig.EffectsPlayed();
    CheckCollisions();
    EXPECT_EQ(bed.rig.EffectsPlayed(), std::vector<int>{6});
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.45f);
    EXPECT_FALSE(gCanJump);
    EXPECT_TRUE(gPlayer.BounceFlag());
    const float base = gBlocks[0].Ypos();
    gBlocks[0].draw();
    gBlocks[0].draw();
    EXPECT_GT(gBlocks[0].Ypos(), base);
}

TEST(CollisionResponses, IcePutsThePlayerOnIceForTheNextStepOnly) {
    PlayTestBed bed;
    StandOn(bed, ACTION_ICE);
    CheckCollisions();
    EXPECT_TRUE(gPlayer.ISPlayerOnAnIceBlock());
    EXPECT_FLOAT_EQ(gPlayer.Friction(), 0.01f);
    bed.Place(0, 10, 5);  // off the block
    CheckCollisions();
    EXPECT_FALSE(gPlayer.ISPlayerOnAnIceBlock());
}

TEST(CollisionResponses, FallingBlockDropsAndCarriesThePlayerDown) {
    PlayTestBed bed;
    StandOn(bed, ACTION_FALLING);
    for (int step = 0; step < 10; ++step) bed.Step();
    EXPECT_LT(gBlocks[0].Ypos(), 0.0f);
    const float fallvel = gBlocks[0].fallvel();
    CheckCollisions();
    EXPECT_NEAR(gPlayer.PosY(), gBlocks[0].Ypos() + 2.0f + fallvel + 0.0001f, 1e-5f);
    EXPECT_NEAR(gPlayer.verticalvelocity(), -fallvel - 0.0001f, 1e-6f);
}

TEST(CollisionResponses, TurboSetsFullForwardSpeed) {
    PlayTestBed bed;
    StandOn(bed, ACTION_TURBO);
    bed.Place(0, 2.1f, 5, 0, -0.2f, 0);  // landing well inside the pad
    bed.rig.EffectsPlayed();
    CheckCollisions();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 1.0f);
    EXPECT_EQ(bed.rig.EffectsPlayed(), (std::vector<int>{7, 7, 7, 7}));  // once per contact point
}

TEST(CollisionResponses, InstantKillExplodesAndStopsThePlatforms) {
    PlayTestBed bed;
    bed.AddPlatform(10, 0, 0, 2, 1, 2, 3, 10, 5);
    StandOn(bed, ACTION_INSTANTKILL);
    gStarsCollected = 2;
    CheckCollisions();
    EXPECT_TRUE(gPlayer.getexplodeStatus());
    EXPECT_EQ(gStarsCollected, 0);
    const float x = gMovingPlatforms[0].Xpos();
    frmGame::MovePlatforms();
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), x);
}

// Standing on an instant-kill block calls explode in every step; the explosion still runs
// to its end and the player dies.
TEST(CollisionResponses, StayingOnAnInstantKillBlockStillEndsInDeath) {
    PlayTestBed bed;
    StandOn(bed, ACTION_INSTANTKILL);
    for (int step = 0; step < 100 && !gPlayer.DeathStatus(); ++step) bed.Step();
    EXPECT_TRUE(gPlayer.DeathStatus());
}

TEST(CollisionResponses, BuildingAndUnknownCodesActAsPlainTops) {
    for (const uint8_t code : {uint8_t{ACTION_BUILDING}, uint8_t{77}}) {
        PlayTestBed bed;
        StandOn(bed, code);
        CheckCollisions();
        EXPECT_TRUE(gCanJump);
        EXPECT_NEAR(gPlayer.verticalvelocity(), 0.0f, 1e-6f);
        EXPECT_FALSE(gPlayer.getexplodeStatus());
    }
}

// A platform carrying a jump-pad code launches the player but hops no block; one carrying
// the falling code is plain. Neither touches the block that shares its index.
TEST(CollisionResponses, BlockCodesOnAPlatformLeaveTheBlocksAlone) {
    for (const uint8_t code : {uint8_t{ACTION_JUMPPAD}, uint8_t{ACTION_FALLING}}) {
        PlayTestBed bed;
        bed.Gravity(0.02f);
        bed.AddBlock(20, 0, 0, 2, 2, 2);  // block 0, far away
        bed.AddPlatform(-3, 0, 0, 6, 2, 20, 0, 0, 0, code);
        bed.Build();
        bed.Place(0, 2.0001f, 5);
        CheckCollisions();
        for (int i = 0; i < 3; ++i) gBlocks[0].draw();
        EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 0.0f) << int(code);
        if (code == ACTION_JUMPPAD) {
            EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.45f);
        } else {
            EXPECT_NEAR(gPlayer.verticalvelocity(), 0.0f, 1e-6f);
            EXPECT_FLOAT_EQ(gPlayer.PosY(), 2.0001f);
        }
    }
}

TEST(CollisionResponses, StarsAreTakenInsideTheStrictBoxOnly) {
    struct Case {
        float dx, dy, dz;
        bool taken;
    };
    const Case cases[] = {
        {0, 0, 0, true},      {0.79f, 0, 0, true},  {0.8f, 0, 0, false}, {-0.8f, 0, 0, false},
        {0, 0.79f, 0, true},  {0, -0.8f, 0, false}, {0, 0, 0.99f, true}, {0, 0, 1.0f, false},
        {0, 0, -1.0f, false},
    };
    for (const Case& c : cases) {
        PlayTestBed bed;
        bed.AddStar(3, 20, 30);
        bed.Build();
        bed.Place(3.0f + c.dx, 20.0f + c.dy, 30.0f + c.dz);
        bed.rig.EffectsPlayed();
        CheckCollisions();
        EXPECT_EQ(bed.rig.EffectsPlayed(), c.taken ? std::vector<int>{4} : std::vector<int>{});
        EXPECT_EQ(!gStars[0].visible(), c.taken) << c.dx << " " << c.dy << " " << c.dz;
        EXPECT_EQ(gStarsCollected, c.taken ? 1 : 0);
    }
}

TEST(CollisionResponses, StarCounterReadsCollectedOfTotal) {
    PlayTestBed bed;
    for (int k = 0; k < 5; ++k) bed.AddStar(static_cast<float>(k * 10), 20, 30);
    bed.Build();
    gStarsCollected = 2;
    bed.Place(20, 20, 30);
    CheckCollisions();
    EXPECT_EQ(gFontFields(1).Get_String(), "Stars 3 / of 5");
}

TEST(CollisionResponses, FallSoundBandAndFallBelowAHundred) {
    struct Case {
        float y;
        bool fell;
    };
    for (const Case& c : {Case{-10, false}, Case{-12, false}, Case{-15, false}, Case{-100, false}, Case{-100.5f, true}}) {
        PlayTestBed bed;
        gStarsCollected = 1;
        bed.Place(0, c.y, 0);
        bed.rig.EffectsPlayed();
        CheckCollisions();
        EXPECT_EQ(bed.rig.EffectsPlayed(), c.y < -10 && c.y > -15 ? std::vector<int>{3} : std::vector<int>{}) << c.y;
        EXPECT_EQ(gPlayer.DeathStatus(), c.fell) << c.y;
        EXPECT_EQ(gFallCount, c.fell ? 1 : 0) << c.y;
        EXPECT_EQ(gStarsCollected, c.fell ? 0 : 1) << c.y;
    }
}

TEST(CollisionResponses, AKillAndAFallInOneStepBothHappen) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    bed.AddBlock(-3, -101, 0, 6, 0.5f, 20, ACTION_INSTANTKILL);
    bed.Build();
    bed.Place(0, -100.4999f, 5);
    CheckCollisions();
    EXPECT_TRUE(gPlayer.getexplodeStatus());
    EXPECT_TRUE(gPlayer.DeathStatus());
    EXPECT_EQ(gFallCount, 1);
}

// The finish completes the level, which rebuilds it and resets the player; nothing of the
// step runs after that: no second completion, no pending kill, no star pass.
TEST(CollisionResponses, FinishCompletesTheLevelOnceAndEndsTheStep) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    // The instant-kill top is listed before the finish top; the finish lies on it, so both
    // answer the landing.
    bed.AddBlock(-3, 0, 0, 6, 1.9f, 20, ACTION_INSTANTKILL);
    bed.AddBlock(-3, 1.9f, 0, 6, 0.1f, 20, ACTION_FINISH);
    bed.AddStar(0, 3, 1);  // where the reset puts the player
    bed.Build();
    bed.Place(0, 2.3f, 5, 0, -0.5f, 0);
    TotalFrames = 250;  // ten seconds
    CheckCollisions();
    EXPECT_TRUE(CollisionDetection::gKillPending);
    EXPECT_EQ(gGameState, STATE_NAMEENTRY);
    EXPECT_EQ(gPendingSeconds, 10);  // a second completion would have taken 0 seconds
    EXPECT_FALSE(gPlayer.getexplodeStatus());
    EXPECT_EQ(gStarsCollected, 0);
    EXPECT_TRUE(gStars[0].visible());
    EXPECT_FLOAT_EQ(gPlayer.Posz(), 1.0f);
}

}  // namespace
