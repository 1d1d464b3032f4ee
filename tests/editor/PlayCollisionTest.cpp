// The play mode's collision step on small scenes, under the editor's rules and, for
// comparison, under the same rules with the game's numbers: the scenes are the same, and
// only the rows where the two programs differ give different results.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "editor/CollisionDetection.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "shared/TrackRecords.h"
#include "tests/editor/support/PlayScene.h"
#include "world/TrackObjects.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

using CollisionDetection::gCandidates;
using CollisionDetection::TestObjects;
using CollisionDetection::UpdatePlayer;

namespace {

class PlayCollision : public ::testing::TestWithParam<RulesUnderTest> {
protected:
    PlayScene scene{GetParam()};
    bool Editor() const { return GetParam() == RulesUnderTest::Editor; }
};

INSTANTIATE_TEST_SUITE_P(BothRules, PlayCollision,
                         ::testing::Values(RulesUnderTest::Editor, RulesUnderTest::GameNumbers),
                         [](const auto& info) { return info.param == RulesUnderTest::Editor ? "Editor" : "Game"; });

// The candidates of the last gathering as (kind, face, index).
std::vector<std::tuple<int, int, int>> Gathered(int32_t count) {
    std::vector<std::tuple<int, int, int>> list;
    for (int32_t i = 0; i < count; ++i) {
        const auto& c = gCandidates[static_cast<size_t>(i)];
        list.emplace_back(c.ObjectKind, c.FaceNumber, c.ObjectIndex);
    }
    return list;
}

TEST_P(PlayCollision, ThePlayerRestsTheRulesGapAboveATopStepAfterStep) {
    PlayScene::AddBlock(-2, 0, 0, 4, 1, 20);
    PlayScene::Place(0, 1.5f, 2);
    for (int frame = 0; frame < 60; ++frame) scene.Frame();
    for (int frame = 0; frame < 10; ++frame) {
        scene.Frame();
        ASSERT_NEAR(gPlayer.PosY(), 1.0 + scene.Gap(), 1e-6) << frame;
        ASSERT_TRUE(gCanJump) << frame;
    }
}

TEST_P(PlayCollision, LandingOnAFallingBlockTakesThePlayerDownWithIt) {
    // A block whose top is at 3, already falling at 0.05 a frame.
    PlayScene::AddBlock(-2, 2.05f, 0, 4, 1, 20, ACTION_FALLING);
    clsblock& block = gBlocks[0];
    block.Fall();
    gTrackSettings.Gravity = 0.05f;
    block.draw();
    block.Ypos(2);
    ASSERT_FLOAT_EQ(block.fallvel(), 0.05f);
    gTrackSettings.Gravity = kNormalGravity;

    PlayScene::Place(0, static_cast<float>(3.0 + scene.Gap()), 2);
    UpdatePlayer();
    EXPECT_FLOAT_EQ(gPlayer.PosY(), Editor() ? 3.051f : 3.0501f);
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), Editor() ? -0.051f : -0.0501f);
    EXPECT_TRUE(gCanJump);
}

TEST_P(PlayCollision, ARunEndsBelowTheRulesFallLimitAndNotAtIt) {
    gTrackSettings.Gravity = 0;
    PlayScene::Place(0, -12, 2);  // inside the game's fall-sound band
    UpdatePlayer();
    EXPECT_EQ(PlayScene::heard.sounds, Editor() ? std::vector<int16_t>{} : std::vector<int16_t>{3});
    PlayScene::Place(0, scene.DeadBelow(), 2);
    UpdatePlayer();
    EXPECT_FALSE(gPlayer.DeathStatus());
    PlayScene::Place(0, scene.DeadBelow() - 0.01f, 2);
    UpdatePlayer();
    EXPECT_TRUE(gPlayer.DeathStatus());

    gPlayer.resetPLayer();
    PlayScene::Place(0, -40.01f, 2);
    UpdatePlayer();
    EXPECT_EQ(gPlayer.DeathStatus(), Editor());
}

TEST_P(PlayCollision, TheFinishEndsTheStepBeforeTheStarsAndTheKill) {
    // The player drops across an instant-kill block, whose top comes first, and a higher
    // finish, which the shortened drop still reaches.
    PlayScene::AddBlock(-2, 0, 0, 2, 1, 20, ACTION_INSTANTKILL);
    PlayScene::AddBlock(0, 0, 0, 2, 1.5f, 20, ACTION_FINISH);
    PlayScene::AddStar(0, 1, 2);
    PlayScene::Place(0, 1.6f, 2, 0, -0.7f);
    UpdatePlayer();
    EXPECT_TRUE(CollisionDetection::gKillPending);  // seen, never applied
    EXPECT_FALSE(gPlayer.getexplodeStatus());
    EXPECT_TRUE(gStars[0].visible());
    EXPECT_EQ(gPlayer.DeathStatus(), Editor());  // the editor ends the run; the game completes the level
    EXPECT_EQ(PlayScene::heard.finishes, Editor() ? 0 : 1);
    EXPECT_TRUE(PlayScene::heard.sounds.empty());
}

