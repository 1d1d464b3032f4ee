// Times the level build of a generated level of 2,000 blocks, 200 ramps, 200 moving platforms
// and 200 stars (the first build loads the files, later ones reuse them), and one pass of
// drawing every object, against a device that draws nothing. Argument: the asset folder.
#include <chrono>
#include <cstdio>

#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "platform/Paths.h"
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

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) platform::SetProgramFolder(argv[1]);
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
    return 0;
}
