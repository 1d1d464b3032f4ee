#include "game/frmGame.h"

#include "game/DebugLog.h"
#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/GameRules.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/SaveProblem.h"
#include "game/LevelBuilding.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"
#include "world/TrackObjects.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/Paths.h"
#include "platform/threads/PicturePrefetch.h"
#include "platform/Window.h"
#include "shared/BinaryFile.h"
#include "ui/GUI.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"
#include "world/clsParticles.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

int32_t TotalFrames = 0;
int64_t gPerfFrequency = 0;
int64_t gLastCounter = 0;
int64_t gNowCounter = 0;

namespace frmGame {
namespace {

platform::Window* gWindow = nullptr;
uint32_t gLastAnimTick = 0;  // when the animated block textures last advanced

constexpr const char* kLoadingPicture = "load.jpg";
constexpr double kStepMs = 40.0;
// The window's message wait can wake a millisecond or more late (later on a busy machine):
// it sleeps only until this long before a deadline, and a precise sleep covers the rest.
constexpr int kPreciseWaitMs = 4;
constexpr int kDefaultRefreshHz = 60;  // menu passes on a display that reports no rate
constexpr double kAloneBeforeRehearsalMs = 1000;

const char* Word(bool result) { return result ? "True" : "False"; }

double MsSinceLastStep() {
    return static_cast<double>(gNowCounter - gLastCounter) / static_cast<double>(gPerfFrequency) * 1000.0;
}

int64_t CountsForMs(double ms) { return static_cast<int64_t>(ms * static_cast<double>(gPerfFrequency) / 1000.0); }

// The first counter value more than 40 ms after the last step began.
int64_t NextStepDue() { return gLastCounter + CountsForMs(kStepMs) + 1; }

// One wait towards deadline, a counter value, that dispatches the window's messages: the
// window's message wait (dispatching what comes meanwhile) for the whole milliseconds up to
// shortly before the deadline, otherwise the pending messages and then a precise sleep to the
// deadline itself, so that the caller goes on as soon as the deadline has passed. Neither is
// asked to sleep past the deadline, and neither spins.
void WaitTowards(int64_t deadline) {
    const int64_t left = deadline - platform::QueryPerformanceCounter();
    const int windowMs = static_cast<int>(static_cast<double>(left) * 1000.0 / static_cast<double>(gPerfFrequency)) -
                         kPreciseWaitMs;
    if (windowMs >= 1) {
        gWindow->WaitForMessages(windowMs);
        return;
    }
    gWindow->ProcessMessages();
    platform::SleepUntilCounter(deadline);
}

bool StillPlaying() { return gGameState == STATE_PLAYING && gRunning; }

void PlayStep() {
    gLastCounter = platform::QueryPerformanceCounter();
    if (gPlayer.DeathStatus()) resetgame(false);
    ProcessInput();
    CollisionDetection::CheckCollisions();
    MovePlatforms();
    Render();
    gWindow->ProcessMessages();
    const uint32_t now = platform::GetTickCount();
    if (platform::TicksSince(now, gLastAnimTick) > 300) {
        for (int32_t i = 0; i <= LastHeld(gLevelRecords[gCurrentLevel].BlockCount, gBlocks); ++i)
            gBlocks[i].UpdateAnimatedTexture();
        gLastAnimTick = platform::GetTickCount();
        GUI::PictureChanged();  // a pause menu opened in this step shows the new frames
    }
    CountFrame();
    gNowCounter = platform::QueryPerformanceCounter();
}

// Fixed steps while playing. Between steps the thread sleeps until the next step is due,
// instead of spinning, and wakes in time for it.
void PlayLoop() {
    bool musicPausedForFocus = false;
    while (gGameState == STATE_PLAYING) {
        if (gWindow->HasFocus()) {
            if (musicPausedForFocus) {
                DXmusicSFX::ResumeMusic();
                musicPausedForFocus = false;
            }
            while (MsSinceLastStep() > kStepMs && StillPlaying()) PlayStep();
            gNowCounter = platform::QueryPerformanceCounter();
            if (!StillPlaying()) {
                gWindow->ProcessMessages();
                continue;
            }
            // The wait dispatches the pass's messages; the test comes right after it.
            WaitTowards(NextStepDue());
            gNowCounter = platform::QueryPerformanceCounter();
        } else {
            DXmusicSFX::PauseMusic();
            musicPausedForFocus = true;
            gWindow->WaitForMessages(static_cast<int>(kStepMs));
        }
    }
}

// The loading picture, then the menus' pictures.
std::vector<d3d::PictureRequest> StartUpPictures() {
    std::vector<d3d::PictureRequest> pictures{{platform::ProgramPath("backgrounds/") + kLoadingPicture, {}}};
    for (d3d::PictureRequest& menu : GUI::StartUpPictures()) pictures.push_back(std::move(menu));
    return pictures;
}

bool InMenus() { return gWindow->HasFocus() && gGameState != STATE_PLAYING && gRunning; }

// What makes the next menu pass due at once: the picture changed since it was seen (by a key,
// a click or a pointer move), or a key went down or up and has not been read.
bool PassDue(const GUI::Picture& seen) { return GUI::CurrentPicture() != seen || DirectInput::KeyWaiting(); }

// Menu passes, one per display refresh: each draws a frame unless it would look the same as
// the one on screen, so that an idle menu draws nothing, then reads the keys and the window's
// messages. Between passes the thread sleeps in the window's message wait, where keys and the
// pointer's events arrive; a key, or a change to the picture, makes the next pass come at
// once, so that it is read and shown without waiting for the refresh. A menu left alone has
// the device rehearse one more kind of draw in each pass that changed nothing: not at once,
// as a player often acts soon after a screen appears, and a rehearsal cannot be cut short for
// a key. Returns whether any pass ran.
bool MenuLoop() {
    const int refreshHz = gWindow->RefreshRate();
    const int64_t period = CountsForMs(1000.0 / (refreshHz > 0 ? refreshHz : kDefaultRefreshHz));
    const int64_t aloneBeforeRehearsal = CountsForMs(kAloneBeforeRehearsalMs);
    int64_t nextPass = platform::QueryPerformanceCounter();
    int64_t lastAction = nextPass;  // the last key, click or change to the picture
    bool ran = false;
    while (InMenus()) {
        const int64_t now = platform::QueryPerformanceCounter();
        if (now < nextPass) {
            const GUI::Picture before = GUI::CurrentPicture();
            WaitTowards(nextPass);
            if (PassDue(before)) nextPass = lastAction = platform::QueryPerformanceCounter();
            continue;
        }
        if (!FrameWouldLookTheSame()) Render();
        const GUI::Picture drawn = GUI::CurrentPicture();
        ProcessInput();
        gWindow->ProcessMessages();
        ran = true;
        if (PassDue(drawn)) {
            nextPass = lastAction = platform::QueryPerformanceCounter();
            continue;
        }
        if (now - lastAction >= aloneBeforeRehearsal && FrameWouldLookTheSame()) gD3DDevice->RehearseNext();
        // On the refresh schedule; only a pass more than a whole period late starts it anew.
        nextPass += period;
        if (nextPass <= now) nextPass = now + period;
    }
    return ran;
}

void MainLoop() {
    while (gRunning) {
        gLastCounter = platform::QueryPerformanceCounter();
        const bool ran = MenuLoop();
        const bool played = gGameState == STATE_PLAYING;
        PlayLoop();
        if (!ran && !played && gRunning) gWindow->WaitForMessages(static_cast<int>(kStepMs));  // unfocused menus
        gWindow->ProcessMessages();
    }
}

// The window's events go to the game's handlers; then it shows.
void ShowWindow(platform::Window& window) {
    window.Events().MouseDown = Form_MouseDown;
    window.Events().MouseMove = Form_MouseMove;
    window.Events().MouseUp = Form_MouseUp;
    window.Events().Close = Form_Unload;
    window.Events().Paint = Form_Paint;
    window.Show();
}

void Shutdown() {
    VeloRuneDebug::CloseDebugLog();
    DXmusicSFX::ShutdownSound();
    DirectX::ReleaseDevice();
    Form_Unload();
}

}  // namespace

platform::Window& Window() { return *gWindow; }

bool Form_Load(const WindowOpener& openWindow) {
    gGameState = STATE_LOADED;
    return loadgame(openWindow);
}

bool Form_Load(platform::Window& window) {
    return Form_Load([&window](std::string&) { return &window; });
}

bool loadgame(const WindowOpener& openWindow) {
    // The pictures of the start-up are decoded ahead while the window shows and the device starts.
    auto ahead = std::make_unique<d3d::PicturePrefetch>(StartUpPictures());
    InstallGameRules();
    BinaryFile::RemoveLeftovers(platform::ProgramFolder());  // of saves that a kill cut short
    optionsDat::LoadOptions();
    gGameState = STATE_LOADING;
    VeloRuneDebug::OpenDebugLog();
    platform::SetDiagnosticSink(VeloRuneDebug::WriteDiagnosticLine);
    std::string windowProblem;
    gWindow = openWindow(windowProblem);
    if (gWindow) ShowWindow(*gWindow);
    gTexturePath = platform::ProgramPath("textures/");
    gBackgroundPath = platform::ProgramPath("backgrounds/");
    gLastAnimTick = 0;

    bool result = gWindow ? DirectX::InitD3D(*gWindow) : DirectX::WindowNotOpened(windowProblem);
    VeloRuneDebug::WriteDebugLine(std::string("Initalise DirectX and DX3D = ") + Word(result));
    if (result) {
        gBackground.create(gBackgroundPath + kLoadingPicture);
        Render();
    }
    if (result) result = DirectInput::InitDInput();
    VeloRuneDebug::WriteDebugLine(std::string("Initalise DirectInput = ") + Word(result));
    const bool soundOK = result && DXmusicSFX::InitSound();  // without sound the game runs silent
    VeloRuneDebug::WriteDebugLine(std::string("Initalise DirectSound = ") + Word(soundOK));
    AnimatedTextures::InitAnimatedTextures();
    if (result) {
        gParticles.create();
        gShadow.create();
    }
    if (result) {
        gBackground.create(gBackgroundPath + kLoadingPicture);
        if (!FrameWouldLookTheSame()) Render();  // the loading picture on the screen is that frame
        gGameState = STATE_MAINMENU;
        if (LevelStructure::LoadLevels() && GUI::InitGUI()) {
            stats::LoadStats(gLevelCount);
            SaveProblem::TellStartUp({optionsDat::Saved(), stats::Saved(),
                                      {LevelStructure::LevelsFilePath(), "best times", 0}});  // written in place
            gRunning = LevelStructure::ReadLevelHeader();
            gPerfFrequency = platform::QueryPerformanceFrequency();
            GUI::ShowScreen(0);
        }
    }
    ahead.reset();
    const bool started = gRunning;  // false after a fatal start-up message
    MainLoop();
    Shutdown();
    return started;
}

void resetgame(bool Winlevel) {
    const uint32_t tick = platform::GetTickCount();
    const uint32_t elapsed = platform::TicksSince(tick, gLevelStartTick);
    gPlayer.resetPLayer();
    DXmusicSFX::StopFallSound(0);
    gStarsCollected = 0;
    gParticles.resetParticles();
    DirectX::ResetCamera();
    LevelStructure::BuildLevel(gCurrentLevel, false);
    if (Winlevel) DXmusicSFX::PlayMusic(7);
    stats::BookAttempt(gCurrentLevel, elapsed);
    gLevelStartTick = tick;
    stats::ResetSessionCounters();
    stats::SaveStats();
    ResetFPSCounter();
}

void ResetFPSCounter() { TotalFrames = 0; }

void startPlaying() {
    // What the menus' idle passes have not rehearsed yet is rehearsed now, before the first
    // step, so that no step waits for a compile.
    while (gD3DDevice && gD3DDevice->RehearseNext()) {
    }
    gCanJump = false;
    gStarsCollected = 0;
    gPlayer.load(platform::ProgramPath("models/player.x"));
    gGameState = STATE_PLAYING;
    gParticles.resetParticles();
    DirectX::ResetCamera();
    gLevelStartTick = platform::GetTickCount();
}

void MovePlatforms() {
    for (int32_t i = 0; i <= LastHeld(gLevelRecords[gCurrentLevel].PlatformCount, gMovingPlatforms); ++i)
        gMovingPlatforms[i].move();
}

void CountFrame() { ++TotalFrames; }

void Form_MouseDown(int, int, float x, float y) {
    if (gGameState != STATE_PLAYING) GUI::MouseClickButtons(x, y);
    if (gGameState == STATE_LEVELDONE) {
        gGameState = STATE_LEVELSELECT;
        GUI::ShowScreen(3);
    }
}

void Form_MouseMove(int, int, float x, float y) {
    if (gRunning && gGameState != STATE_PLAYING) GUI::MouseMoveButtons(x, y);
}

void Form_MouseUp(int, int, float, float) {}

void Form_Paint() {
    if (gD3DDevice) gD3DDevice->Present();  // the back buffer still holds that frame
}

void Form_Unload() {
    gGameState = STATE_LEAVING;
    gRunning = false;
}

}  // namespace frmGame
