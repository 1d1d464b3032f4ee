// The whole start-up, main loop and shutdown, driven by a fake window, clock and device.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelCompletion.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/recording/FakeDirect3D.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/recording/RecordingAudio.h"
#include "tests/support/FakeWindow.h"
#include "tests/support/FaultyDisk.h"
#include "tests/support/Longs.h"
#include "tests/support/ScratchFolder.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "ui/GUI_Button.h"
#include "world/clsPlayer.h"

namespace {

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* assets = std::getenv("VELORUNE_ASSETS")) {
            for (const char* name : {"levels.dat", "gui"})
                if (std::filesystem::exists(std::string(assets) + "/" + name))
                    std::filesystem::copy(std::string(assets) + "/" + name, folder.File(name),
                                          std::filesystem::copy_options::recursive);
        }
        platform::SetClockSource(&clock);
        clock.ticks = 5000;
        clock.counter = 5'000'000;
        gDX = [this] {
            auto root = std::make_unique<d3d::FakeDirect3D>(adapter);
            fake = root.get();
            return root;
        };
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
        window.onPump = [this] { OnPump(); };
    }
    void TearDown() override {
        platform::SetClockSource(nullptr);
        platform::SetMessageBoxHandler(nullptr);
        gDX = nullptr;
        DXmusicSFX::ShutdownSound();
    }

    // The test's script for one pump; the first pump in the main menu swaps in recorded sound.
    void OnPump() {
        if (gGameState == STATE_MAINMENU && !audio) {
            auto output = std::make_unique<platform::RecordingAudio>();
            audio = output.get();
            DXmusicSFX::InitSound(std::move(output));
        }
        const size_t presents = device() ? device()->CountOf(d3d::CallKind::Present) : 0;
        const bool insideStep = gGameState == STATE_PLAYING && presents != lastPresents;
        lastPresents = presents;
        if (script) script(insideStep);
        if (++guard > 100000) frmGame::Form_Unload();  // never hang a test
    }

    // Alive only while the game runs: shutdown releases the device and its root object.
    d3d::RecordingDevice* device() const { return fake ? fake->LastDevice() : nullptr; }
    void Run() {
        started = frmGame::Form_Load(window);
        fake = nullptr;
    }
    // Builds level 1, as the level-select screen does, and starts playing it.
    static void EnterPlay() {
        gCurrentLevel = 1;
        LevelStructure::BuildLevel(gCurrentLevel, false);
        frmGame::startPlaying();
    }
    std::string Log() const { return folder.ReadText("Debug.txt"); }

    ScratchFolder folder;
    platform::ManualClock clock;
    FakeWindow window{clock};
    d3d::FakeAdapter adapter;
    d3d::FakeDirect3D* fake = nullptr;
    platform::RecordingAudio* audio = nullptr;
    std::vector<std::string> messages;
    std::function<void(bool insideStep)> script;
    size_t lastPresents = 0;
    int guard = 0;
    bool started = false;  // what Form_Load returned: the program's exit status follows it
};

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

