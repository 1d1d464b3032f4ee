// The collision step's geometry, played headless on small levels built in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Keyboard.h"
#include "tests/support/play/PlayTestBed.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

using CollisionDetection::CheckCollisions;

namespace {

// A floor 6 wide and 40 deep whose top is at Y = 2.
void AddFloor(PlayTestBed& bed) { bed.AddBlock(-3, 0, 0, 6, 2, 40); }

TEST(CollisionStep, EmptyLevelOnlyAppliesGravity) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    bed.Place(0, 5, 5, 0.1f, 0, 0.3f);
    CheckCollisions();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.02f);
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), 0.1f);
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.3f);
    EXPECT_FALSE(gCanJump);
    EXPECT_EQ(CollisionDetection::gCandidateCount, 0);
}

TEST(CollisionStep, PlayerRestsOnATopStepAfterStep) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    AddFloor(bed);
    bed.Build();
    bed.Place(0, 2.0001f, 5);
    for (int step = 0; step < 50; ++step) {
        bed.Step();
        ASSERT_TRUE(gCanJump) << "step " << step;
        ASSERT_NEAR(gPlayer.verticalvelocity(), 0.0f, 1e-6f) << "step " << step;
    }
    EXPECT_NEAR(gPlayer.PosY(), 2.0001f, 1e-5f);
}

TEST(CollisionStep, LandingLeavesTheGapAboveTheTop) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    AddFloor(bed);
    bed.Build();
    bed.Place(0, 3, 5);
    for (int step = 0; step < 40; ++step) bed.Step();
    EXPECT_NEAR(gPlayer.PosY(), 2.0001f, 1e-5f);
    EXPECT_TRUE(gCanJump);
}

// Without gravity a fall of exactly the gap reaches the top at the very end of the step.
TEST(CollisionStep, ContactTimeOfExactlyOneHitsAndZeroDoesNot) {
    PlayTestBed bed;
    AddFloor(bed);
    bed.Build();
    bed.Place(0, 2.5f, 5, 0, -0.5f, 0);
    CheckCollisions();
    EXPECT_TRUE(gCanJump);
    EXPECT_NEAR(gPlayer.verticalvelocity(), -0.4999f, 1e-6f);

    bed.Place(0, 2.0f, 5, 0, -0.5f, 0);  // already touching: time 0
    CheckCollisions();
    EXPECT_FALSE(gCanJump);
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.5f);
}

TEST(CollisionStep, RisingPlayerPassesATopButStopsUnderABottom) {
    PlayTestBed bed;
    bed.AddBlock(-3, 4, 0, 6, 1, 40);  // a ceiling from Y = 4 to 5
    bed.Build();
    bed.Place(0, 3.1f, 5, 0, 0.3f, 0);  // box top at 3.9, rising into the ceiling
    CheckCollisions();
    EXPECT_FALSE(gCanJump);
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.0f);
    EXPECT_NEAR(gPlayer.PosY(), 4.0f - 0.8f - 0.0001f, 1e-6f);
}

// A wall whose front is at Z = 10, high enough that the player's box front lies inside it.
void AddWall(PlayTestBed& bed) { bed.AddBlock(-3, 0, 10, 6, 5, 4); }

TEST(CollisionStep, FrontStopsAtFourTenthsAndCrashesAbove) {
    for (const float speed : {0.4f, 0.5f}) {
        PlayTestBed bed;
        AddWall(bed);
        bed.Build();
        bed.Place(0, 1, 9.8f, 0, 0, speed);
        CheckCollisions();
        EXPECT_NEAR(gPlayer.ForwardVelocity(), 10.0f - 9.8f - 0.0001f, 1e-6f) << speed;
        EXPECT_EQ(CollisionDetection::gKillPending, speed > 0.4f) << speed;
        EXPECT_EQ(gPlayer.getexplodeStatus(), speed > 0.4f) << speed;
    }
}

