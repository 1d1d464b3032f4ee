// Play Mode! and Edit Mode: a test run drives on a snapshot of the track, saved to tmp.trk
// and loaded again at every restart and on the way back, so nothing the run does reaches the
// edited track; the commands that meet a run (Save, Open, New, the gravity) keep to that.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Keyboard.h"
#include "shared/DeviceAndCamera.h"
#include "shared/TrackRecords.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/PlayScene.h"
#include "tests/editor/support/TrackLooks.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"

namespace {

class PlayMode : public ::testing::Test {
protected:
    // A floor from the start, a falling block after it with a star on the way, and apart from
    // them an instant-kill block, the finish and a moving platform.
    void SetUp() override {
        PlayScene::AddBlock(-2, 0, 0, 4, 1, 10);
        PlayScene::AddBlock(-2, 0, 10, 4, 1, 6, ACTION_FALLING);
        PlayScene::AddBlock(10, 0, 0, 2, 1, 2, ACTION_INSTANTKILL);
        PlayScene::AddBlock(20, 0, 0, 2, 1, 2, ACTION_FINISH);
        PlayScene::AddPlatform(-10, 0, 0, 2, 1, 2, clsMovingPlatform::kTowardsPlusX, 5, 3);
        PlayScene::AddStar(0, 1, 5);
    }
    std::vector<uint8_t> Snapshot() const { return scene.bed.folder.Read("tmp.trk"); }
    // Frames until the condition holds; false when it did not within the limit.
    bool RunUntil(const std::function<bool()>& condition, int limit = 400) {
        for (int frame = 0; frame < limit; ++frame) {
            if (condition()) return true;
            scene.bed.RunFrames(1);
        }
        return condition();
    }
    // Frames until one restarted the run (it began with the run over).
    bool RunUntilRestart(int limit = 400) {
        for (int frame = 0; frame < limit; ++frame) {
            const bool over = gPlayer.DeathStatus();
            scene.bed.RunFrames(1);
            if (over) return true;
        }
        return false;
    }
    // Up held from the start of a run until the falling block has dropped, the star taken.
    void DriveOntoTheFallingBlock() {
        scene.bed.Key(dinput::DIK_UP, true);
        ASSERT_TRUE(RunUntil([] { return gBlocks[1].Ypos() < -1; }));
        scene.bed.Key(dinput::DIK_UP, false);
        ASSERT_FALSE(gStars[0].visible());
    }
    void SaveAs(const std::string& name) {
        scene.bed.host.chosenFile = scene.bed.folder.File(name);
        frmMain.mnu_saveAS_Click();
    }
    PlayScene scene;
};

TEST_F(PlayMode, PlayModeStartsARunOnTheSnapshotAndEditModeComesBackToIt) {
    gTrackFileName = scene.bed.folder.File("mine.lvl");
    gHasSelection = true;
    gSelectedType = KIND_BLOCK;
    gSelectedIndex = 1;
    selection::ShowSelection();
    ASSERT_EQ(frmMain.txt_width.Text, "4");
    gPlatformsPaused = true;
    gCameraEye = {3, 4, 5};
    frmMain.mnu_playmode_Click();
    EXPECT_EQ(gEditorMode, MODE_PLAY);
    EXPECT_TRUE(frmMain.mnu_playmode.Checked);
    EXPECT_FALSE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(Snapshot().empty());
    EXPECT_FALSE(gHasSelection);
    EXPECT_EQ(frmMain.txt_width.Text, "1");  // the panel shows no object
    EXPECT_FALSE(gPlatformsPaused);  // paused platforms run in a test run
    EXPECT_EQ(gPlayer.PosY(), 3.5f);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    const float platformX = gMovingPlatforms[0].Xpos();
    scene.bed.RunFrames(2);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), platformX + 0.1f);

    frmMain.mnu_editmode_Click();
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(frmMain.mnu_playmode.Checked);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), platformX);  // loaded back
    EXPECT_EQ(gSnapshot.capacity(), 0u);  // and let go: a large track's snapshot is megabytes
    scene.bed.RunFrames(1);
    EXPECT_GT(gMovingPlatforms[0].Xpos(), platformX);  // and still running
    EXPECT_EQ(gTrackFileName, scene.bed.folder.File("mine.lvl"));
    EXPECT_TRUE(scene.bed.messages.empty());
}