// Wakes come early (a message arrived) and late (a busy machine), from the window's wait and
// from the precise sleep alike: a step starts at the first wake past 40 ms, never before, and
// no wait asked of the window outlasts what is left until the step is due.
TEST_F(MainLoop, AStepStartsAtTheFirstWakePastFortyMillisecondsAndNoWaitOutlastsWhatIsLeft) {
    uint32_t seed = 12345;
    auto random = [&seed](double low, double high) {
        seed = seed * 1103515245u + 12345u;
        return low + (high - low) * static_cast<double>((seed >> 8) & 0xFFFF) / 65535.0;
    };
    std::vector<int64_t> wakes, stepStarts;
    int tooLongWaits = 0;
    window.onWait = [&](int timeoutMs) {
        const double left = 40.0 - static_cast<double>(clock.counter - gLastCounter) / 1000.0;
        if (gGameState == STATE_PLAYING && timeoutMs > left) ++tooLongWaits;
    };
    window.waitLasts = [&](int timeoutMs) {
        const double lasts = std::max(0.0, timeoutMs + random(-0.9, 1.5));
        if (gGameState == STATE_PLAYING) wakes.push_back(clock.counter + static_cast<int64_t>(lasts * 1000.0));
        return lasts;
    };
    clock.wake = [&](int64_t target) {  // counts are microseconds
        const int64_t end = std::max(clock.counter, target + static_cast<int64_t>(random(-300, 100)));
        if (gGameState == STATE_PLAYING) wakes.push_back(end);
        return end;
    };
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
        } else if (insideStep) {
            stepStarts.push_back(gLastCounter);
            if (stepStarts.size() == 60) frmGame::Form_Unload();
        }
    };
    Run();
    ASSERT_EQ(stepStarts.size(), 60u);
    EXPECT_EQ(tooLongWaits, 0);
    for (size_t i = 1; i < stepStarts.size(); ++i) {
        EXPECT_GT(stepStarts[i] - stepStarts[i - 1], 40000) << "step " << i;
        auto firstDueWake = std::find_if(wakes.begin(), wakes.end(),
                                         [&](int64_t w) { return w - stepStarts[i - 1] > 40000; });
        ASSERT_NE(firstDueWake, wakes.end());
        EXPECT_EQ(*firstDueWake, stepStarts[i]) << "step " << i;
    }
    for (int wait : window.waits) EXPECT_GE(wait, 1);  // waiting, never spinning
}

// Menu passes come once per display refresh (60 Hz when the display reports none), sleeping in
// between; each reads the keys, and a frame is drawn only when it would not look the same as
// the one on screen. Idle in the main menu, on the level-select screen and behind the pause
// menu: not one frame in a second. A key that moves the focus is read at the next pass and
// draws one frame there; letting it go again draws nothing.
TEST_F(MainLoop, AnIdleMenuDrawsNoFrameAndAKeyThatMovesTheFocusDrawsOne) {
    for (int refreshRate : {0, 75}) {
        window.refreshRate = refreshRate;
        const int64_t period = 1'000'000 / (refreshRate ? refreshRate : 60);
        std::vector<size_t> idleFrames;
        size_t framesAtStart = 0;
        int64_t enteredAt = -1, idleStart = -1, pressedAt = -1, movedAt = -1;
        size_t framesBeforeKey = 0, framesAfterKey = 0;
        int pumpsAtStart = 0, idlePumps = 0;
        int16_t idleState = STATE_MAINMENU;
        bool escHeld = false;
        auto frames = [&] { return device()->CountOf(d3d::CallKind::Present); };
        script = [&](bool) {
            if (gGameState == STATE_PLAYING) {
                if (!escHeld) dinput::SystemKeyboard().SetKey(dinput::DIK_ESCAPE, escHeld = true);
                return;
            }
            if (gGameState != idleState) return;
            if (idleFrames.size() < 3) {  // the main menu, the level select, the pause menu
                if (enteredAt < 0) {
                    dinput::SystemKeyboard().SetKey(dinput::DIK_ESCAPE, escHeld = false);
                    enteredAt = clock.counter;
                }
                if (idleStart < 0) {  // once the screen's first frame is on screen
                    if (clock.counter - enteredAt < 100'000) return;
                    idleStart = clock.counter;
                    framesAtStart = frames();
                    pumpsAtStart = window.pumps;
                    return;
                }
                if (clock.counter - idleStart < 1'000'000) return;
                idleFrames.push_back(frames() - framesAtStart);
                if (idleState == STATE_MAINMENU) idlePumps = window.pumps - pumpsAtStart;
                idleStart = enteredAt = -1;
                if (idleState == STATE_MAINMENU) {
                    idleState = STATE_LEVELSELECT;
                    GUI::ChooseZoneA();
                } else if (idleState == STATE_LEVELSELECT) {
                    idleState = STATE_PAUSE;
                    gGameState = STATE_PLAYING;  // as the play button leaves it
                    frmGame::startPlaying();
                    GUI::ShowScreen(0);
                }
                return;
            }
            // Behind the pause menu the focus starts on button 32 (tab 2); Down moves it to 33.
            if (pressedAt < 0) {
                dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, true);
                pressedAt = clock.counter;
                framesBeforeKey = frames();
            } else if (gTabIndex == 3 && movedAt < 0) {
                movedAt = clock.counter;  // the pass that read the key; its frame follows in it
                dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, false);
            } else if (movedAt >= 0 && clock.counter - movedAt >= 1'000'000) {
                framesAfterKey = frames() - framesBeforeKey;
                frmGame::Form_Unload();
            }
        };
        guard = 0;
        Run();
        const int rate = refreshRate ? refreshRate : 60;
        EXPECT_EQ(idleFrames, (std::vector<size_t>{0, 0, 0})) << refreshRate;
        EXPECT_GE(idlePumps, rate - 1) << "a pass, and so a read of the keys, at every refresh";
        EXPECT_LE(idlePumps, 4 * rate) << "a few pumps a pass, no spinning";
        for (int wait : window.waits) EXPECT_GE(wait, 1);
        ASSERT_GE(movedAt, 0) << refreshRate;
        EXPECT_LE(movedAt - pressedAt, period) << refreshRate;
        EXPECT_EQ(framesAfterKey, 1u) << refreshRate;
    }
}

