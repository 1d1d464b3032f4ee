// Benchmark of start-up and menu frames on the real OpenGL device: the time from launch to
// the loading picture and to the main menu (the start-up steps in the game's order), then
// the frame time of the main menu in both video modes.
// Run by hand; headless: SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy build/tools/bench_startup
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "game/DirectX.h"
#include "game/GameRules.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "ui/GUI.h"
#include "game/frmGame.h"
#include "platform/GlDirect3D.h"
#include "platform/Paths.h"
#include "platform/SdlWindow.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "world/clsBackground.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

void MeasureMenuFrames() {
    constexpr int kFrames = 300;
    for (int i = 0; i < 10; ++i) frmGame::Render();  // warm up
    const auto start = Clock::now();
    for (int i = 0; i < kFrames; ++i) frmGame::Render();
    std::printf("main menu frame at %.0fx%.0f: %.2f ms\n", gScreenWidthF, gScreenHeightF, MsSince(start) / kFrames);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) platform::SetProgramFolder(argv[1]);
    InstallGameRules();
    const auto launch = Clock::now();
    auto window = platform::SdlWindow::Create({});
    if (!window) return 1;
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
    gGameState = STATE_LOADING;
    gOptions = GameOptions{};
    gTexturePath = platform::ProgramPath("textures/");
    gBackgroundPath = platform::ProgramPath("backgrounds/");
    if (!DirectX::InitD3D(*window)) return 1;
    gBackground.create(gBackgroundPath + "load.jpg");
    frmGame::Render();
    std::printf("launch to the loading picture: %.1f ms\n", MsSince(launch));
    DXmusicSFX::InitSound();
    std::printf("  sound and music loaded: %.1f ms\n", MsSince(launch));
    gGameState = STATE_MAINMENU;
    if (!LevelStructure::LoadLevels()) return 1;
    std::printf("  levels loaded: %.1f ms\n", MsSince(launch));
    if (!GUI::InitGUI()) return 1;
    GUI::ShowScreen(0);
    frmGame::Render();
    std::printf("launch to the main menu: %.1f ms\n", MsSince(launch));
    MeasureMenuFrames();
    DirectX::ChangeVideoMode(2);
    MeasureMenuFrames();
    DXmusicSFX::ShutdownSound();
    DirectX::ReleaseDevice();
    return 0;
}