TEST_F(PlayMode, PlayModeInPlayModeAndEditModeInEditModeChangeNothing) {
    gBlocks[0].Ypos(2);
    gCameraEye.Z = 7;
    frmMain.mnu_editmode_Click();
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 2.0f);  // no load
    EXPECT_EQ(gCameraEye.Z, 7.0f);             // no camera reset
    EXPECT_FALSE(std::filesystem::exists(FileIO::SnapshotFile()));
    gBlocks[0].Ypos(0);

    scene.EnterPlayMode();
    DriveOntoTheFallingBlock();
    const std::vector<uint8_t> snapshot = Snapshot();
    const float z = gPlayer.Posz(), eye = gCameraEye.Z, fallen = gBlocks[1].Ypos();
    frmMain.mnu_playmode_Click();
    EXPECT_EQ(Snapshot(), snapshot);  // no save
    EXPECT_EQ(gBlocks[1].Ypos(), fallen);  // no load
    EXPECT_EQ(gPlayer.Posz(), z);          // no new run
    EXPECT_EQ(gCameraEye.Z, eye);
}

TEST_F(PlayMode, SavedBeforeDuringAndAfterARunTheTrackGivesTheSameBytes) {
    SaveAs("before.lvl");
    scene.EnterPlayMode();

    // A fall: the star taken and the falling block dropped, both back after the restart.
    DriveOntoTheFallingBlock();
    ASSERT_TRUE(RunUntilRestart());
    EXPECT_TRUE(gStars[0].visible());
    EXPECT_FLOAT_EQ(gBlocks[1].Ypos(), 0.0f);

    // An explosion stops the platforms until the restart.
    PlayScene::Place(10.5f, 1.001f, 1);
    scene.bed.RunFrames(2);
    ASSERT_TRUE(gPlayer.getexplodeStatus());
    const float stoppedAt = gMovingPlatforms[0].Xpos();
    ASSERT_TRUE(RunUntilRestart());
    EXPECT_FALSE(gPlayer.getexplodeStatus());
    scene.bed.RunFrames(1);
    EXPECT_NE(gMovingPlatforms[0].Xpos(), stoppedAt);

    // The finish ends the run like a death.
    PlayScene::Place(20.5f, 1.001f, 1);
    ASSERT_TRUE(RunUntilRestart(3));
    EXPECT_EQ(gPlayer.Posx(), 0.0f);

    // Saved in the middle of a run: the track as edited, not as the run has left it.
    DriveOntoTheFallingBlock();
    SaveAs("during.lvl");
    frmMain.mnu_editmode_Click();
    EXPECT_FLOAT_EQ(gBlocks[1].Ypos(), 0.0f);
    EXPECT_TRUE(gStars[0].visible());
    SaveAs("after.lvl");

    const std::vector<uint8_t> before = scene.bed.folder.Read("before.lvl");
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(scene.bed.folder.Read("during.lvl"), before);
    EXPECT_EQ(scene.bed.folder.Read("after.lvl"), before);
    EXPECT_TRUE(scene.bed.messages.empty());
}

TEST_F(PlayMode, ACancelledOpenLeavesTheRunAsEditModeDoes) {
    scene.EnterPlayMode();
    DriveOntoTheFallingBlock();
    PlayScene::Place(10.5f, 1.001f, 1);
    scene.bed.RunFrames(1);  // the explosion stops the platforms
    scene.bed.host.chosenFile = "";
    frmMain.mnu_load_Click();
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_FLOAT_EQ(gBlocks[1].Ypos(), 0.0f);
    EXPECT_TRUE(gStars[0].visible());
    const float platformX = gMovingPlatforms[0].Xpos();
    scene.bed.RunFrames(1);
    EXPECT_GT(gMovingPlatforms[0].Xpos(), platformX);
    EXPECT_TRUE(scene.bed.messages.empty());
}

TEST_F(PlayMode, NewInPlayModeEndsTheRunAndKeepsTheNewTrack) {
    scene.EnterPlayMode();
    DriveOntoTheFallingBlock();  // the camera follows the player, the star's sparks fly
    ASSERT_GT(gParticles.ParticleCount(), 0);
    ASSERT_NE(XYZ(gCameraEye), XYZ(d3d::Vector3{0, 25, -18}));
    frmMain.mnu_New_Click();
    EXPECT_EQ(XYZ(gCameraEye), XYZ(d3d::Vector3{0, 25, -18}));
    EXPECT_EQ(XYZ(gCameraLookAt), XYZ(d3d::Vector3{0, 8, 0}));
    EXPECT_EQ(gParticles.ParticleCount(), 0);
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(frmMain.mnu_playmode.Checked);
    EXPECT_EQ(gSnapshot.capacity(), 0u);
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(2);  // no restart brings the old track back
    frmMain.mnu_editmode_Click();
    EXPECT_EQ(gBlockCount, 0);
    EXPECT_EQ(gStarCount, -1);
    EXPECT_EQ(gBlocks[0].scaleX(), 2.0f);
}

