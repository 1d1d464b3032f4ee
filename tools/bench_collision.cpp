// The cost of one play step without its drawing (keys, collision, platforms, the player's
// move) on the largest shipped level and on a generated level of 2,000 blocks, 200 ramps and
// 200 platforms. Prints the median and the 95th percentile of each.
// Usage: bench_collision <levels.dat>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "tools/replay/ReplayWorld.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace {

constexpr int kSteps = 2000;

LevelRecord GeneratedLevel(float gravity) {
    LevelRecord r;
    r.Settings.Gravity = gravity;
    for (int j = 0; j < 200; ++j)
        for (int i = 0; i < 10; ++i) {
            BlockRecord b;
            b.X = -10.0f + 2.0f * static_cast<float>(i), b.Y = 0, b.Z = 2.0f * static_cast<float>(j);
            b.ScaleX = 2, b.ScaleY = 2, b.ScaleZ = 2;
            r.Blocks.push_back(b);
        }
    for (int k = 0; k < 200; ++k) {
        RampRecord m;
        m.X = 12, m.Y = 0, m.Z = 2.0f * static_cast<float>(k), m.ScaleX = 4, m.ScaleY = 2, m.ScaleZ = 2;
        m.Rotation = static_cast<uint8_t>(k % 4);
        r.Ramps.push_back(m);
        MovingPlatformRecord p;
        p.X = -16, p.Y = 2, p.Z = 2.0f * static_cast<float>(k), p.ScaleX = 3, p.ScaleY = 1, p.ScaleZ = 2;
        p.Direction = 3, p.Speed = 5, p.Distance = 4, p.LoopBack = 255;
        r.Platforms.push_back(p);
    }
    r.BlockCount = static_cast<int32_t>(r.Blocks.size()) - 1;
    r.RampCount = static_cast<int32_t>(r.Ramps.size()) - 1;
    r.PlatformCount = static_cast<int32_t>(r.Platforms.size()) - 1;
    return r;
}

// Drives forward, steering from side to side, and times each step.
void Measure(replay::ReplayWorld& world, int32_t level, const char* name) {
    world.StartLevel(level);
    std::vector<double> micros;
    for (int step = 0; step < kSteps; ++step) {
        const replay::Keys keys = step % 60 < 20 ? "UL" : step % 60 < 40 ? "UR" : "UJ";
        world.Hold(keys);
        const auto start = std::chrono::steady_clock::now();
        if (gPlayer.DeathStatus()) frmGame::resetgame(false);
        frmGame::ProcessInput();
        CollisionDetection::CheckCollisions();
        if (gGameState != STATE_PLAYING) world.StartLevel(level);
        frmGame::MovePlatforms();
        gPlayer.draw();  // the player's move; its mesh draw goes to the recording device
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        world.ForgetDrawing();
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%-40s median %.1f us, 95th percentile %.1f us\n", name, micros[micros.size() / 2],
                micros[micros.size() * 95 / 100]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_collision <levels.dat>\n");
        return 2;
    }
    replay::ReplayWorld world(argv[1]);
    if (!world.Loaded()) return 1;
    int32_t largest = 1;
    auto objects = [](const LevelRecord& r) { return r.BlockCount + r.RampCount + r.PlatformCount; };
    for (int32_t level = 1; level <= gLevelCount; ++level)
        if (objects(gLevelRecords[static_cast<size_t>(level)]) > objects(gLevelRecords[static_cast<size_t>(largest)]))
            largest = level;
    Measure(world, largest, ("shipped level " + std::to_string(largest)).c_str());
    gLevelRecords[1] = GeneratedLevel(gLevelRecords[1].Settings.Gravity);
    Measure(world, 1, "2000 blocks, 200 ramps, 200 platforms");
    return 0;
}