TEST_P(PlayCollision, BlockTopsComeKillFirstThenOtherSpecialsThenAllThenTheOtherFaces) {
    PlayScene::AddBlock(-1, 0, 0, 2, 1, 4);                     // 0 plain
    PlayScene::AddBlock(-1, -30, 0, 2, 1, 4, ACTION_INSTANTKILL);  // 1 far below: near all the same
    PlayScene::AddBlock(-1, 30, 0, 2, 1, 4, ACTION_JUMPPAD);       // 2 far above
    PlayScene::Place(0, 1.001f, 1);
    const int32_t count = TestObjects();
    std::vector<std::tuple<int, int, int>> expected = {{1, 3, 1}, {1, 3, 2}, {1, 3, 0}, {1, 3, 1}, {1, 3, 2}};
    for (int face : {1, 2, 4, 5})
        for (int block = 0; block < 3; ++block) expected.emplace_back(1, face, block);
    EXPECT_EQ(Gathered(count), expected);
    EXPECT_EQ(gCandidates[0].ActionCode, ACTION_INSTANTKILL);
    EXPECT_EQ(gCandidates[1].ActionCode, ACTION_JUMPPAD);
}

TEST_P(PlayCollision, PlatformsComeFirstAndRampsBeforeTheBlockSides) {
    PlayScene::AddBlock(-1, 0, 0, 2, 1, 4);
    PlayScene::AddRamp(-1, 0, 0, 2, 1, 4, 0);
    PlayScene::AddPlatform(-1, 0, 0, 2, 1, 4, 3, 5, 5, ACTION_ICE);
    PlayScene::Place(0, 1.001f, 1);
    const int32_t count = TestObjects();
    std::vector<std::tuple<int, int, int>> expected;
    for (int face = 1; face <= 5; ++face) expected.emplace_back(2, face, 0);
    expected.emplace_back(1, 3, 0);
    expected.emplace_back(3, 6, 0);
    for (int face = 1; face <= 5; ++face) expected.emplace_back(3, face, 0);
    for (int face : {1, 2, 4, 5}) expected.emplace_back(1, face, 0);
    EXPECT_EQ(Gathered(count), expected);
    EXPECT_EQ(gCandidates[0].ActionCode, ACTION_ICE);
    EXPECT_EQ(gCandidates[6].ActionCode, 0);  // a ramp has none
}

TEST_P(PlayCollision, AnObjectIsNearOnlyStrictlyInsideItsFootprintWidenedByOne) {
    PlayScene::AddBlock(-1, 0, 5, 2, 1, 4);
    PlayScene::Place(0, 1, 3.5f, 0, 0, 0.5f);  // next Z exactly 1.0 before the front edge
    EXPECT_EQ(TestObjects(), 0);
    PlayScene::Place(0, 1, 3.51f, 0, 0, 0.5f);
    EXPECT_EQ(TestObjects(), 5);
    PlayScene::Place(1.5f, 1, 6, 0.5f);  // next X exactly 1.0 beyond the right edge
    EXPECT_EQ(TestObjects(), 0);
    PlayScene::Place(1.49f, 1, 6, 0.5f);
    EXPECT_EQ(TestObjects(), 5);
    gBlockCount = -1;  // every block deleted: the slot stays, the bound says none
    EXPECT_EQ(TestObjects(), 0);
}

TEST_P(PlayCollision, BlockCodesOnAPlatformThrowThePlayerAndLeaveTheBlocksAlone) {
    PlayScene::AddBlock(20, 0, 0, 2, 1, 2);  // block 0, far away: the platform's index names it too
    PlayScene::AddPlatform(-2, 0, 0, 4, 1, 20, 3, 0, 5, ACTION_JUMPPAD);
    PlayScene::Place(0, static_cast<float>(1.0 + scene.Gap()), 2);
    scene.Frame();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), 0.45f);
    EXPECT_FALSE(gCanJump);
    EXPECT_TRUE(gPlayer.BounceFlag());
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 0.0f);  // no hop
    scene.Frame();
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 0.0f);

    gMovingPlatforms[0].changeactioncode(ACTION_FALLING);
    PlayScene::Place(0, static_cast<float>(1.0 + scene.Gap()), 2);
    scene.Frame();
    scene.Frame();
    EXPECT_NEAR(gPlayer.PosY(), 1.0 + scene.Gap(), 1e-6);  // a plain landing
    EXPECT_FLOAT_EQ(gBlocks[0].fallvel(), 0.0f);
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 0.0f);
    // The game plays the jump pad's sound, never a falling block's for a platform.
    EXPECT_EQ(PlayScene::heard.sounds, Editor() ? std::vector<int16_t>{} : std::vector<int16_t>{6});
}

