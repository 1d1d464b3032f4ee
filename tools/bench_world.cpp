// Times the level build of a generated level of 2,000 blocks, 200 ramps, 200 moving platforms
// and 200 stars (the first build loads the files, later ones reuse them), one pass of drawing
// every object against a device that draws nothing, the rebuild of the largest shipped level,
// and whole frames of the generated level on the OpenGL device at 1024 x 768.
// Argument: the asset folder. Headless: SDL_VIDEODRIVER=offscreen.
#include <chrono>
#include <cstdio>

#include "game/DirectX.h"
#include "game/GameRules.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/GlDirect3D.h"
#include "platform/Paths.h"
#include "platform/SdlWindow.h"
#include "tests/support/WorldFakeDevice.h"

namespace {

LevelRecord LargeLevel() {
    LevelRecord r;
    r.TextureNames = {"grass.bmp", "stone.bmp", "brick.bmp", "wood.bmp", "metal.bmp", "sand.bmp", "_WIN.bmp",
                      "AnimationTest_0.bmp", "missing.bmp"};
    r.TextureCount = static_cast<int16_t>(r.TextureNames.size() - 1);
    for (int i = 0; i < 2000; ++i) {
        BlockRecord b;
        b.X = static_cast<float>(i % 7 - 3);
        b.Y = static_cast<float>(i % 3);
        b.Z = static_cast<float>(i * 2);
        b.ScaleX = 2, b.ScaleY = 1, b.ScaleZ = 2;
        b.TextureA = b.TextureB = b.TextureC = static_cast<int16_t>(i % 9);
        b.TextureD = static_cast<int16_t>((i + 1) % 9);
        r.Blocks.push_back(b);
    }
    for (int i = 0; i < 200; ++i) {
        RampRecord m;
        m.X = 4, m.Z = static_cast<float>(i * 20), m.ScaleX = 2, m.ScaleY = 1, m.ScaleZ = 3;
        m.Rotation = static_cast<uint8_t>(i % 4);
        r.Ramps.push_back(m);
        MovingPlatformRecord p;
        p.X = -6, p.Z = static_cast<float>(i * 20), p.ScaleX = 2, p.ScaleY = 1, p.ScaleZ = 2;
        p.Direction = 3, p.Speed = 5, p.Distance = 4, p.LoopBack = 255;
        r.Platforms.push_back(p);
        r.Stars.push_back({0, 2, static_cast<float>(i * 20)});
    }
    r.BlockCount = 1999;
    r.RampCount = r.PlatformCount = r.StarCount = 199;
    return r;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The largest level of the shipped levels.dat, rebuilt as every restart does.
void TimeLargestShippedLevel() {
    if (!LevelStructure::LoadLevels()) return;
    int32_t largest = 1;
    for (int32_t i = 1; i <= gLevelCount; ++i)
        if (gLevelRecords[i].BlockCount > gLevelRecords[largest].BlockCount) largest = i;
    constexpr int kRuns = 50;
    LevelStructure::BuildLevel(largest, false);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRuns; ++i) LevelStructure::BuildLevel(largest, false);
    std::printf("BuildLevel, largest shipped level (%d, %d blocks): %.3f ms\n", largest,
                gLevelRecords[largest].BlockCount + 1, Ms(std::chrono::steady_clock::now() - start) / kRuns);
}

// Whole frames of the level on the OpenGL device: clear, every object, present.
void TimeFramesOnTheDevice(const LevelRecord& level) {
    auto window = platform::SdlWindow::Create({.Title = "bench", .FullScreen = false, .Width = 1024, .Height = 768,
                                               .Hidden = true});
    if (!window) return;
    d3d::GlDirect3D root;
    d3d::PresentParameters params;
    params.BackBufferWidth = 1024;
    params.BackBufferHeight = 768;
    params.EnableAutoDepthStencil = 1;
    std::unique_ptr<d3d::Device> device;
    if (root.CreateDevice(d3d::DEVTYPE_HAL, *window, 0, params, device) != d3d::D3D_OK) return;
    gD3DDevice = device.get();
    DirectX::ResetCamera();
    DirectX::ApplyTransforms();
    LevelStructure::BuildLevel(level, false);
    gLevelRecords.assign(2, level);
    gCurrentLevel = 1;
    constexpr int kFrames = 60;
    std::chrono::steady_clock::duration total{};
    for (int i = 0; i < kFrames + 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        device->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        device->BeginScene();
        frmGame::DrawLevel(true);
        device->EndScene();
        device->Present();
        if (i >= 5) total += std::chrono::steady_clock::now() - start;
    }
    std::printf("Frame of the generated level on the OpenGL device at 1024x768, every object: %.2f ms\n",
                Ms(total) / kFrames);
    std::printf("The same in play, blocks within the depth window only: ");
    gGameState = STATE_PLAYING;
    total = {};
    for (int i = 0; i < kFrames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        device->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        device->BeginScene();
        frmGame::DrawLevel(false);
        device->EndScene();
        device->Present();
        total += std::chrono::steady_clock::now() - start;
    }
    std::printf("%.2f ms\n", Ms(total) / kFrames);
    gD3DDevice = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) platform::SetProgramFolder(argv[1]);
    InstallGameRules();
    gTexturePath = platform::ProgramPath("textures/");
    WorldFakeDevice device;
    const LevelRecord level = LargeLevel();
    using Clock = std::chrono::steady_clock;

    auto start = Clock::now();
    LevelStructure::BuildLevel(level, false);
    const double first = Ms(Clock::now() - start);

    constexpr int kRuns = 20;
    start = Clock::now();
    for (int i = 0; i < kRuns; ++i) LevelStructure::BuildLevel(level, false);
    const double again = Ms(Clock::now() - start) / kRuns;

    gGameState = STATE_PLAYING;
    start = Clock::now();
    for (int i = 0; i < kRuns; ++i) {
        for (auto& b : gBlocks) b.draw();
        for (auto& m : gRamps) m.draw();
        for (auto& p : gMovingPlatforms) p.draw();
        for (auto& s : gStars) s.draw();
        device.Draws.clear();
    }
    const double draw = Ms(Clock::now() - start) / kRuns;

    std::printf("BuildLevel, 2000 blocks / 200 ramps / 200 platforms / 200 stars: first %.2f ms, again %.2f ms\n", first,
                again);
    std::printf("Drawing every object once (CPU side, null device): %.3f ms\n", draw);
    std::printf("Texture files read: %zu\n", device.TextureLoads.size());
    TimeLargestShippedLevel();
    TimeFramesOnTheDevice(level);
    return 0;
}
