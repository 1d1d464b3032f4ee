// The cost of one play step without its frame's drawing (the restart after a death, the keys,
// the collision, the platforms, the vehicle's move with its shadow's ground search), on the
// largest shipped level and on generated tracks of 100 to 10,000 objects, driving along with
// a few turns and jumps. Steps that restart the level after a death are counted apart, and
// shown with every step together, so that neither hides the other.
// Figures in microseconds: min / median / p95 / max.
// Usage: bench_collision <levels.dat> [quick]
#include <cstdio>
#include <string>
#include <vector>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "tools/bench/BenchFigures.h"
#include "tools/replay/GeneratedTracks.h"
#include "tools/replay/ReplayWorld.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace {

struct StepTimes {
    std::vector<double> all, restarts;
};

void Run(replay::ReplayWorld& world, int32_t level, int steps, StepTimes& times) {
    world.StartLevel(level);
    for (int step = 0; step < steps; ++step) {
        world.Hold(replay::DrivingKeys(step));
        const auto start = bench::Clock::now();
        const bool restart = gPlayer.DeathStatus();
        if (restart) frmGame::resetgame(false);
        frmGame::ProcessInput();
        CollisionDetection::CheckCollisions();
        if (gGameState != STATE_PLAYING) {
            world.StartLevel(level);  // the finish: drive it again
            continue;
        }
        frmGame::MovePlatforms();
        gPlayer.draw();  // the vehicle's move and its shadow; the drawing goes to the recording device
        const double us = bench::MsBetween(start, bench::Clock::now()) * 1000.0;
        times.all.push_back(us);
        if (restart) times.restarts.push_back(us);
        world.ForgetDrawing();
    }
}

void Measure(replay::ReplayWorld& world, int32_t level, const std::string& name, int runs, int steps) {
    StepTimes times;
    for (int run = 0; run < runs; ++run) Run(world, level, steps, times);
    const bench::Figures all = bench::Summarise(times.all);
    const bench::Figures restarts = bench::Summarise(times.restarts);
    std::printf("%-14s %6d objects  step %s us; %zu restarts: %s us\n", name.c_str(),
                replay::ObjectCount(gLevelRecords[static_cast<size_t>(level)]), bench::Text(all, 1).c_str(),
                restarts.count, restarts.count ? bench::Text(restarts, 1).c_str() : "-");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_collision <levels.dat> [quick]\n");
        return 2;
    }
    const bool quick = argc > 2 && std::string(argv[2]) == "quick";
    const int runs = quick ? 1 : 3, steps = quick ? 300 : 1000;
    replay::ReplayWorld world(argv[1]);
    if (!world.Loaded()) return 1;
    std::printf("== play step without drawing, %d runs of %d steps\n", runs, steps);
    int32_t largest = 1;
    for (int32_t level = 1; level <= gLevelCount; ++level)
        if (replay::ObjectCount(gLevelRecords[static_cast<size_t>(level)]) >
            replay::ObjectCount(gLevelRecords[static_cast<size_t>(largest)]))
            largest = level;
    Measure(world, largest, "shipped " + std::to_string(largest), runs, steps);
    const float gravity = gLevelRecords[1].Settings.Gravity;  // normal gravity
    // Generated tracks take the place of level 1, whose best times a finish may write.
    constexpr int32_t slot = 1;
    for (replay::TrackShape shape : replay::AllShapes())
        for (int32_t objects : {100, 500, 2000, 10000}) {
            gLevelRecords[static_cast<size_t>(slot)] = replay::GenerateTrack(shape, objects, gravity);
            Measure(world, slot, std::string(replay::ShapeName(shape)) + " " + std::to_string(objects), runs, steps);
        }
    return 0;
}
