// The File menu's track commands: New, Open Track, Save Track and Save Track As, with what
// their dialogs are asked to offer and what happens when they are cancelled or fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/TrackCodec.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // Play mode as its menu leaves it, and the camera away from its start.
    void EnterPlayModeAndMoveTheCamera() {
        frmMain.mnu_playmode_Click();
        ASSERT_EQ(gEditorMode, MODE_PLAY);
        gCameraEye = {4, 5, 6};
    }
    void ExpectEditModeAndTheCameraAtItsStart() {
        EXPECT_EQ(gEditorMode, MODE_EDIT);
        EXPECT_TRUE(frmMain.mnu_editmode.Checked);
        EXPECT_FALSE(frmMain.mnu_playmode.Checked);
        EXPECT_EQ(gCameraEye.Y, 25.0f);
        EXPECT_EQ(gCameraEye.Z, -18.0f);
    }
    EditorTestBed bed;
};

TEST_F(FileCommands, SaveTrackWithoutAFileAsksWhereAndRemembersTheAnswer) {
    frmMain.mnu_save_Click();  // cancelled
    ASSERT_EQ(bed.host.dialogs.size(), 1u);
    const editor::FileDialogRequest& asked = bed.host.dialogs[0].request;
    EXPECT_TRUE(bed.host.dialogs[0].saving);
    EXPECT_EQ(asked.Title, "Save File");
    EXPECT_EQ(asked.FilterName, "VeloRune Levels *.lvl");
    EXPECT_EQ(asked.FilterPattern, "*.lvl");
    EXPECT_EQ(asked.StartFolder, bed.folder.Path() + "/levels/");
    EXPECT_EQ(asked.DefaultSuffix, "lvl");
    EXPECT_TRUE(gTrackFileName.empty());

    bed.host.chosenFile = bed.folder.File("mine.lvl");
    frmMain.mnu_save_Click();
    EXPECT_EQ(gTrackFileName, bed.folder.File("mine.lvl"));
    EXPECT_EQ(bed.folder.Read("mine.lvl").size(), 215u);

    // From now on Save Track writes there without asking.
    frmMain.mnu_background_Click(2);
    bed.host.chosenFile = bed.folder.File("other.lvl");
    frmMain.mnu_save_Click();
    EXPECT_EQ(bed.host.dialogs.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(bed.folder.File("other.lvl")));
    const auto bytes = bed.folder.Read("mine.lvl");
    EXPECT_EQ(std::string(bytes.begin() + 90, bytes.begin() + 99), "bk001.jpg");
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(FileCommands, SaveTrackAsAlwaysAsksAndAFailedSaveKeepsTheOldFile) {
    gTrackFileName = bed.folder.File("old.lvl");
    bed.host.chosenFile = bed.folder.File("no folder/new.lvl");
    frmMain.mnu_saveAS_Click();
    EXPECT_EQ(bed.host.dialogs.size(), 1u);
    EXPECT_EQ(gTrackFileName, bed.folder.File("old.lvl"));
    EXPECT_EQ(bed.messages.size(), 1u);
    bed.host.chosenFile = bed.folder.File("new.lvl");
    frmMain.mnu_saveAS_Click();
    EXPECT_EQ(gTrackFileName, bed.folder.File("new.lvl"));
}

TEST_F(FileCommands, NewForgetsTheFileAndTheTimesWithoutAsking) {
    gTrackFileName = bed.folder.File("last.lvl");
    bed.folder.Write("last.lvl", {1, 2, 3});
    gBestTimes.Seconds1 = 30;
    gBestTimes.Hundredths2 = 5;
    frmMain.mnu_New_Click();
    EXPECT_TRUE(gTrackFileName.empty());
    for (int place = 1; place <= 3; ++place) {
        EXPECT_EQ(gBestTimes.Seconds(place), 0);
        EXPECT_EQ(gBestTimes.Hundredths(place), 0);
    }
    EXPECT_TRUE(bed.messages.empty());
    frmMain.mnu_save_Click();  // asks instead of writing over the last track
    EXPECT_EQ(bed.host.dialogs.size(), 1u);
    EXPECT_EQ(bed.folder.Read("last.lvl").size(), 3u);
}

TEST_F(FileCommands, OpenTrackLoadsTheChosenFileAndRemembersIt) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    file.Level.Settings.Gravity = 5.0f;
    bed.folder.Write("chosen.lvl", samples::TrackBytes(file));
    bed.host.chosenFile = bed.folder.File("chosen.lvl");
    EnterPlayModeAndMoveTheCamera();
    frmMain.mnu_load_Click();
    ASSERT_EQ(bed.host.dialogs.size(), 1u);
    const editor::FileDialogRequest& asked = bed.host.dialogs[0].request;
    EXPECT_FALSE(bed.host.dialogs[0].saving);
    EXPECT_EQ(asked.Title, "Open");
    EXPECT_EQ(asked.FilterName, "VeloRune Levels *.lvl");
    EXPECT_EQ(asked.StartFolder, bed.folder.Path() + "/levels/");
    EXPECT_EQ(asked.DefaultSuffix, "");
    EXPECT_EQ(gTrackFileName, bed.folder.File("chosen.lvl"));
    EXPECT_EQ(gBlocks[0].scalez(), 40.0f);
    ExpectEditModeAndTheCameraAtItsStart();
    EXPECT_TRUE(frmMain.mnu_low.Checked);
    EXPECT_FALSE(frmMain.mnu_normal.Checked);
}

