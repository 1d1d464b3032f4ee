// The Insert menu: every kind of object in front of the camera, looking and behaving as its
// kind, selected and shown in the panel; nothing outside edit mode.
#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"
#include "shared/TrackCodec.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/editor/support/TrackLooks.h"
#include "world/TrackObjects.h"

namespace {

using Insert = void (editor::MainForm::*)();

struct BlockKind {
    const char* name;
    Insert insert;
    float x, width, height, depth;
    uint8_t topRepeat, sideRepeat;
    std::array<const char*, 4> textures;
    uint8_t code;
};

const char* const kDot = "Blue With Yellow Dot.bmp";
const char* const kCross = "Red Cross on Grey.bmp";

const BlockKind kBlockKinds[] = {
    {"plain", &editor::MainForm::mnu_block_Click, 0, 1, 1, 0.9f, 0, 0,
     {"_default.bmp", "_default.bmp", "_default.bmp", "_default.bmp"}, 0},
    {"jump pad", &editor::MainForm::mnu_BouncePad_Click, -1, 2, 1, 2, 1, 0, {kDot, kDot, kDot, kDot}, 2},
    {"building", &editor::MainForm::mnu_building_Click, -1, 3, 4, 4, 1, 1,
     {"buildingFront.bmp", "building Side.bmp", "building Side.bmp", "buildingTop.bmp"}, 10},
    {"win", &editor::MainForm::mnu_Endlevel_Click, -1, 2, 1, 2, 1, 0,
     {"_WIN.bmp", "_WIN.bmp", "_WIN.bmp", "_WIN.bmp"}, 1},
    {"falling", &editor::MainForm::mnu_fallingBlock_Click, -1, 2, 1, 2, 0, 0,
     {"red.bmp", "red.bmp", "red.bmp", "red.bmp"}, 4},
    {"ice", &editor::MainForm::mnu_ice_Click, -1, 2, 1, 2, 0, 0, {"Ice2.bmp", "Ice2.bmp", "Ice2.bmp", "Ice2.bmp"}, 3},
    {"instant kill", &editor::MainForm::mnu_instantkill_Click, -1, 2, 1, 2, 0, 0, {kCross, kCross, kCross, kCross}, 6},
    {"turbo", &editor::MainForm::mnu_turbo_Click, -1, 2, 1, 3, 1, 0,
     {"buildingTop.bmp", "buildingTop.bmp", "buildingTop.bmp", "AnimationTest_0.bmp"}, 5},
};

const Insert kEveryInsert[] = {
    &editor::MainForm::mnu_block_Click,        &editor::MainForm::mnu_BouncePad_Click,
    &editor::MainForm::mnu_building_Click,     &editor::MainForm::mnu_Endlevel_Click,
    &editor::MainForm::mnu_fallingBlock_Click, &editor::MainForm::mnu_ice_Click,
    &editor::MainForm::mnu_instantkill_Click,  &editor::MainForm::mnu_turbo_Click,
    &editor::MainForm::mnu_MovingPlatform_Click, &editor::MainForm::mnu_Ramp_Click,
    &editor::MainForm::mnu_Star_Click,
};

}  // namespace

class Inserting : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    void Run(Insert insert) { (frmMain.*insert)(); }
    EditorTestBed bed;
};

TEST_F(Inserting, EveryBlockKindStandsInFrontOfTheCameraWithItsLookAndCode) {
    for (const float eyeZ : {-18.0f, -16.5f}) {
        for (const BlockKind& kind : kBlockKinds) {
            SCOPED_TRACE(std::string(kind.name) + " at eye Z " + std::to_string(eyeZ));
            frmMain.NewTrack();
            gCameraEye.Z = eyeZ;
            Run(kind.insert);
            ASSERT_EQ(gBlockCount, 1);
            const clsblock& block = gBlocks[1];
            EXPECT_EQ(block.Xpos(), kind.x);
            EXPECT_EQ(block.Ypos(), 0.0f);
            EXPECT_EQ(block.GetPosition().Z, eyeZ + 18.0f);
            EXPECT_EQ(block.scaleX(), kind.width);
            EXPECT_EQ(block.scaleY(), kind.height);
            EXPECT_EQ(block.scalez(), kind.depth);
            EXPECT_EQ(block.ScaleTextureTop(), kind.topRepeat);
            EXPECT_EQ(block.ScaleTextureSide(), kind.sideRepeat);
            EXPECT_EQ(FaceTextures(block), std::vector<std::string>(kind.textures.begin(), kind.textures.end()));
            EXPECT_EQ(block.changeactioncode(), kind.code);
            // The highlight moved from the new track's block to the new one.
            EXPECT_TRUE(Highlighted(block));
            EXPECT_FALSE(Highlighted(gBlocks[0]));
            EXPECT_TRUE(gHasSelection);
            EXPECT_EQ(gSelectedType, KIND_BLOCK);
            EXPECT_EQ(gSelectedIndex, 1);
            // Every kind refreshes the panel, the jump pad too.
            EXPECT_EQ(frmMain.UpDownX.Value, static_cast<int32_t>(kind.x));
            EXPECT_EQ(frmMain.txt_width.Text, std::to_string(static_cast<int>(kind.width)));
            EXPECT_EQ(frmMain.Combo1.Enabled, kind.code == 0);
            EXPECT_EQ(frmMain.Combo1.ListIndex, kind.topRepeat);
            EXPECT_FALSE(frmMain.cmd_ramp.Enabled);
        }
    }
}