TEST_P(PlayCollision, APausedPlatformCarriesNobodyAndIsMetWhereItStands) {
    PlayScene::AddPlatform(-2, 0, 0, 4, 1, 20, 3, 10, 5);  // 0.1 a frame towards +X
    PlayScene::Place(0, static_cast<float>(1.0 + scene.Gap()), 2);
    UpdatePlayer();
    EXPECT_NEAR(gPlayer.HorizontalVelocity(), 0.1f, 1e-6);  // running: carried

    gPlatformsPaused = true;
    PlayScene::Place(0, static_cast<float>(1.0 + scene.Gap()), 2);
    for (int frame = 0; frame < 5; ++frame) {
        frmMain.PollKeyboard();
        scene.Frame();
        EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.0f) << frame;
        EXPECT_NEAR(gPlayer.PosY(), 1.0 + scene.Gap(), 1e-6) << frame;
    }
    EXPECT_EQ(gPlayer.Posx(), 0.0f);

    // Driving into its side: stopped at the side, not pushed along.
    PlayScene::Place(-2.5f, static_cast<float>(1.0 + scene.Gap()), 2, 0.12f);
    UpdatePlayer();
    EXPECT_NEAR(gPlayer.HorizontalVelocity(), -2.0 - (-2.5) - 0.4 - scene.Gap(), 1e-6);
}

// --- The editor's rules alone

class EditorPlayCollision : public ::testing::Test {
protected:
    PlayScene scene;
};

TEST_F(EditorPlayCollision, AGravityCommandActsOnTheNextStep) {
    PlayScene::Place(0, 20, 2);
    UpdatePlayer();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.025f);
    frmMain.mnu_low_Click();
    UpdatePlayer();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.0375f);
    frmMain.mnu_normal_Click();
    UpdatePlayer();
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity(), -0.0625f);
}

TEST_F(EditorPlayCollision, TheRulesTellTheProgramNothingButTheFinish) {
    // No sound, no star counter or text, no fall, death or jump count: those hooks are left
    // doing nothing.
    const WorldRules quiet{};
    EXPECT_EQ(gWorldRules.PlaySound, quiet.PlaySound);
    EXPECT_EQ(gWorldRules.StarTaken, quiet.StarTaken);
    EXPECT_EQ(gWorldRules.Killed, quiet.Killed);
    EXPECT_EQ(gWorldRules.Fell, quiet.Fell);
    EXPECT_EQ(gWorldRules.ExplosionEnded, quiet.ExplosionEnded);
    EXPECT_EQ(gWorldRules.Jumped, quiet.Jumped);
    EXPECT_NE(gWorldRules.Finish, quiet.Finish);

    // A star is taken all the same: hidden, with its burst.
    PlayScene::AddStar(0, 3, 1);
    UpdatePlayer();
    EXPECT_FALSE(gStars[0].visible());
}

struct TiltedBlock : clsblock {
    // A top tilted about two axes, which no track object makes, met by the player below.
    void TiltTop() { CollisionPlanes[2] = {0.5f, 0.70710678f, 0.5f, -3.3154f}; }
};

TEST_F(EditorPlayCollision, FacesTheStepCannotUseAreSkippedSilently) {
    PlayScene::AddBlock(-3, 0, 0, 6, 2, 40);
    TiltedBlock tilted;
    static_cast<clsblock&>(tilted) = gBlocks[0];
    tilted.TiltTop();
    gBlocks[0] = tilted;
    PlayScene::Place(0, 2.05f, 5, 0, -0.1f, 0);
    UpdatePlayer();
    EXPECT_FALSE(gCanJump);
    EXPECT_TRUE(scene.bed.messages.empty());  // the run goes on

    // A ramp without height has a slope of no plane: never met, and nothing turns NaN.
    gBlockCount = -1;
    PlayScene::AddRamp(-2, 0, 0, 4, 0, 10, 0);
    PlayScene::Place(0, 0.05f, 3, 0, -0.1f, 0.3f);
    for (int frame = 0; frame < 5; ++frame) scene.Frame();
    EXPECT_TRUE(std::isfinite(gPlayer.PosY()) && std::isfinite(gPlayer.verticalvelocity()));
    EXPECT_TRUE(std::isfinite(gPlayer.Posz()) && std::isfinite(gPlayer.HorizontalVelocity()));
}

}  // namespace