TEST(CollisionStep, SideFacesStopTheBoxShortOfThem) {
    PlayTestBed bed;
    bed.AddBlock(0.5f, 0, 0, 2, 5, 20);  // a wall to the right, its left side at X = 0.5
    bed.Build();
    bed.Place(0, 1, 5, 0.3f, 0, 0);
    CheckCollisions();
    EXPECT_NEAR(gPlayer.HorizontalVelocity(), 0.5f - 0.4f - 0.0001f, 1e-6f);
    EXPECT_FALSE(CollisionDetection::gKillPending);
}

struct RampCase {
    uint8_t rotation;
    float x, z;    // player position: its contact edge lies where the slope is 1 high
    float hv, fv;  // driving up the slope
};

// Every ramp is 4 x 2 x 4 at the origin, so each climbs 0.5 per unit: the climb is 0.15 per
// step at 0.3 along the rise, whichever way the ramp is turned.
TEST(CollisionStep, RampSlopeGivesTheClimbForEachRotation) {
    const RampCase cases[] = {
        {0, 2.0f, 2.0f, 0, 0.3f},
        {1, 1.6f, 2.4f, 0.3f, 0},
        {2, 2.0f, 2.8f, 0, -0.3f},
        {3, 2.4f, 2.4f, -0.3f, 0},
    };
    for (const RampCase& c : cases) {
        PlayTestBed bed;
        bed.Gravity(0.02f);
        bed.AddRamp(0, 0, 0, 4, 2, 4, c.rotation);
        bed.Build();
        bed.Place(c.x, 1.01f, c.z, c.hv, 0, c.fv);
        CheckCollisions();
        EXPECT_TRUE(CollisionDetection::gOnRamp) << int(c.rotation);
        EXPECT_TRUE(gCanJump) << int(c.rotation);
        EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.15f) << int(c.rotation);
    }
}

TEST(CollisionStep, ClimbingARampPastABlockFrontDoesNotStopThePlayer) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    bed.AddRamp(-2, 0, 0, 4, 2, 4, 0);
    bed.AddBlock(-2, 0, 2.1f, 4, 1.2f, 6);  // its front stands in the slope
    bed.Build();
    bed.Place(0, 1.01f, 2.0f, 0, 0, 0.5f);
    CheckCollisions();
    EXPECT_TRUE(CollisionDetection::gOnRamp);
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.5f);
    EXPECT_FALSE(CollisionDetection::gKillPending);
}

// The crest strip's two contact points on the slope's side are cleared to the origin; they
// must not be tested. Level building puts ramps on whole numbers at Z >= 0, where no crest
// holds the origin strictly inside; a ramp created at Z = -4.6 has its crest over Z -0.6 to
// 0.2, and there the cleared points would pull the player down towards Y = 0.
TEST(CollisionStep, RampCrestOverTheOriginIgnoresItsClearedPoints) {
    PlayTestBed bed;
    bed.AddRamp(0, 0, 0, 1, 1, 1, 0);
    bed.Build();
    clsRamp& ramp = gRamps[0];
    ramp.create(-2, 0, -4.6f);
    ramp.scaleX(4);
    ramp.scaleY(2);
    ramp.scalez(4);
    bed.Place(0, 2.05f, -0.1f, 0, -0.1f, 0);
    CheckCollisions();
    EXPECT_TRUE(gCanJump);
    EXPECT_NEAR(gPlayer.verticalvelocity(), 2.0f - 2.05f + 0.0001f, 1e-5f);
}

// The track never makes a face tilted about two axes; one is skipped and reported once.
struct TiltedBlock : clsblock {
    // Placed so that the player below meets it within the step.
    void TiltTop() { CollisionPlanes[2] = {0.5f, 0.70710678f, 0.5f, -3.3154f}; }
};