TEST_F(Inserting, APlatformStandsPausedAndKeepsDirectionLoopDistanceAndSpeed) {
    for (const float eyeZ : {-18.0f, -16.5f}) {
        SCOPED_TRACE(eyeZ);
        frmMain.NewTrack();
        gCameraEye.Z = eyeZ;
        frmMain.mnu_MovingPlatform_Click();
        ASSERT_EQ(gPlatformCount, 0);  // into the new track's empty list
        const clsMovingPlatform& platform = gMovingPlatforms[0];
        EXPECT_EQ(platform.Xpos(), 0.0f);
        EXPECT_EQ(platform.Zpos(), eyeZ + 18.0f);
        EXPECT_EQ(platform.GetInitalZpos(), eyeZ + 18.0f);
        EXPECT_EQ(platform.scaleX(), 2.0f);
        EXPECT_EQ(platform.scaleY(), 1.0f);
        EXPECT_EQ(platform.scalez(), 2.0f);
        EXPECT_EQ(FaceTextures(platform), std::vector<std::string>(4, "concrete.bmp"));
        EXPECT_EQ(platform.Mdir(), 3);
        EXPECT_EQ(platform.GetinitalMDir(), 3);
        EXPECT_TRUE(platform.MloopBack());
        EXPECT_EQ(platform.Mdist(), 5);
        EXPECT_EQ(platform.Mspeed(), 5);
        EXPECT_TRUE(Highlighted(platform));
        EXPECT_FALSE(Highlighted(gBlocks[0]));
        EXPECT_EQ(gSelectedType, KIND_PLATFORM);
        EXPECT_EQ(gSelectedIndex, 0);
        // The running platforms were paused, so the panel offers the direction at once.
        EXPECT_TRUE(gPlatformsPaused);
        EXPECT_EQ(frmMain.cmd_pause.Caption, "UnPause Platforms");
        EXPECT_TRUE(frmMain.cmbo_Direction.Enabled);
        EXPECT_EQ(frmMain.cmbo_Direction.ListIndex, 1);  // "Right"
    }
}

TEST_F(Inserting, APlatformLeavesPausedPlatformsPausedAndGivesTheFocusBack) {
    frmMain.cmd_pause_Click();
    const int focusBefore = bed.host.focusRequests;
    frmMain.mnu_MovingPlatform_Click();
    frmMain.mnu_MovingPlatform_Click();
    EXPECT_TRUE(gPlatformsPaused);
    EXPECT_EQ(frmMain.cmd_pause.Caption, "UnPause Platforms");
    EXPECT_EQ(bed.host.focusRequests, focusBefore + 2);
    EXPECT_EQ(gPlatformCount, 1);
    EXPECT_FALSE(Highlighted(gMovingPlatforms[0]));
    EXPECT_TRUE(Highlighted(gMovingPlatforms[1]));
}

TEST_F(Inserting, APlatformIsSavedWithTheSettingsItWasGiven) {
    gCameraEye.Z = -16.5f;
    frmMain.mnu_MovingPlatform_Click();
    frmMain.cmd_pause_Click();  // it runs its five units and turns back
    for (int i = 0; i < 110; ++i) frmMain.MovePlatforms();
    ASSERT_EQ(gMovingPlatforms[0].Mdir(), 2);
    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("platform.lvl")));

    const std::vector<uint8_t> bytes = bed.folder.Read("platform.lvl");
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile saved;
    std::string error;
    ASSERT_TRUE(TrackCodec::ReadTrackFile(in, saved, error)) << error;
    ASSERT_EQ(saved.Level.PlatformCount, 0);
    const MovingPlatformRecord& platform = saved.Level.Platforms[0];
    EXPECT_EQ(platform.Direction, 3);  // as given, not as it runs now
    EXPECT_NE(platform.LoopBack, 0);
    EXPECT_EQ(platform.Distance, 5);
    EXPECT_EQ(platform.Speed, 5);
    EXPECT_EQ(platform.X, 0.0f);  // where it was placed
    EXPECT_EQ(platform.Z, 1.5f);
    EXPECT_EQ(platform.ScaleX, 2.0f);
    EXPECT_EQ(platform.ScaleZ, 2.0f);
}

