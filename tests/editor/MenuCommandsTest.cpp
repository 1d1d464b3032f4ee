// The Background, Gravity, Help and Quit commands of the menus.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/EditorGlobals.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/EditorTestBed.h"

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    EditorTestBed bed;
};

TEST_F(MenuCommands, ABackgroundCarriesTheOnlyMarkAndNamesTheTracksPicture) {
    EXPECT_EQ(BackgroundMarks(), (std::vector<bool>{true, false, false, false, false, false}));
    frmMain.mnu_background_Click(4);
    EXPECT_EQ(BackgroundMarks(), (std::vector<bool>{false, false, false, true, false, false}));
    EXPECT_EQ(gBackgroundFile, FixedLengthText("bk003.jpg", 50));
    EXPECT_EQ(gBackgroundFile.size(), 50u);
    frmMain.mnu_background_Click(1);
    EXPECT_EQ(BackgroundMarks(), (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_EQ(WithoutPadding(gBackgroundFile), "_default.jpg");
}

TEST_F(MenuCommands, GravitySetsTheTracksFallGivesTheFocusBackAndMovesTheMark) {
    frmMain.mnu_low_Click();
    EXPECT_EQ(gTrackSettings.Gravity, 0.0125f);
    EXPECT_TRUE(frmMain.mnu_low.Checked);
    EXPECT_FALSE(frmMain.mnu_normal.Checked);
    EXPECT_EQ(bed.host.focusRequests, 1);
    frmMain.mnu_normal_Click();
    EXPECT_EQ(gTrackSettings.Gravity, 0.025f);
    EXPECT_TRUE(frmMain.mnu_normal.Checked);
    EXPECT_FALSE(frmMain.mnu_low.Checked);
    EXPECT_EQ(bed.host.focusRequests, 2);
}

TEST_F(MenuCommands, HowToUseOpensTheReadMeBesideTheProgramOrShowsItItself) {
    const std::string readme = bed.folder.Path() + "/readme.txt";
    frmMain.mnu_Shortcut_Click();
    EXPECT_EQ(bed.host.openedFiles, std::vector<std::string>{readme});
    EXPECT_TRUE(bed.host.shownTexts.empty());

    bed.host.viewerMissing = true;  // a desktop without a viewer for text files
    frmMain.mnu_Shortcut_Click();
    ASSERT_EQ(bed.host.shownTexts.size(), 1u);
    EXPECT_EQ(bed.host.shownTexts[0].first, "How to Use");
    const std::vector<uint8_t> text = bed.folder.Read("readme.txt");
    EXPECT_EQ(bed.host.shownTexts[0].second, std::string(text.begin(), text.end()));

    std::filesystem::remove(readme);
    frmMain.mnu_Shortcut_Click();
    EXPECT_EQ(bed.host.openedFiles.size(), 2u);
    EXPECT_EQ(bed.messages, std::vector<std::string>{"The help file " + readme + " cannot be read."});
}

TEST_F(MenuCommands, AboutShowsTheWindowWhichOkHidesAndAboutShowsAgain) {
    frmMain.mnu_about_Click();
    EXPECT_TRUE(frmAbout.Visible);
    frmAbout.cmdOK_Click();
    EXPECT_FALSE(frmAbout.Visible);
    frmMain.mnu_about_Click();
    EXPECT_TRUE(frmAbout.Visible);
    EXPECT_EQ(frmAbout.Caption, "About Velorune Level Editor");
    EXPECT_EQ(frmAbout.lblVersion.Caption, "Version 1.0.0");
}