// The device rehearses its kinds of draw only once the main menu's first frame is shown, at
// most one in a menu pass: a key that moves the focus meanwhile draws its frame within a
// refresh, as ever, long before the rehearsal is done. Play begins with the rest rehearsed.
TEST_F(MainLoop, TheRehearsalFollowsTheFirstMenuFrameInMenuPassesAndEndsBeforePlay) {
    constexpr size_t kKinds = 12;
    constexpr int64_t kPeriod = 1'000'000 / 60;
    adapter.KindsToRehearse = static_cast<int>(kKinds);
    size_t rehearsed = 0, framesAtFirstRehearsal = 0, framesBeforeKey = 0, rehearsedAtKey = 0;
    size_t rehearsedInPlay = 0;
    int64_t pressedAt = -1, drawnAt = -1;
    script = [&](bool insideStep) {
        const size_t frames = device()->CountOf(d3d::CallKind::Present);
        const size_t now = device()->CountOf(d3d::CallKind::RehearseNext);
        if (gGameState != STATE_PLAYING) {
            EXPECT_LE(now, rehearsed + 1) << "at most one between two pumps";
        }
        if (now > 0 && rehearsed == 0) framesAtFirstRehearsal = frames;
        rehearsed = now;
        if (pressedAt < 0 && rehearsed == 3) {
            dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, true);
            pressedAt = clock.counter;
            framesBeforeKey = frames;
        } else if (pressedAt >= 0 && drawnAt < 0 && frames > framesBeforeKey) {
            drawnAt = clock.counter;  // the frame that shows the focus moved
            rehearsedAtKey = rehearsed;
            dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, false);
            EnterPlay();
        } else if (insideStep) {
            rehearsedInPlay = rehearsed;
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_GE(framesAtFirstRehearsal, 2u) << "the loading picture, then the main menu";
    ASSERT_GE(drawnAt, 0);
    EXPECT_LE(drawnAt - pressedAt, 2 * kPeriod + 1) << "read at the next pass, drawn at the one after";
    EXPECT_LT(rehearsedAtKey, kKinds / 2);
    EXPECT_EQ(rehearsedInPlay, kKinds);
}