TEST(CollisionStep, FaceTiltedAboutTwoAxesIsSkippedAndLoggedOnce) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    AddFloor(bed);
    bed.Build();
    TiltedBlock tilted;
    static_cast<clsblock&>(tilted) = gBlocks[0];
    tilted.TiltTop();
    gBlocks[0] = tilted;
    bed.Place(0, 2.05f, 5, 0, -0.1f, 0);
    CheckCollisions();
    CheckCollisions();
    EXPECT_FALSE(gCanJump);
    const std::string log = bed.rig.CloseLog();
    const std::string line = "Collision skipped a face tilted about two axes";
    const size_t first = log.find(line);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(line, first + 1), std::string::npos);
}

TEST(CollisionStep, PlatformTopCarriesThePlayerOnce) {
    PlayTestBed bed;
    bed.Gravity(0.02f);
    bed.AddPlatform(-3.05f, 0, 0, 6, 2, 20, 3, 5, 10);  // 0.05 per step towards +X
    bed.Build();
    bed.Place(0, 2.0001f, 5);
    CheckCollisions();
    EXPECT_TRUE(gCanJump);
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), 0.05f);

    bed.Place(0, 2.0001f, 5, 0.98f, 0, 0);  // 1.03 would be too fast: not stored
    CheckCollisions();
    EXPECT_FLOAT_EQ(gPlayer.HorizontalVelocity(), 0.98f);
}

// A platform sliding right against the player's left side, a block just right of the player.
TEST(CollisionStep, SqueezeKillsOnlyWhenBothSidesTouchInOneStep) {
    for (const float gap : {0.02f, 0.5f}) {
        PlayTestBed bed;
        bed.AddPlatform(-3.47f, 0, 0, 3, 3, 10, 3, 5, 10);  // its right side at -0.42 once built
        bed.AddBlock(0.4f + gap, 0, 0, 3, 3, 10);
        bed.Build();
        bed.Place(0, 1, 5);
        CheckCollisions();
        EXPECT_TRUE(CollisionDetection::gPlatformFace2Contact) << gap;
        EXPECT_EQ(CollisionDetection::gKillPending, gap < 0.05f) << gap;
    }
}

// One key state per step, replayed twice through the keyboard handling, the collision step,
// the platforms and the frame: the positions agree to the bit.
TEST(CollisionStep, ReplayingTheSameKeysGivesBitIdenticalPositions) {
    using namespace dinput;
    auto run = [] {
        PlayTestBed bed;
        bed.Gravity(0.02f);
        bed.AddBlock(-3, 0, 0, 6, 2, 30);
        bed.AddRamp(-3, 2, 30, 6, 2, 8, 0);
        bed.AddBlock(-3, 0, 38, 6, 4, 30);
        bed.AddPlatform(-3, 3, 70, 4, 1, 6, 3, 5, 4);
        bed.AddBlock(-3, 0, 76, 6, 4, 30, ACTION_ICE);
        bed.Build();
        bed.Place(0, 2.0001f, 2);
        std::vector<float> trace;
        for (int step = 0; step < 200; ++step) {
            if (step % 30 == 10) {
                bed.Step({DIK_UP, DIK_SPACE});
            } else if (step % 40 > 30) {
                bed.Step({DIK_UP, DIK_LEFT});
            } else if (step % 40 > 22) {
                bed.Step({DIK_RIGHT});
            } else {
                bed.Step({DIK_UP});
            }
            trace.insert(trace.end(), {gPlayer.Posx(), gPlayer.PosY(), gPlayer.Posz()});
        }
        return trace;
    };
    const std::vector<float> first = run();
    const std::vector<float> second = run();
    ASSERT_EQ(first.size(), second.size());
    float farthest = 0;
    for (size_t i = 2; i < first.size(); i += 3) farthest = std::max(farthest, first[i]);
    EXPECT_GT(farthest, 60.0f);  // over the ramp, then a crash and a restart
    EXPECT_EQ(0, std::memcmp(first.data(), second.data(), first.size() * sizeof(float)));
}

}  // namespace