TEST_F(PlayMode, TheGravityMarksFollowTheGravityEveryLoadBringsBack) {
    scene.EnterPlayMode();
    frmMain.mnu_low_Click();
    EXPECT_TRUE(frmMain.mnu_low.Checked);
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(1);  // the restart loads the snapshot's normal gravity
    EXPECT_EQ(gTrackSettings.Gravity, kNormalGravity);
    EXPECT_TRUE(frmMain.mnu_normal.Checked);
    EXPECT_FALSE(frmMain.mnu_low.Checked);

    frmMain.mnu_low_Click();
    frmMain.mnu_editmode_Click();
    EXPECT_EQ(gTrackSettings.Gravity, kNormalGravity);
    EXPECT_TRUE(frmMain.mnu_normal.Checked);
    EXPECT_FALSE(frmMain.mnu_low.Checked);
}

TEST_F(PlayMode, ATrackWithoutBlocksHasNothingToPlayOn) {
    gBlocks.clear();
    gBlockCount = -1;
    frmMain.mnu_playmode_Click();
    EXPECT_EQ(scene.bed.messages, std::vector<std::string>{"There is nothing to play on: this track has no blocks."});
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_FALSE(std::filesystem::exists(FileIO::SnapshotFile()));
}

TEST_F(PlayMode, ASnapshotThatCannotBeWrittenKeepsEditModeAndTheTrack) {
    // A snapshot of another track left from an earlier run, and no way to write a new one.
    const std::string edited = DescribeEditedTrack();
    scene.bed.folder.Write("tmp.trk", samples::TrackBytes(samples::SmallTrack()));
    const std::vector<uint8_t> stale = Snapshot();
    auto disk = std::make_unique<FaultyDisk>();
    disk->failCall = 0;  // full
    frmMain.mnu_playmode_Click();
    ASSERT_EQ(scene.bed.messages.size(), 1u);
    EXPECT_EQ(scene.bed.messages[0].rfind("The track could not be saved to " + FileIO::SnapshotFile() + ".", 0), 0u);
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(frmMain.mnu_playmode.Checked);
    EXPECT_EQ(DescribeEditedTrack(), edited);
    EXPECT_EQ(Snapshot(), stale);
    scene.bed.RunFrames(2);
    EXPECT_EQ(DescribeEditedTrack(), edited);

    disk.reset();
    scene.EnterPlayMode();
}

TEST_F(PlayMode, ASnapshotFileWrittenOverByAnotherEditorChangesNothingOfTheRun) {
    SaveAs("mine.lvl");
    const std::vector<uint8_t> mine = scene.bed.folder.Read("mine.lvl");
    scene.EnterPlayMode();
    DriveOntoTheFallingBlock();
    // Another editor started from the same folder enters play mode on a track of its own.
    scene.bed.folder.Write("tmp.trk", samples::TrackBytes(samples::SmallTrack()));
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(1);
    EXPECT_EQ(FileIO::SavedBytes(), mine);  // the restart
    EXPECT_TRUE(gStars[0].visible());

    DriveOntoTheFallingBlock();
    SaveAs("during.lvl");
    EXPECT_EQ(scene.bed.folder.Read("during.lvl"), mine);
    frmMain.mnu_editmode_Click();
    EXPECT_EQ(FileIO::SavedBytes(), mine);
    EXPECT_TRUE(scene.bed.messages.empty());
}

TEST_F(PlayMode, TheGravityAndClipboardKeysActInARunAsTheirMenuEntriesDo) {
    gHasSelection = true;
    gSelectedType = KIND_BLOCK;
    gSelectedIndex = 0;
    frmMain.mnu_copy_Click();
    scene.EnterPlayMode();
    auto press = [](int16_t code, int16_t shift) {
        frmMain.Form_KeyDown(code, shift, false);
        return code;
    };

    PlayScene::Place(0, 30, 5);  // falling freely
    scene.Frame();
    const float normalStep = gPlayer.verticalvelocity();
    EXPECT_EQ(press(123, 0), 111);  // F12
    EXPECT_TRUE(frmMain.mnu_low.Checked);
    scene.Frame();
    EXPECT_FLOAT_EQ(normalStep, -kNormalGravity);
    EXPECT_FLOAT_EQ(gPlayer.verticalvelocity() - normalStep, -kLowGravity);

    EXPECT_EQ(press('V', 2), 111);  // Ctrl+V
    EXPECT_EQ(gBlockCount, 4);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedIndex, 4);
}

}  // namespace
