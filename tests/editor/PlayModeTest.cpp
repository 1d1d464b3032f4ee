// Play Mode! and Edit Mode: a test run drives on a snapshot of the track, saved to tmp.trk
// and loaded again at every restart and on the way back, so nothing the run does reaches the
// edited track; the commands that meet a run (Save, Open, New, the gravity) keep to that.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Keyboard.h"
#include "shared/DeviceAndCamera.h"
#include "shared/TrackRecords.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/PlayScene.h"
#include "tests/support/TrackSamples.h"
#include "world/TrackObjects.h"
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
    scene.bed.RunFrames(3);
    frmMain.mnu_New_Click();
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(frmMain.mnu_playmode.Checked);
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

TEST_F(PlayMode, ASnapshotThatCannotBeWrittenKeepsEditModeAndTheTrack) {
    // A snapshot of another track left from an earlier run, and no way to write a new one.
    const std::string edited = DescribeEditedTrack();
    scene.bed.folder.Write("tmp.trk", samples::TrackBytes(samples::SmallTrack()));
    const std::vector<uint8_t> stale = Snapshot();
    std::filesystem::create_directory(FileIO::SnapshotFile() + ".tmp");
    frmMain.mnu_playmode_Click();
    ASSERT_EQ(scene.bed.messages.size(), 1u);
    EXPECT_EQ(scene.bed.messages[0], "The track could not be saved to " + FileIO::SnapshotFile() + ".");
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(frmMain.mnu_editmode.Checked);
    EXPECT_FALSE(frmMain.mnu_playmode.Checked);
    EXPECT_EQ(DescribeEditedTrack(), edited);
    EXPECT_EQ(Snapshot(), stale);
    scene.bed.RunFrames(2);
    EXPECT_EQ(DescribeEditedTrack(), edited);

    std::filesystem::remove(FileIO::SnapshotFile() + ".tmp");
    scene.EnterPlayMode();
}

TEST_F(PlayMode, ASnapshotThatCannotBeReadKeepsTheWholeTrack) {
    scene.EnterPlayMode();
    DriveOntoTheFallingBlock();
    scene.bed.folder.Write("tmp.trk", {4, 0, 0});
    const float fallen = gBlocks[1].Ypos();
    gPlayer.DeathStatus(true);
    scene.bed.RunFrames(1);
    ASSERT_EQ(scene.bed.messages.size(), 1u);
    EXPECT_EQ(scene.bed.messages[0].rfind("This file cannot be opened as a track: ", 0), 0u);
    EXPECT_EQ(gBlockCount, 3);
    EXPECT_LT(gBlocks[1].Ypos(), fallen);  // the same objects, the fall going on
    EXPECT_LT(gPlayer.PosY(), 3.5f);       // the new run started all the same
    EXPECT_EQ(gPlayer.Posz(), 1.0f);

    // Nor is it saved over a track file.
    scene.bed.folder.Write("mine.lvl", {1, 2, 3});
    SaveAs("mine.lvl");
    ASSERT_EQ(scene.bed.messages.size(), 2u);
    EXPECT_EQ(scene.bed.messages[1], "The track could not be saved to " + scene.bed.folder.File("mine.lvl") + ".");
    EXPECT_EQ(scene.bed.folder.Read("mine.lvl"), (std::vector<uint8_t>{1, 2, 3}));

    frmMain.mnu_editmode_Click();
    EXPECT_EQ(scene.bed.messages.size(), 3u);
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_EQ(gBlockCount, 3);
    EXPECT_EQ(gStarCount, 0);
}

}  // namespace
