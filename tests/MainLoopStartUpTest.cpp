// The game's start-up and shutdown, its messages and its log, driven by a fake window, clock
// and device.
#include "tests/MainLoopFixture.h"

#include <sys/stat.h>

#include "game/LevelCompletion.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/Longs.h"

namespace {

TEST_F(MainLoop, StartsLogsEachStepAndEndsOnClose) {
    script = [](bool) { frmGame::Form_Unload(); };
    Run();
    const std::string log = Log();
    EXPECT_NE(log.find("\"Initalise DirectX and DX3D = True\"\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("\"Initalise DirectInput = True\"\r\n"), std::string::npos);
    EXPECT_NE(log.find("\"Initalise DirectSound = "), std::string::npos);  // headless: sound may be off
    EXPECT_NE(log.find("\"Graphics Card = Recording Adapter\"\r\n"), std::string::npos);
    EXPECT_NE(log.find("\"Hardware Rasterizer (HAL) avalible\"\r\n"), std::string::npos);
    EXPECT_EQ(gGameState, STATE_LEAVING);
    EXPECT_FALSE(gRunning);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(folder.Read("stats.dat").size(), 4u + 16u * static_cast<size_t>(gLevelCount))
        << "the first start creates stats.dat";
    EXPECT_TRUE(started);
}

// The first start in a folder that takes no files: one message for the folder and nothing
// about a change, each failure logged once, and the game plays; leaving a level, which saves
// the statistics, only logs that they could not be stored. Then, on a full disk with both
// files in place, start-up writes nothing and so tells nothing, and the first save it stops
// is told: a new reason.
TEST_F(MainLoop, AFolderThatTakesNoFilesIsToldOnceForTheSessionAndAFullDiskWhenItStopsASave) {
    script = [](bool) {
        if (gGameState != STATE_MAINMENU) return;
        EnterPlay();
        frmGame::resetgame(false);
        frmGame::Form_Unload();
    };
    {
        FaultyDisk disk;  // keeps permissions for root too
        chmod(folder.File("levels.dat").c_str(), 0444);
        chmod(folder.Path().c_str(), 0555);
        Run();
        chmod(folder.Path().c_str(), 0755);
        chmod(folder.File("levels.dat").c_str(), 0644);
    }
    EXPECT_TRUE(started);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(folder.Path() + " (Permission denied)"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("settings, play statistics and best times"), std::string::npos) << messages[0];
    EXPECT_EQ(messages[0].find("change"), std::string::npos) << messages[0];
    const std::string log = Log();
    EXPECT_NE(log.find("Could not save the play statistics to " + folder.File("stats.dat") + ": Permission denied"),
              std::string::npos) << log;
    const size_t first = log.find("/options.dat");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("/options.dat", first + 1), std::string::npos) << "logged twice:\n" << log;

    messages.clear();
    audio = nullptr;
    const auto options = Longs({80, -400, 1});
    folder.Write("options.dat", options);
    folder.Write("stats.dat", std::vector<uint8_t>(4 + 16 * static_cast<size_t>(gLevelCount)));
    // What a save killed before its rename left, in a start that saves nothing: the start removes it.
    const std::string leftover = ".stats.dat." + std::to_string(getpid()) + ".velorune-tmp";
    folder.Write(leftover, {1});
    FaultyDisk disk;
    disk.failCall = 0;  // the first write would meet a full disk
    int startUpWrites = -1;
    bool leftoverAtTheMenu = true;
    script = [&](bool) {
        if (gGameState != STATE_MAINMENU) return;
        startUpWrites = disk.changingCalls;
        leftoverAtTheMenu = std::filesystem::exists(folder.File(leftover));
        EXPECT_TRUE(messages.empty()) << messages.front();
        EnterPlay();
        frmGame::resetgame(false);
        frmGame::Form_Unload();
    };
    Run();
    EXPECT_TRUE(started);
    EXPECT_EQ(startUpWrites, 0);
    EXPECT_EQ(folder.Read("options.dat"), options);
    EXPECT_FALSE(leftoverAtTheMenu) << "removed by the start, before any save";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("play statistics to " + folder.File("stats.dat") + ": No space left on device"),
              std::string::npos) << messages[0];
}

TEST_F(MainLoop, AFullDiskAtTheFirstStartNamesWhatCannotBeStored) {
    script = [](bool) {
        if (gGameState == STATE_MAINMENU) frmGame::Form_Unload();
    };
    FaultyDisk disk;
    disk.failCall = 1;  // the disk fills up in the first file written
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(" (No space left on device), so your settings and play statistics cannot be stored "),
              std::string::npos) << messages[0];
}