TEST_F(FileCommands, AnOpenedTrackHasNothingSelectedAndThePanelShowsSo) {
    gBlocks[0].scaleY(5);
    selection::ShowSelection();
    ASSERT_EQ(frmMain.txt_height.Text, "5");
    bed.folder.Write("chosen.lvl", samples::TrackBytes(samples::SmallTrack()));
    bed.host.chosenFile = bed.folder.File("chosen.lvl");
    frmMain.mnu_load_Click();
    EXPECT_FALSE(gHasSelection);
    EXPECT_EQ(frmMain.txt_height.Text, "1");
    EXPECT_EQ(frmMain.txt_X.Text, "0");
    const std::string opened = DescribeEditedTrack();
    for (int16_t key : {39, 65, 46, 13}) {  // Right, A, Delete, Enter
        frmMain.Form_KeyDown(key, 0, false);
        EXPECT_EQ(DescribeEditedTrack(), opened) << key;
    }
}

TEST_F(FileCommands, ACancelledOpenStillEndsPlayModeAndPutsTheCameraBack) {
    EnterPlayModeAndMoveTheCamera();
    const std::string before = DescribeEditedTrack();  // as saved to the snapshot
    frmMain.mnu_load_Click();
    ExpectEditModeAndTheCameraAtItsStart();
    EXPECT_EQ(DescribeEditedTrack(), before);
    EXPECT_TRUE(bed.messages.empty());
}

TEST_F(FileCommands, AFileThatCannotBeOpenedKeepsTheTrackAndItsFile) {
    BuildFullTrack();
    gTrackFileName = bed.folder.File("previous.lvl");
    bed.folder.Write("broken.lvl", {4, 0, 0});
    bed.host.chosenFile = bed.folder.File("broken.lvl");
    EnterPlayModeAndMoveTheCamera();
    const std::string before = DescribeEditedTrack();
    frmMain.mnu_load_Click();
    ASSERT_EQ(bed.messages.size(), 1u);
    const std::string refusal = "The file " + bed.folder.File("broken.lvl") + " cannot be opened as a track: ";
    EXPECT_EQ(bed.messages[0].rfind(refusal, 0), 0u) << bed.messages[0];
    EXPECT_EQ(DescribeEditedTrack(), before);
    ExpectEditModeAndTheCameraAtItsStart();
}

TEST_F(FileCommands, AGravityOtherThanNormalShowsAsLowAndIsKept) {
    for (float stored : {10.0f, 5.0f, 7.0f}) {
        TrackCodec::TrackFile file = samples::SmallTrack();
        file.Level.Settings.Gravity = stored;
        bed.folder.Write("gravity.lvl", samples::TrackBytes(file));
        bed.host.chosenFile = bed.folder.File("gravity.lvl");
        frmMain.mnu_load_Click();
        EXPECT_EQ(frmMain.mnu_normal.Checked, stored == 10.0f) << stored;
        EXPECT_EQ(frmMain.mnu_low.Checked, stored != 10.0f) << stored;
        EXPECT_EQ(gTrackSettings.Gravity, TrackCodec::GravityFromFile(stored)) << stored;
    }
}

TEST_F(FileCommands, TheMenuRowsRunTheCommands) {
    const editor::frmMainEvents events = frmMain.Events();
    const auto& file = events.Menus.at(0);
    ASSERT_EQ(file.Title, &frmMain.mnu_File);
    for (const editor::MenuEntry& entry : file.Entries) EXPECT_TRUE(entry.Click) << entry.Item->Caption;
    file.Entries.at(2).Click();  // Save Track
    file.Entries.at(3).Click();  // Save Track As
    file.Entries.at(1).Click();  // Open Track
    ASSERT_EQ(bed.host.dialogs.size(), 3u);
    EXPECT_EQ(bed.host.dialogs[0].request.Title, "Save File");
    EXPECT_EQ(bed.host.dialogs[1].request.Title, "Save File");
    EXPECT_EQ(bed.host.dialogs[2].request.Title, "Open");
}