TEST_F(Inserting, ARampAndAStarGoToTheirOwnPlaces) {
    for (const auto& [eyeZ, rampZ, starZ] : {std::tuple{-18.0f, 0, 1}, std::tuple{-17.0f, 1, 2}}) {
        SCOPED_TRACE(eyeZ);
        frmMain.NewTrack();
        gCameraEye.Z = eyeZ;
        frmMain.mnu_Ramp_Click();
        ASSERT_EQ(gRampCount, 0);
        clsRamp& ramp = gRamps[0];
        EXPECT_EQ(ramp.Xpos(), 0);
        EXPECT_EQ(ramp.Ypos(), 1);
        EXPECT_EQ(ramp.Zpos(), rampZ);
        EXPECT_EQ(ramp.scaleX(), 1);
        EXPECT_EQ(ramp.scaleY(), 1);
        EXPECT_EQ(ramp.scalez(), 2);
        EXPECT_EQ(ramp.GetRotation(), 0);
        EXPECT_EQ(ramp.GetTextureA(), "_default.bmp");
        EXPECT_EQ(ramp.GetTextureB(), "_default.bmp");
        EXPECT_TRUE(Highlighted(ramp));
        EXPECT_TRUE(frmMain.cmd_ramp.Enabled);

        frmMain.mnu_Star_Click();
        ASSERT_EQ(gStarCount, 0);
        clsStar& star = gStars[0];
        EXPECT_EQ(star.Xpos(), 0);
        EXPECT_EQ(star.Ypos(), 1);
        EXPECT_EQ(star.Zpos(), starZ);
        EXPECT_EQ(SkinDrawn(star, bed.Device()), "StarSkin_selected.bmp");
        EXPECT_FALSE(Highlighted(ramp));
        EXPECT_EQ(gSelectedType, KIND_STAR);
        EXPECT_EQ(frmMain.txt_Z.Text, std::to_string(starZ));
    }
}

TEST_F(Inserting, AStarRoundsItsPlaceToTheEvenUnitAndStaysOnTheTrack) {
    gCameraEye.Z = -16.5f;  // 2.5 units on
    frmMain.mnu_Star_Click();
    EXPECT_EQ(gStars[0].Zpos(), 2);
    gCameraEye.Z = -19.5f;  // -0.5: to the even 0
    frmMain.mnu_Star_Click();
    EXPECT_EQ(gStars[1].Zpos(), 0);
    gCameraEye.Z = -25.0f;  // behind the start: refused, Z stays 0
    frmMain.mnu_Star_Click();
    EXPECT_EQ(gStars[2].Zpos(), 0);
}

TEST_F(Inserting, NothingIsInsertedInPlayMode) {
    gEditorMode = MODE_PLAY;
    for (Insert insert : kEveryInsert) Run(insert);
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gRampCount, -1);
    EXPECT_EQ(gPlatformCount, -1);
    EXPECT_EQ(gStarCount, -1);
    EXPECT_EQ(gSelectedType, KIND_BLOCK);
    EXPECT_EQ(gSelectedIndex, 0);
    EXPECT_TRUE(Highlighted(gBlocks[0]));
    EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
}

TEST_F(Inserting, WithNothingSelectedOnlyTheNewObjectIsHighlighted) {
    gHasSelection = false;
    gBlocks[0].UnSelectBlock();
    frmMain.mnu_ice_Click();
    EXPECT_FALSE(Highlighted(gBlocks[0]));
    EXPECT_TRUE(Highlighted(gBlocks[1]));
}

TEST_F(Inserting, EveryInsertMakesAFreshObjectWhereADeleteLeftOneBehind) {
    // The last object of each kind deleted: the counts say none, the slots still hold them.
    gBlocks[0].changeactioncode(6);
    gBlocks[0].ScaleTextureTop(3);
    gBlockCount = -1;
    gRamps.resize(1);
    gRamps[0].create(0, 0, 0);
    gRamps[0].rotate();
    gMovingPlatforms.resize(1);
    gMovingPlatforms[0].Xpos(7);
    gMovingPlatforms[0].Ypos(4);
    gStars.resize(1);
    gHasSelection = false;

    frmMain.mnu_block_Click();
    frmMain.mnu_Ramp_Click();
    frmMain.mnu_MovingPlatform_Click();
    frmMain.mnu_Star_Click();
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gBlocks[0].changeactioncode(), 0);
    EXPECT_EQ(gBlocks[0].ScaleTextureTop(), 0);
    EXPECT_EQ(gRamps[0].GetRotation(), 0);
    EXPECT_EQ(gMovingPlatforms[0].GetInitalXpos(), 0.0f);
    EXPECT_EQ(gMovingPlatforms[0].GetInitalYpos(), 0.0f);
    EXPECT_EQ(gMovingPlatforms[0].Ypos(), 0.0f);
    EXPECT_EQ(gStars[0].Zpos(), 1);
}

TEST_F(Inserting, TheNewObjectIsWhereClicksFindIt) {
    // Its planes stand where it is drawn, for picks and test runs.
    frmMain.mnu_building_Click();
    EXPECT_EQ(gBlocks[1].GetCollisionPlane(3).D, -4.0f);  // the top at y = 4
    frmMain.mnu_MovingPlatform_Click();
    EXPECT_EQ(gMovingPlatforms[0].GetCollisionPlane(2).D, -2.0f);  // the right side at x = 2
    frmMain.mnu_Ramp_Click();
    EXPECT_EQ(gRamps[0].GetCollisionPlane(5).D, 1.0f);  // the bottom at y = 1, normal -Y
}