// A folder that holds its files but takes no new one, or files that take no writes: start-up
// tells it once, naming what cannot be stored, and the saves that then fail only log.
TEST_F(MainLoop, AReadOnlyFolderOrReadOnlyFilesAreToldOnceAtStart) {
    script = [](bool) {
        if (gGameState != STATE_MAINMENU) return;
        EnterPlay();
        frmGame::resetgame(false);             // the play statistics
        DXmusicSFX::SetMusicVolume(40);        // the settings
        frmGame::InsertHighScore("ACE", 1, 0);  // the best times
        frmGame::Form_Unload();
    };
    const std::string folderTold = "Velorune cannot store files in its folder " + folder.Path() +
                                   " (Permission denied), so your settings and play statistics cannot be stored";
    const std::string filesTold = "Velorune cannot write to options.dat, stats.dat and levels.dat in its folder " +
                                  folder.Path() + " (Permission denied), so your settings, play statistics and " +
                                  "best times cannot be stored";
    for (const bool readOnlyFolder : {true, false}) {
        folder.Write("options.dat", Longs({80, -400, 1}));
        folder.Write("stats.dat", Longs({1000}));  // shorter than a save: replaced whole
        FaultyDisk disk;  // keeps permissions for root too
        const auto changed = {folder.Path(), folder.File("options.dat"), folder.File("stats.dat"),
                              folder.File("levels.dat")};
        for (const std::string& path : changed)
            if ((path == folder.Path()) == readOnlyFolder) chmod(path.c_str(), path == folder.Path() ? 0555 : 0444);
        messages.clear();
        audio = nullptr;
        Run();
        for (const std::string& path : changed) chmod(path.c_str(), path == folder.Path() ? 0755 : 0644);
        EXPECT_TRUE(started);
        ASSERT_EQ(messages.size(), 1u) << messages.back();
        EXPECT_EQ(messages[0].rfind(readOnlyFolder ? folderTold : filesTold, 0), 0u) << messages[0];
        EXPECT_NE(Log().find("Could not save the play statistics to"), std::string::npos) << Log();
    }
}

TEST_F(MainLoop, NoHardwareEndsWithItsMessageAndThreeFalseLines) {
    adapter.HasHal = false;
    Run();
    const std::string log = Log();
    EXPECT_NE(log.find("\"No 3D Hardware Detected\""), std::string::npos);
    EXPECT_NE(log.find("\"Initalise DirectX and DX3D = False\""), std::string::npos);
    EXPECT_NE(log.find("\"Initalise DirectInput = False\""), std::string::npos);
    EXPECT_NE(log.find("\"Initalise DirectSound = False\""), std::string::npos);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "No 3D hardware detected. VeloRune requires a 3D accelerator Video Card");
    EXPECT_EQ(window.pumps, 0);
    EXPECT_FALSE(started);
}

// The window cannot be opened (no OpenGL): the log is open before it with its start-up lines
// ending in False, and the message is that of a device that cannot be made, the system's reason
// after it.
TEST_F(MainLoop, AWindowThatCannotOpenIsLoggedAndToldWithTheSystemsReason) {
    started = frmGame::Form_Load([](std::string& reason) -> platform::Window* {
        reason = "OpenGL context: GLXBadFBConfig";
        return nullptr;
    });
    const std::string log = Log();
    for (const char* line : {"\"Velo Rune Debug\"\r\n", "\"Initalise DirectX and DX3D = False\"\r\n",
                             "\"Initalise DirectInput = False\"\r\n", "\"Initalise DirectSound = False\"\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Something went wrong trying to initalise DX -2005530518 Not available\n\nThe game window "
                           "could not be opened: OpenGL context: GLXBadFBConfig");
    EXPECT_FALSE(started);
}

TEST_F(MainLoop, AMissingMenuPictureEndsStartUpAsAFailure) {
    std::filesystem::remove(folder.File("gui/quit.bmp"));
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("gui/quit.bmp"), std::string::npos) << messages[0];
    EXPECT_EQ(window.pumps, 0);
    EXPECT_FALSE(started);
}

TEST_F(MainLoop, DeviceCreationFailureAndMissingTransformAndLightingAreReported) {
    adapter.HasTransformAndLight = false;
    Run();
    EXPECT_NE(Log().find("\"No Hardware Transform and lighting avalible\""), std::string::npos);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Hardware Transform and lighting required. Feature not found");

    adapter = {};
    adapter.CreateDeviceResult = d3d::D3DERR_NOTAVAILABLE;
    messages.clear();
    Run();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Something went wrong trying to initalise DX -2005530518 ", 0), 0u) << messages[0];
}

TEST_F(MainLoop, InitD3DSetsTheDeviceStatesInOrder) {
    adapter.MultiSamples = {2, 6};
    d3d::PresentParameters params;
    std::vector<std::pair<d3d::RenderState, uint32_t>> writes;
    std::vector<d3d::RecordedCall> calls;
    script = [&](bool) {
        params = device()->Parameters();
        writes = device()->RenderStateWrites();
        calls = device()->Calls();
        frmGame::Form_Unload();
    };
    Run();
    EXPECT_EQ(params.BackBufferWidth, 800u);
    EXPECT_EQ(params.MultiSampleType, 6u);
    ASSERT_GE(writes.size(), 6u);
    std::vector<std::pair<d3d::RenderState, uint32_t>> first(writes.begin(), writes.begin() + 6);
    const std::vector<std::pair<d3d::RenderState, uint32_t>> expected = {
        {d3d::RS_LIGHTING, 0},          {d3d::RS_ZENABLE, 1},           {d3d::RS_ALPHABLENDENABLE, 1},
        {d3d::RS_POINTSPRITEENABLE, 1}, {d3d::RS_POINTSCALEENABLE, 1}, {d3d::RS_POINTSIZE, 0x3CF5C28Fu}};
    EXPECT_EQ(first, expected);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].Kind, d3d::CallKind::SetTextureStageState);
    EXPECT_EQ(calls[0].State, d3d::TSS_MAGFILTER);
    EXPECT_EQ(calls[1].State, d3d::TSS_MINFILTER);
    EXPECT_EQ(calls[2].Kind, d3d::CallKind::SetVertexShader);
    EXPECT_EQ(calls[2].State, d3d::FVF_LITVERTEX);
}

}  // namespace
