// Start-up of the main window, and the programs that stop after a start-up message.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "tests/editor/support/EditorTestBed.h"

TEST(EditorStartUp, OpensTheWindowOnANewTrackReadyToRun) {
    EditorTestBed bed;
    // What saves killed before their rename left in the snapshot's and the tracks' folders.
    const std::string leftover = "." + std::to_string(getpid()) + ".velorune-tmp";
    std::filesystem::remove(bed.folder.File("levels"));  // a link to the shipped levels: one of its own
    std::filesystem::create_directory(bed.folder.File("levels"));
    bed.folder.Write(".tmp.trk" + leftover, {1});
    bed.folder.Write("levels/.track.lvl" + leftover, {1});
    bed.Start();
    EXPECT_FALSE(std::filesystem::exists(bed.folder.File(".tmp.trk" + leftover)));
    EXPECT_FALSE(std::filesystem::exists(bed.folder.File("levels/.track.lvl" + leftover)));
    EXPECT_TRUE(bed.messages.empty());
    EXPECT_TRUE(frmMain.Running);
    EXPECT_TRUE(frmMain.Visible);
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(gEditorReady);
    EXPECT_FALSE(gPlatformsPaused);
    EXPECT_FALSE(frmMain.Check_Loop.Enabled);
    EXPECT_EQ(frmMain.VScroll1.Value, frmMain.VScroll1.Max);
    EXPECT_EQ(gTexturePath, bed.folder.Path() + "/textures/");
    EXPECT_EQ(gBackgroundPath, bed.folder.Path() + "/backgrounds/");
    ASSERT_GT(frmMain.File1.ListCount(), 0);
    EXPECT_EQ(frmMain.File1.ListIndex, 0);
    EXPECT_EQ(frmMain.File1.List(0), "_default.bmp");
    EXPECT_TRUE(gKeyboardDevice->Acquired());
    EXPECT_EQ(gPerfFrequency, bed.clock.frequency);
    EXPECT_EQ(gLastCounter, bed.clock.counter);
    EXPECT_EQ(gNowCounter, 0);
    // The About window is loaded hidden, its captions filled.
    EXPECT_FALSE(frmAbout.Visible);
    EXPECT_EQ(frmAbout.Caption, "About Velorune Level Editor");
    EXPECT_EQ(frmAbout.lblTitle.Caption, "Velorune Level Editor");
    EXPECT_EQ(frmAbout.lblVersion.Caption, "Version 1.0.0");
    EXPECT_EQ(frmAbout.cmdOK.Caption, "OK");
}

TEST(EditorStartUp, WithoutADeviceStopsAfterItsMessageAndEndsAtTheFirstPass) {
    d3d::FakeAdapter noHal;
    noHal.HasHal = false;
    EditorTestBed bed(noHal);
    bed.Start();
    EXPECT_EQ(bed.messages, std::vector<std::string>{"Error, no 3D card detected"});
    EXPECT_FALSE(frmMain.Running);
    EXPECT_FALSE(frmMain.Visible);
    EXPECT_FALSE(bed.keyboard.Acquired());  // the keyboard is not set up
    EXPECT_FALSE(gEditorReady);
    EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Ended);
    EXPECT_EQ(bed.host.endRequests, 1);
    EXPECT_EQ(gD3D, nullptr);
    EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Ended);
    EXPECT_EQ(bed.host.endRequests, 1);
}

TEST(EditorStartUp, WithoutAKeyboardStopsAfterItsMessage) {
    EditorTestBed bed;
    bed.keyboard.SetAvailable(false);
    bed.Start();
    EXPECT_EQ(bed.messages, std::vector<std::string>{"Error occured trying to initalise Direct Input"});
    EXPECT_EQ(bed.messageTitles, std::vector<std::string>{"Velorune Level Editor"});
    EXPECT_FALSE(frmMain.Running);
    EXPECT_FALSE(frmMain.Visible);
    EXPECT_FALSE(gEditorReady);
    EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Ended);
    EXPECT_EQ(gD3DDevice, nullptr);
    EXPECT_EQ(bed.host.endRequests, 1);
}

TEST(EditorStartUp, LoadsTheDefaultBackgroundByItsNameWithoutThePadding) {
    EditorTestBed bed;
    bed.Start();
    const auto loads = bed.Device().CallsOf(d3d::CallKind::CreateTextureFromFile);
    const auto first = std::find_if(loads.begin(), loads.end(),
                                    [](const d3d::RecordedCall& call) { return call.Text.find("backgrounds/") != std::string::npos; });
    ASSERT_NE(first, loads.end());
    EXPECT_EQ(first->Text, bed.folder.Path() + "/backgrounds/_default.jpg");
    EXPECT_NE(first->Texture, nullptr);
    EXPECT_EQ(gBackgroundFile.size(), 50u);
}

TEST(EditorStartUp, ACounterWithoutAFrequencyIsTakenToCountMilliseconds) {
    EditorTestBed bed;
    bed.clock.frequency = 0;
    bed.Start();
    EXPECT_EQ(gPerfFrequency, 1000);
    frmMain.LoopPass();
    bed.clock.counter += 41;
    frmMain.LoopPass();
    EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Frame);
}

TEST(EditorStartUp, AnEmptyTextureFolderHighlightsNoEntry) {
    EditorTestBed bed;
    std::filesystem::remove(bed.folder.File("textures"));  // the linked asset folder
    std::filesystem::create_directory(bed.folder.File("textures"));
    bed.Start();
    EXPECT_TRUE(frmMain.Running);
    EXPECT_EQ(frmMain.File1.ListCount(), 0);
    EXPECT_EQ(frmMain.File1.ListIndex, -1);
}

TEST(EditorShutdown, EveryPathStopsTheLoopAndReleasesTheDevice) {
    {
        EditorTestBed bed;
        bed.Start();
        frmMain.Form_Unload();  // the window's close
        EXPECT_FALSE(frmMain.Running);
        EXPECT_EQ(gD3DDevice, nullptr);
        EXPECT_EQ(bed.host.endRequests, 1);
        EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Ended);  // the loop does not run again
    }
    {
        EditorTestBed bed;
        bed.Start();
        frmMain.mnu_Quit_Click();
        EXPECT_FALSE(frmMain.Running);
        EXPECT_EQ(gD3DDevice, nullptr);
        EXPECT_EQ(bed.host.endRequests, 1);
    }
    {
        EditorTestBed bed;
        bed.Start();
        frmMain.Form_Terminate();
        EXPECT_FALSE(frmMain.Running);
        EXPECT_EQ(bed.host.endRequests, 0);
        EXPECT_NE(gD3DDevice, nullptr);
        bed.clock.AdvanceMs(1);
        EXPECT_EQ(frmMain.LoopPass(), editor::MainForm::Pass::Ended);  // after an idle pass
        EXPECT_EQ(gD3DDevice, nullptr);
        EXPECT_EQ(bed.host.endRequests, 1);
    }
}
