// Start-up, the main loop and the shutdown paths of the main window.
#include "editor/frmMain.h"

#include <cstring>

#include "editor/CollisionDetection.h"
#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/EditorRules.h"
#include "editor/TrackBackground.h"
#include "editor/ViewportMotion.h"
#include "editor/frmAbout.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "shared/BinaryFile.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

int64_t gPerfFrequency = 0;
int64_t gLastCounter = 0;
int64_t gNowCounter = 0;

editor::MainForm frmMain;

namespace editor {

void MainForm::Form_Load(EditorHost& host) {
    host_ = &host;
    InstallEditorRules();
    frmAbout.Form_Load();
    gEditorMode = MODE_EDIT;
    gEditorReady = false;
    // Temporaries of saves that a kill cut short: play mode's snapshot, the tracks' own folder.
    BinaryFile::RemoveLeftovers(platform::ProgramFolder());
    BinaryFile::RemoveLeftovers(platform::ProgramPath("levels"));
    gTexturePath = platform::ProgramPath("textures/");
    gBackgroundPath = platform::ProgramPath("backgrounds/");
    File1.Path = platform::ProgramPath("textures");
    File1.Refresh();
    if (!DirectX::InitD3D(host.ViewportWindow())) return;
    if (!DirectInput::InitKeyboard()) return;
    Running = true;
    gPlayer.load(platform::ProgramPath("models/player.x"));
    gParticles.create();
    gShadow.create();
    gBackgroundFile = FixedLengthText("_default.jpg", 50);
    // The name is kept padded as a track file holds it; the file system takes it without.
    CreateTrackBackground(gBackgroundPath + WithoutPadding(gBackgroundFile));
    if (VScroll1.Set(VScroll1.Max)) VScroll1_Change();
    gPerfFrequency = platform::QueryPerformanceFrequency();
    if (gPerfFrequency <= 0) gPerfFrequency = 1000;  // a counter without a frequency is taken to count ms
    File1.ListIndex = File1.ListCount() > 0 ? 0 : -1;  // an empty folder highlights nothing
    gHasSelection = false;
    Visible = true;
    Check_Loop.Enabled = false;
    gPlatformsPaused = false;
    NewTrack();
    gLastCounter = platform::QueryPerformanceCounter();
}

void MainForm::DrawFirstPicture() {
    if (Running) DrawFrame();
}

MainForm::Pass MainForm::LoopPass() {
    if (loopEnded_) return Pass::Ended;
    if (!lastPassRanFrame_ && !Running) {
        EndLoop();
        return Pass::Ended;
    }
    lastPassRanFrame_ = MsBetween(gLastCounter, gNowCounter) > kFrameMs;
    if (lastPassRanFrame_) RunFrame();
    gNowCounter = platform::QueryPerformanceCounter();
    return lastPassRanFrame_ ? Pass::Frame : Pass::Idle;
}

int MainForm::MsUntilNextFrame() const {
    if (gPerfFrequency <= 0) return 0;  // start-up stopped before the clock was read
    const double sinceFrame = MsBetween(gLastCounter, platform::QueryPerformanceCounter());
    return sinceFrame > kFrameMs ? 0 : static_cast<int>(kFrameMs - sinceFrame) + 1;
}

double MainForm::MsBetween(int64_t earlier, int64_t later) {
    return static_cast<double>(later - earlier) / static_cast<double>(gPerfFrequency) * 1000.0;
}

void MainForm::RunFrame() {
    gLastCounter = platform::QueryPerformanceCounter();
    PollKeyboard();
    if (gEditorMode == MODE_PLAY) {
        if (gPlayer.DeathStatus()) RestartPlay();
        CollisionDetection::UpdatePlayer();  // in the frame of a restart too
    }
    if (FrameWanted()) DrawFrame();
    if (!gPlatformsPaused) MovePlatforms();
}

bool MainForm::FrameWanted() const {
    return frameRequested_ || ViewportMoves() || gEditorMode != drawnMode_ ||
           std::memcmp(&gMatView, &drawnView_, sizeof gMatView) != 0;
}

void MainForm::DrawFrame() {
    DirectX::RenderFrame();
    frameRequested_ = false;
    drawnView_ = gMatView;
    drawnMode_ = gEditorMode;
    ++framesDrawn_;
}

void MainForm::EndLoop() {
    loopEnded_ = true;
    DirectX::ShutdownD3D();
    Form_Unload();
}

void MainForm::Form_Unload() {
    Running = false;
    loopEnded_ = true;
    DirectX::ShutdownD3D();
    if (host_) host_->EndProgram();
}

void MainForm::Form_Terminate() { Running = false; }

void MainForm::mnu_Quit_Click() {
    if (!MayLeaveTrack()) return;
    Running = false;
    DirectX::ShutdownD3D();
    Form_Unload();
}

}  // namespace editor