// A pointer move onto a button draws one frame, with the button's rollover picture; moves
// within the button draw nothing more; the window uncovered shows the last frame again.
TEST_F(MainLoop, APointerMoveOntoAButtonDrawsOneFrameWithItsRollover) {
    size_t framesBefore = 0, framesAfterMove = 0, framesAfterStill = 0, drawsBeforePaint = 0;
    std::vector<std::string> pictures;  // the button pictures of the frame drawn for the move
    int64_t movedAt = -1;
    int stage = 0;
    script = [&](bool) {
        if (gGameState != STATE_MAINMENU) return;
        d3d::RecordingDevice& recorder = *device();
        const GUI_Button& options = gButtons[20];
        const float x = options.X() + 10, y = options.Y() + 10;
        switch (stage) {
            case 0:  // the main menu is on screen
                if (recorder.CountOf(d3d::CallKind::Present) == 0 || clock.counter < 100'000) return;
                framesBefore = recorder.CountOf(d3d::CallKind::Present);
                recorder.ClearRecording();
                window.Events().MouseMove(0, 0, x, y);
                movedAt = clock.counter;
                ++stage;
                break;
            case 1:
                if (recorder.CountOf(d3d::CallKind::Present) == 0) return;
                EXPECT_LE(clock.counter - movedAt, 1'000'000 / 60 + 1) << "within one refresh";
                for (const d3d::DrawCall& draw : recorder.DrawCalls())
                    if (draw.TexturePath().find("gui/") != std::string::npos) pictures.push_back(draw.TexturePath());
                framesAfterMove = recorder.CountOf(d3d::CallKind::Present);
                window.Events().MouseMove(0, 0, x + 20, y + 5);  // still on the button
                movedAt = clock.counter;
                ++stage;
                break;
            case 2:
                if (clock.counter - movedAt < 1'000'000) return;
                framesAfterStill = recorder.CountOf(d3d::CallKind::Present);
                drawsBeforePaint = recorder.DrawCalls().size();
                window.Events().Paint();
                ++stage;
                break;
            default:
                EXPECT_EQ(recorder.CountOf(d3d::CallKind::Present), framesAfterStill + 1);
                EXPECT_EQ(recorder.DrawCalls().size(), drawsBeforePaint) << "shown again, not drawn";
                frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_GE(framesBefore, 1u);
    EXPECT_EQ(framesAfterMove, 1u);
    EXPECT_EQ(framesAfterStill, 1u);
    auto shows = [&](const std::string& file) {
        return std::any_of(pictures.begin(), pictures.end(),
                           [&](const std::string& p) { return p.size() >= file.size() && p.ends_with(file); });
    };
    EXPECT_TRUE(shows("gui/options_roll_over.bmp"));
    EXPECT_TRUE(shows("gui/Play.bmp")) << "the highlight left the play button";
    EXPECT_FALSE(shows("gui/Play_roll_over.bmp"));
}

// Every kind of change to what a menu frame shows draws one new frame, and the passes after it
// none: a device restored, a rollover, a screen switch, a volume step, a level-select step, a
// letter typed on name entry, and animated textures that moved on in the step that opened
// the pause menu (after that step's frame).
TEST_F(MainLoop, EachChangeDrawsOneFrameAndTheIdlePassesAfterItNone) {
    struct Change {
        const char* what;
        size_t frames;  // drawn after it
        std::function<void()> make;
    };
    dinput::Keyboard& keys = dinput::SystemKeyboard();
    auto click = [this](int32_t button) {
        const GUI_Button& b = gButtons[button];
        window.Events().MouseDown(0, 0, b.X() + 10, b.Y() + 10);
    };
    int steps = 0;
    bool pauseWithTexturesMoving = false;
    const std::vector<Change> changes = {
        {"nothing", 0, [] {}},
        {"the device restored", 1, [this] { device()->SetCooperativeLevelResult(d3d::D3DERR_DEVICENOTRESET); }},
        {"a rollover", 1, [this] { window.Events().MouseMove(0, 0, gButtons[20].X() + 10, gButtons[20].Y() + 10); }},
        {"a screen switch", 1, [&] { click(20); }},  // options
        {"a volume step", 1, [&] { click(16); }},
        {"a screen switch", 1, [] { GUI::ChooseZoneA(); }},
        {"a level-select step", 1, [&] { keys.SetKey(dinput::DIK_RIGHT, true); }},
        {"a screen switch", 1, [] {
             gGameState = STATE_NAMEENTRY;
             GUI::ShowScreen(0);
         }},
        {"a letter typed", 1, [&] { keys.SetKey(dinput::DIK_A, true); }},
        {"an animated texture step", 1, [&] {
             EnterPlay();
             GUI::ShowScreen(0);
             pauseWithTexturesMoving = true;
         }},
        {"nothing", 0, [] {}},
    };
    size_t next = 0, framesBefore = 0;
    int64_t settledAt = -1;
    auto frames = [this] { return device()->CountOf(d3d::CallKind::Present); };
    script = [&](bool insideStep) {
        if (pauseWithTexturesMoving) {
            if (insideStep) ++steps;
            if (gGameState == STATE_PLAYING && !insideStep && steps >= 3) {
                clock.ticks += 400;  // the next step moves the textures on, after its frame
                keys.SetKey(dinput::DIK_ESCAPE, true);
            } else if (gGameState == STATE_PAUSE) {
                pauseWithTexturesMoving = false;  // the step's frame shows the pause menu
                framesBefore = frames();
                settledAt = clock.counter;
            }
            return;
        }
        if (gGameState == STATE_LOADING || clock.counter - settledAt < 300'000) return;
        if (settledAt >= 0) {
            EXPECT_EQ(frames() - framesBefore, changes[next - 1].frames) << changes[next - 1].what;
        }
        if (next == changes.size()) {
            frmGame::Form_Unload();
            return;
        }
        keys.ReleaseAll();
        framesBefore = frames();
        changes[next++].make();
        settledAt = clock.counter;
    };
    Run();
    EXPECT_EQ(next, changes.size());
}

TEST_F(MainLoop, UnfocusedPlayRunsNoStepAndPausesTheMusicThenResumesIt) {
    int steps = 0;
    int unfocusedPumps = 0;
    std::vector<std::string> calls;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            DXmusicSFX::PlayMusic(1);
            return;
        }
        if (insideStep && ++steps == 2) window.focus = false;
        if (!window.focus && ++unfocusedPumps == 20) window.focus = true;
        if (steps == 3) {
            calls = audio->calls;  // the sound output goes with the shutdown
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_EQ(steps, 3);
    int pauses = 0, plays = 0;
    for (const std::string& call : calls) {
        if (call == "stream 1 pause") ++pauses;
        if (call == "stream 1 play") ++plays;
    }
    EXPECT_GE(pauses, 1);
    EXPECT_EQ(plays, 2);  // started, then resumed when the focus came back
}

TEST_F(MainLoop, DeathRestartsAtTheNextStepBeforeTheKeys) {
    int steps = 0;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            return;
        }
        if (!insideStep) return;
        ++steps;
        if (steps == 3) gPlayer.DeathStatus(true);
        if (steps == 4) {
            EXPECT_FALSE(gPlayer.DeathStatus());
            EXPECT_EQ(TotalFrames, 0);  // restarted at the start of this step; counted after
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_EQ(steps, 4);
}

TEST_F(MainLoop, SlowStepCatchesUpButNeverAfterPlayEnded) {
    int steps = 0;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            return;
        }
        if (gGameState == STATE_PAUSE) {
            frmGame::Form_Unload();
            return;
        }
        if (!insideStep) return;
        ++steps;
        if (steps == 2) clock.AdvanceMs(100);  // a slow step: the next follows at once
        if (steps == 3) {
            clock.AdvanceMs(100);
            gGameState = STATE_PAUSE;  // Esc inside the step: no catch-up step may follow
        }
    };
    Run();
    EXPECT_EQ(steps, 3);
}

}  // namespace
