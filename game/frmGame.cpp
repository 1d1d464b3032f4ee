#include "game/frmGame.h"

#include <algorithm>
#include <cmath>

#include "game/DebugLog.h"
#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/LevelBuilding.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"
#include "world/TrackObjects.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/Paths.h"
#include "platform/Window.h"
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

constexpr double kStepMs = 40.0;

const char* Word(bool result) { return result ? "True" : "False"; }

double MsSinceLastStep() {
    return static_cast<double>(gNowCounter - gLastCounter) / static_cast<double>(gPerfFrequency) * 1000.0;
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
    }
    CountFrame();
    gNowCounter = platform::QueryPerformanceCounter();
}

// Fixed steps while playing. Between steps the thread sleeps in the window's message wait
// until the next step is due, instead of spinning.
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
            if (StillPlaying()) {
                const double wait = kStepMs - MsSinceLastStep();
                gWindow->WaitForMessages(std::max(1, static_cast<int>(std::ceil(wait))));
                gNowCounter = platform::QueryPerformanceCounter();
            }
        } else {
            DXmusicSFX::PauseMusic();
            musicPausedForFocus = true;
            gWindow->WaitForMessages(static_cast<int>(kStepMs));
        }
        gWindow->ProcessMessages();
    }
}

void MainLoop() {
    while (gRunning) {
        gLastCounter = platform::QueryPerformanceCounter();
        bool drew = false;
        while (gWindow->HasFocus() && gGameState != STATE_PLAYING && gRunning) {
            Render();
            ProcessInput();
            gWindow->ProcessMessages();
            drew = true;
        }
        const bool played = gGameState == STATE_PLAYING;
        PlayLoop();
        if (!drew && !played && gRunning) gWindow->WaitForMessages(static_cast<int>(kStepMs));  // unfocused menus
        gWindow->ProcessMessages();
    }
}

void Shutdown() {
    VeloRuneDebug::CloseDebugLog();
    DXmusicSFX::ShutdownSound();
    DirectX::ReleaseDevice();
    Form_Unload();
}

}  // namespace

platform::Window& Window() { return *gWindow; }

bool Form_Load(platform::Window& window) {
    gWindow = &window;
    window.Events().MouseDown = Form_MouseDown;
    window.Events().MouseMove = Form_MouseMove;
    window.Events().MouseUp = Form_MouseUp;
    window.Events().Close = Form_Unload;
    gGameState = STATE_LOADED;
    return loadgame();
}

bool loadgame() {
    optionsDat::LoadOptions();
    gGameState = STATE_LOADING;
    VeloRuneDebug::OpenDebugLog();
    platform::SetDiagnosticSink(VeloRuneDebug::WriteDebugLine);
    gWindow->Show();
    gTexturePath = platform::ProgramPath("textures/");
    gBackgroundPath = platform::ProgramPath("backgrounds/");
    gLastAnimTick = 0;

    bool result = DirectX::InitD3D(*gWindow);
    VeloRuneDebug::WriteDebugLine(std::string("Initalise DirectX and DX3D = ") + Word(result));
    if (result) {
        gBackground.create(gBackgroundPath + "load.jpg");
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
        gBackground.create(gBackgroundPath + "load.jpg");
        Render();
        gGameState = STATE_MAINMENU;
        if (LevelStructure::LoadLevels() && GUI::InitGUI()) {
            stats::LoadStats(gLevelCount);
            gRunning = LevelStructure::ReadLevelHeader();
            gPerfFrequency = platform::QueryPerformanceFrequency();
            GUI::ShowScreen(0);
        }
    }
    const bool started = gRunning;  // false after a fatal start-up message
    MainLoop();
    Shutdown();
    return started;
}

void resetgame(bool Winlevel) {
    const uint32_t tick = platform::GetTickCount();
    const auto elapsed = static_cast<int32_t>(platform::TicksSince(tick, gLevelStartTick));
    gPlayer.resetPLayer();
    DXmusicSFX::StopFallSound(0);
    gStarsCollected = 0;
    gParticles.resetParticles();
    DirectX::ResetCamera();
    LevelStructure::BuildLevel(gCurrentLevel, false);
    if (Winlevel) DXmusicSFX::PlayMusic(7);
    if (gCurrentLevel >= 1 && gCurrentLevel < static_cast<int32_t>(gLevelStats.size())) {
        LevelStatsRecord& level = gLevelStats[static_cast<size_t>(gCurrentLevel)];
        level.DeathCount += gDeathCount;
        level.FallCount += gFallCount;
        level.JumpCount += gJumpCount;
        level.PlayTime += elapsed;
    }
    gTotalPlayTime += elapsed;
    gLevelStartTick = tick;
    stats::ResetSessionCounters();
    stats::SaveStats();
    ResetFPSCounter();
}

void ResetFPSCounter() { TotalFrames = 0; }

void startPlaying() {
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

void Form_Unload() {
    gGameState = STATE_LEAVING;
    gRunning = false;
}

}  // namespace frmGame
